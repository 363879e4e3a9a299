#include "app/commands.h"

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QMessageBox>

#include "app/qt_text.h"
#include "scrape/result_extraction.h"
#include "scrape/search_site.h"
#include "text/process_events.h"
#include "text/text_numbers.h"
#include "text/text_ops.h"
#include "web/web_request.h"

namespace mlf {

namespace {

// The commands' fixed texts, in GBK.
Text T(const char* utf8) {
  return TextFromUtf8(utf8);
}

}  // namespace

void ShowInformation(const Text& message) {
  QMessageBox box(QMessageBox::Information, QString::fromUtf8("提示"), ToQString(message),
                  QMessageBox::Ok);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

Commands::Commands(MainWindow& window, AppState& state) : window_(window), state_(state) {
  connect(&window, &MainWindow::searchClicked, this, &Commands::SearchCommand);
  connect(&window, &MainWindow::nextPageClicked, this, &Commands::NextPageCommand);
  connect(&window, &MainWindow::previousPageClicked, this, &Commands::PreviousPageCommand);
  connect(&window, &MainWindow::jumpClicked, this, &Commands::JumpCommand);
  connect(&window, &MainWindow::listRightClicked, this, &Commands::ShowRowMenu);
  connect(&window, &MainWindow::copyMagnetLinkChosen, this, &Commands::CopyMagnetLink);
}

void Commands::SearchPage() {
  Text keyword = window_.SearchText();
  if (keyword.empty()) {
    ShowInformation(T("请输入内容！"));
    return;
  }
  // While a search runs no other search can start: the paging buttons wait with it.
  window_.SetSearchEnabled(false);
  window_.SetPagingEnabled(false);
  window_.SetSearchCaption(T("正在搜索"));
  window_.SetStatusText(Text{});

  RequestOptions options;
  options.url = BuildQueryAddress(keyword, state_.CurrentPage);
  ResponseOutputs outputs;
  state_.LastPageText = WebRequest(options, outputs);

  if (state_.CurrentPage == 1) {
    state_.TotalPages = ExtractPageField(state_.LastPageText, "totalPages:"_t);
    window_.RemoveAllPageEntries();
    for (int p = 1; p <= state_.TotalPages; ++p) window_.AddPageEntry(ToText(p));
  }

  window_.DeleteAllRows();
  int n = MatchResultRows(*state_.ResultMatcher, state_.LastPageText);
  for (int i = 1; i <= n; ++i) {
    ResultRow row = ResultRowAt(*state_.ResultMatcher, i);
    int r = window_.AppendRow(ToText(window_.RowCount() + 1.0));
    window_.SetCell(r, kNameColumn, row.Name);
    window_.SetCell(r, kMagnetLinkColumn, row.MagnetLink);
    window_.SetCell(r, kFileCountColumn, Concat(row.FileCount, T("个文件")));
    window_.SetCell(r, kSizeColumn, row.Size);
    window_.SetCell(r, kDateColumn, row.Date);
    ProcessEvents();
  }

  ShowStatus(outputs.statusText, n);
  window_.SetSearchEnabled(true);
  window_.SetPagingEnabled(true);
  window_.SetSearchCaption(T("搜索"));
}

// An empty list must not look like a search without results when the fetch failed:
// the status bar says what happened.
void Commands::ShowStatus(const Text& statusText, int rows) {
  if (IsWebFailure(statusText) || statusText.empty() || ToNumber(statusText) >= 400) {
    window_.SetStatusText(statusText.empty() ? T("服务器的应答无法读取") : statusText);
    return;
  }
  Text status = Concat(T("第 "), ToText(state_.CurrentPage), T(" 页"));
  if (state_.TotalPages > 0)
    status = Concat(status, T("，共 "), ToText(state_.TotalPages), T(" 页"));
  window_.SetStatusText(Concat(status, T("，"), ToText(rows), T(" 条结果")));
}

void Commands::SearchCommand() {
  state_.CurrentPage = 1;
  SearchPage();
}

void Commands::NextPageCommand() {
  state_.CurrentPage += 1;
  SearchPage();
}

void Commands::PreviousPageCommand() {
  state_.CurrentPage = state_.CurrentPage - 1 < 1 ? 1 : state_.CurrentPage - 1;
  SearchPage();
}

void Commands::JumpCommand() {
  Text page = window_.PageText();
  if (page.empty()) return;
  state_.CurrentPage = ToInteger(ToNumber(page));
  SearchPage();
}

void Commands::ShowRowMenu() {
  int r = window_.CurrentRow();
  if (!window_.RowSelected(r)) return;
  window_.PopUpMenu(QCursor::pos());
}

void Commands::CopyMagnetLink() {
  int r = window_.CurrentRow();
  Text link = r == -1 ? Text{} : window_.CellText(r, kMagnetLinkColumn);
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return;
  clipboard->setText(ToQString(link), QClipboard::Clipboard);
  ShowInformation(T("复制成功！"));
}

}  // namespace mlf
