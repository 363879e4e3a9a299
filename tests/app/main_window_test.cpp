// The window and its commands, under the offscreen platform, against a loopback site
// that serves the demo pages.
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include "app/commands.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "demo_pages.h"
#include "support/loopback_server.h"
#include "text/process_events.h"

namespace mlf {
namespace {

using testing_support::Connection;
using testing_support::LoopbackServer;

std::string UrlDecode(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '%' && i + 2 < s.size()) {
      out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += s[i] == '+' ? ' ' : s[i];
    }
  }
  return out;
}

// "keyword|page" of each search request the site received.
struct SiteLog {
  std::vector<std::string> searches;
};

// Serves /search?keyword=K&p=N as the demo site does; "broken" answers 404.
LoopbackServer::Script DemoSite(SiteLog* log, std::mutex* mutex) {
  return [log, mutex](const Connection& c, const std::string& request) {
    std::string target = request.substr(4, request.find(' ', 4) - 4);
    std::size_t k = target.find("keyword="), p = target.find("&p=");
    std::string keyword = UrlDecode(target.substr(k + 8, p - k - 8));
    int page = std::atoi(target.c_str() + p + 3);
    {
      std::lock_guard lock(*mutex);
      log->searches.push_back(keyword + "|" + std::to_string(page));
    }
    if (keyword == "broken") {
      c.Send(testing_support::Response("404 Not Found", "", "<html>gone</html>"));
      return;
    }
    demo::DemoPage result = demo::ResultPage(keyword, page);
    c.Send(testing_support::Response("200 OK", "Content-Type: " + result.contentType + "\r\n",
                                     result.body));
  };
}

QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}

template <class T>
T* Child(QWidget& window, const char* name) {
  return window.findChild<T*>(U(name));
}

// Answers the next modal message box with OK and records what it said.
struct MessageBoxWatch {
  QString title, text;
  int shown = 0;
  void Arm() {
    QTimer::singleShot(0, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      ++shown;
      title = box->windowTitle();
      text = box->text();
      box->button(QMessageBox::Ok)->click();
    });
  }
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void windowAndControls_data();
  void windowAndControls();
  void resultListSettings();
  void emptyKeywordAsksForInput();
  void searchFillsRowsAndPageList();
  void pagingMovesThroughPages();
  void pageListRenewedOnlyOnPageOne();
  void failedFetchSaysWhy_data();
  void failedFetchSaysWhy();
  void rightClickOnRowCopiesItsLink();
  void rightClickBelowTheRowsShowsNoMenu();
  void movedColumnsStillCopyTheLink();
  void jumpCommand();
  void pagingWaitsWhileASearchRuns();
  void closingDuringASearch();

 private:
  void Search(const char* keyword);
  QPoint RowPoint(int row) const;
  void RightClickAt(QPoint viewportPoint);

  SiteLog log_;
  std::mutex mutex_;
  std::unique_ptr<LoopbackServer> site_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<AppState> state_;
  std::unique_ptr<Commands> commands_;
};

void MainWindowTest::init() {
  log_ = {};
  site_ = std::make_unique<LoopbackServer>(DemoSite(&log_, &mutex_));
  qputenv("MILIANFANG_SITE", QByteArray("127.0.0.1:") + QByteArray::number(site_->port()));
  SetProcessEventsHook([] { QCoreApplication::processEvents(); });
  state_ = std::make_unique<AppState>();
  ConstructGlobals(*state_);
  window_ = std::make_unique<MainWindow>();
  commands_ = std::make_unique<Commands>(*window_, *state_);
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void MainWindowTest::cleanup() {
  commands_.reset();
  window_.reset();
  ExitRoutine(*state_);
  SetProcessEventsHook(nullptr);
  site_.reset();
}

void MainWindowTest::Search(const char* keyword) {
  Child<QLineEdit>(*window_, "编辑框_搜索框")->setText(U(keyword));
  QTest::mouseClick(Child<QPushButton>(*window_, "按钮_搜索"), Qt::LeftButton);
}

QPoint MainWindowTest::RowPoint(int row) const {
  auto* list = window_->findChild<QTableWidget*>(U("超级列表框1"));
  return list->visualRect(list->model()->index(row, 1)).center();
}

void MainWindowTest::RightClickAt(QPoint viewportPoint) {
  auto* list = window_->findChild<QTableWidget*>(U("超级列表框1"));
  QPoint in_window = list->viewport()->mapTo(window_.get(), viewportPoint);
  QTest::mouseClick(window_->windowHandle(), Qt::RightButton, {}, in_window);
}

void MainWindowTest::windowAndControls_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QRect>("geometry");
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("visible");
  QTest::addColumn<bool>("tabStop");
  QTest::newRow("标签1") << U("标签1") << QRect(64, 30, 56, 16) << U("视频名称：") << true << false;
  QTest::newRow("按钮_跳转") << U("按钮_跳转") << QRect(-64, 10, 70, 24) << U("跳转") << false
                             << true;
  QTest::newRow("组合框_页数") << U("组合框_页数") << QRect(-53, 10, 64, 20) << QString() << false
                               << true;
  QTest::newRow("按钮_下一页") << U("按钮_下一页") << QRect(506, 421, 70, 23) << U("下一页") << true
                               << true;
  QTest::newRow("按钮_上一页") << U("按钮_上一页") << QRect(434, 421, 70, 23) << U("上一页") << true
                               << true;
  QTest::newRow("超级列表框1") << U("超级列表框1") << QRect(7, 64, 569, 352) << QString() << true
                               << true;
  QTest::newRow("按钮_搜索") << U("按钮_搜索") << QRect(435, 26, 77, 23) << U("搜索") << true
                             << true;
  QTest::newRow("编辑框_搜索框") << U("编辑框_搜索框") << QRect(128, 28, 288, 20) << QString()
                                 << true << true;
}

void MainWindowTest::windowAndControls() {
  QFETCH(QString, name);
  QFETCH(QRect, geometry);
  QFETCH(QString, text);
  QFETCH(bool, visible);
  QFETCH(bool, tabStop);

  QCOMPARE(window_->windowTitle(), U("觅链坊"));
  QCOMPARE(window_->minimumSize(), QSize(583, 471));
  QCOMPARE(window_->maximumSize(), QSize(583, 471));
  QVERIFY(window_->windowFlags() & Qt::WindowMinimizeButtonHint);
  QVERIFY(!(window_->windowFlags() & Qt::WindowMaximizeButtonHint));
  QVERIFY(!window_->windowIcon().isNull());

  auto* control = window_->findChild<QWidget*>(name);
  QVERIFY(control != nullptr);
  QCOMPARE(control->geometry(), geometry);
  QCOMPARE(control->isVisible(), visible);
  QCOMPARE(control->isEnabled(), true);
  QCOMPARE(bool(control->focusPolicy() & Qt::TabFocus), tabStop);
  if (auto* button = qobject_cast<QPushButton*>(control)) {
    QCOMPARE(button->text(), text);
    QVERIFY(!button->isDefault() && !button->autoDefault());
  } else if (auto* label = qobject_cast<QLabel*>(control)) {
    QCOMPARE(label->text(), text);
  }
}

void MainWindowTest::resultListSettings() {
  auto* list = Child<QTableWidget>(*window_, "超级列表框1");
  const char* titles[] = {"排序", "视频名称", "磁力链接", "文件数量", "文件大小", "日期"};
  const int widths[] = {50, 150, 150, 60, 70, 80};
  QCOMPARE(list->columnCount(), 6);
  for (int c = 0; c < 6; ++c) {
    QCOMPARE(list->horizontalHeaderItem(c)->text(), U(titles[c]));
    QCOMPARE(list->columnWidth(c), widths[c]);
  }
  QVERIFY(!list->verticalHeader()->isVisible());
  QVERIFY(list->horizontalHeader()->sectionsMovable());
  QVERIFY(list->showGrid());
  QCOMPARE(list->editTriggers(), QAbstractItemView::NoEditTriggers);
  QCOMPARE(list->selectionBehavior(), QAbstractItemView::SelectRows);
  QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
  QVERIFY(!list->isSortingEnabled());
  QCOMPARE(list->palette().color(QPalette::Inactive, QPalette::Highlight),
           list->palette().color(QPalette::Active, QPalette::Highlight));

  auto* bar = Child<QStatusBar>(*window_, "状态条1");
  QVERIFY(!bar->isSizeGripEnabled());
  QCOMPARE(bar->geometry().bottom(), window_->height() - 1);
  QCOMPARE(bar->width(), window_->width());
  QCOMPARE(bar->findChild<QLabel*>()->width(), 300);

  auto* menu = Child<QMenu>(*window_, "菜单");
  QVERIFY(menu != nullptr && !menu->isVisible());
  QCOMPARE(menu->title(), U("菜单"));
  QCOMPARE(menu->actions().size(), 1);
  QCOMPARE(menu->actions()[0]->text(), U("复制磁力链接"));
  QVERIFY(Child<QComboBox>(*window_, "组合框_页数")->view()->minimumHeight() >= 160);

  // A header click changes nothing.
  Search("电影");
  QString first = list->item(0, 1)->text();
  QTest::mouseClick(list->horizontalHeader()->viewport(), Qt::LeftButton, {},
                    QPoint(list->horizontalHeader()->sectionViewportPosition(1) + 10, 5));
  QCOMPARE(list->item(0, 1)->text(), first);
  QVERIFY(list->selectionModel()->selectedColumns().isEmpty());
}

void MainWindowTest::emptyKeywordAsksForInput() {
  MessageBoxWatch box;
  box.Arm();
  QTest::mouseClick(Child<QPushButton>(*window_, "按钮_搜索"), Qt::LeftButton);
  QCOMPARE(box.shown, 1);
  QCOMPARE(box.title, U("提示"));
  QCOMPARE(box.text, U("请输入内容！"));
  QVERIFY(log_.searches.empty());
  QCOMPARE(Child<QPushButton>(*window_, "按钮_搜索")->text(), U("搜索"));
  QCOMPARE(state_->CurrentPage, 1);  // set by the command before the check
}

void MainWindowTest::searchFillsRowsAndPageList() {
  int total = demo::TotalPagesFor("电影");
  Search("电影");
  auto* list = Child<QTableWidget>(*window_, "超级列表框1");
  QCOMPARE(list->rowCount(), 20);
  for (int r = 0; r < 20; ++r) QCOMPARE(list->item(r, 0)->text(), QString::number(r + 1));
  QVERIFY(list->item(0, 1)->text().startsWith(U("电影.")));
  QVERIFY(list->item(0, 2)->text().startsWith(U("magnet:?xt=urn:btih:")));
  QCOMPARE(list->item(0, 2)->text().size(), 60);
  QVERIFY(list->item(0, 3)->text().endsWith(U("个文件")));
  auto* pages = Child<QComboBox>(*window_, "组合框_页数");
  QCOMPARE(pages->count(), total);
  QCOMPARE(pages->itemText(total - 1), QString::number(total));
  QCOMPARE(pages->currentIndex(), -1);
  QCOMPARE(state_->TotalPages, total);
  QCOMPARE(Child<QPushButton>(*window_, "按钮_搜索")->text(), U("搜索"));
  QVERIFY(Child<QPushButton>(*window_, "按钮_搜索")->isEnabled());
  QCOMPARE(Child<QStatusBar>(*window_, "状态条1")->findChild<QLabel*>()->text(),
           U("第 1 页，共 ") + QString::number(total) + U(" 页，20 条结果"));
  QCOMPARE(log_.searches, std::vector<std::string>{"电影|1"});
}

void MainWindowTest::pagingMovesThroughPages() {
  Child<QLineEdit>(*window_, "编辑框_搜索框")->setText(U("电影"));
  auto* next = Child<QPushButton>(*window_, "按钮_下一页");
  auto* previous = Child<QPushButton>(*window_, "按钮_上一页");
  QTest::mouseClick(next, Qt::LeftButton);  // before any search: page 1
  QCOMPARE(Child<QComboBox>(*window_, "组合框_页数")->count(), demo::TotalPagesFor("电影"));
  QTest::mouseClick(next, Qt::LeftButton);
  QTest::mouseClick(next, Qt::LeftButton);
  QTest::mouseClick(previous, Qt::LeftButton);
  QTest::mouseClick(previous, Qt::LeftButton);
  QTest::mouseClick(previous, Qt::LeftButton);  // never below page 1
  QCOMPARE(log_.searches,
           (std::vector<std::string>{"电影|1", "电影|2", "电影|3", "电影|2", "电影|1", "电影|1"}));
  // Past the last page the site has no entries, and the list shows none.
  state_->CurrentPage = demo::TotalPagesFor("电影");
  QTest::mouseClick(next, Qt::LeftButton);
  QCOMPARE(Child<QTableWidget>(*window_, "超级列表框1")->rowCount(), 0);
}

void MainWindowTest::pageListRenewedOnlyOnPageOne() {
  Search("电影");
  auto* pages = Child<QComboBox>(*window_, "组合框_页数");
  int first_total = pages->count();
  QTest::mouseClick(Child<QPushButton>(*window_, "按钮_下一页"), Qt::LeftButton);
  QCOMPARE(pages->count(), first_total);
  Search("音乐");
  QCOMPARE(pages->count(), demo::TotalPagesFor("音乐"));
  QCOMPARE(pages->itemText(0), U("1"));
}

void MainWindowTest::failedFetchSaysWhy_data() {
  QTest::addColumn<bool>("closedPort");
  QTest::addColumn<QString>("keyword");
  QTest::addColumn<QString>("status");
  QTest::newRow("connection refused") << true << U("电影") << U("711 发送请求失败!");
  QTest::newRow("not found") << false << U("broken") << U("404 Not Found");
}

void MainWindowTest::failedFetchSaysWhy() {
  QFETCH(bool, closedPort);
  QFETCH(QString, keyword);
  QFETCH(QString, status);
  Search("电影");
  if (closedPort) site_.reset();  // the port is closed now
  Child<QLineEdit>(*window_, "编辑框_搜索框")->setText(keyword);
  QTest::mouseClick(Child<QPushButton>(*window_, "按钮_搜索"), Qt::LeftButton);
  QCOMPARE(Child<QTableWidget>(*window_, "超级列表框1")->rowCount(), 0);
  QCOMPARE(Child<QComboBox>(*window_, "组合框_页数")->count(), 0);
  QCOMPARE(state_->TotalPages, 0);
  QCOMPARE(Child<QPushButton>(*window_, "按钮_搜索")->text(), U("搜索"));
  QVERIFY(Child<QPushButton>(*window_, "按钮_搜索")->isEnabled());
  QVERIFY(Child<QPushButton>(*window_, "按钮_下一页")->isEnabled());
  QCOMPARE(Child<QStatusBar>(*window_, "状态条1")->findChild<QLabel*>()->text(), status);
}

void MainWindowTest::rightClickOnRowCopiesItsLink() {
  Search("电影");
  auto* list = Child<QTableWidget>(*window_, "超级列表框1");
  QApplication::clipboard()->clear();
  MessageBoxWatch box;
  QString menu_title;
  bool menu_shown = false;
  // The menu comes up inside the click; choose its item from the keyboard.
  QTimer::singleShot(0, [&] {
    QWidget* popup = QApplication::activePopupWidget();
    if (popup == nullptr) return;
    menu_shown = true;
    box.Arm();
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
  });
  QTimer guard;
  guard.setSingleShot(true);
  connect(&guard, &QTimer::timeout, [] {
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  });
  guard.start(3000);
  RightClickAt(RowPoint(4));
  QVERIFY(menu_shown);
  QCOMPARE(list->selectionModel()->selectedRows().size(), 1);
  QCOMPARE(list->selectionModel()->selectedRows()[0].row(), 4);
  QCOMPARE(QApplication::clipboard()->text(), list->item(4, 2)->text());
  QCOMPARE(box.shown, 1);
  QCOMPARE(box.title, U("提示"));
  QCOMPARE(box.text, U("复制成功！"));
}

void MainWindowTest::rightClickBelowTheRowsShowsNoMenu() {
  Child<QLineEdit>(*window_, "编辑框_搜索框")->setText(U("电影"));
  auto* list = Child<QTableWidget>(*window_, "超级列表框1");
  // A page with few rows, so that there is room below the last one.
  state_->CurrentPage = demo::TotalPagesFor("电影") - 1;
  QTest::mouseClick(Child<QPushButton>(*window_, "按钮_下一页"), Qt::LeftButton);
  QVERIFY(list->rowCount() > 0);
  QPoint below = RowPoint(list->rowCount() - 1) + QPoint(0, 40);
  if (list->indexAt(below).isValid()) QSKIP("the demo keyword's last page fills the list");
  list->selectRow(0);
  bool menu_shown = false;
  QTimer::singleShot(0, [&] {
    if (QWidget* popup = QApplication::activePopupWidget()) {
      menu_shown = true;
      popup->close();
    }
  });
  RightClickAt(below);
  QVERIFY(!menu_shown);
  QCOMPARE(window_->CurrentRow(), -1);
}

void MainWindowTest::movedColumnsStillCopyTheLink() {
  Search("电影");
  auto* list = Child<QTableWidget>(*window_, "超级列表框1");
  list->horizontalHeader()->moveSection(2, 1);  // 磁力链接 before 视频名称
  QCOMPARE(list->horizontalHeader()->logicalIndex(1), 2);
  list->selectRow(2);
  MessageBoxWatch box;
  box.Arm();
  commands_->CopyMagnetLink();
  QCOMPARE(QApplication::clipboard()->text(), list->item(2, 2)->text());
  QVERIFY(QApplication::clipboard()->text().startsWith(U("magnet:")));
}

void MainWindowTest::jumpCommand() {
  Search("电影");
  auto* pages = Child<QComboBox>(*window_, "组合框_页数");
  auto* jump = Child<QPushButton>(*window_, "按钮_跳转");
  jump->click();  // no entry chosen: nothing happens
  QCOMPARE(log_.searches.size(), 1u);
  pages->setCurrentIndex(2);
  jump->click();
  QCOMPARE(log_.searches.back(), std::string("电影|3"));
  QCOMPARE(state_->CurrentPage, 3);
  QCOMPARE(pages->count(), demo::TotalPagesFor("电影"));
}

void MainWindowTest::pagingWaitsWhileASearchRuns() {
  std::vector<bool> enabled_while_filling;
  auto* next = Child<QPushButton>(*window_, "按钮_下一页");
  auto* previous = Child<QPushButton>(*window_, "按钮_上一页");
  auto* search = Child<QPushButton>(*window_, "按钮_搜索");
  SetProcessEventsHook([&] {
    enabled_while_filling.push_back(next->isEnabled() || previous->isEnabled() ||
                                    search->isEnabled());
    QCoreApplication::processEvents();
  });
  Search("电影");
  QVERIFY(!enabled_while_filling.empty());
  for (bool enabled : enabled_while_filling) QVERIFY(!enabled);
  QVERIFY(next->isEnabled() && previous->isEnabled() && search->isEnabled());
}

void MainWindowTest::closingDuringASearch() {
  auto* list = Child<QTableWidget>(*window_, "超级列表框1");
  QPointer<MainWindow> alive(window_.get());
  connect(list->model(), &QAbstractItemModel::rowsInserted, window_.get(), [&] {
    if (window_->isVisible()) window_->close();
  });
  Search("电影");
  // The search ran to its end in a window that is closed but not gone.
  QVERIFY(!alive.isNull());
  QVERIFY(!window_->isVisible());
  QCOMPARE(list->rowCount(), 20);
  QCOMPARE(Child<QPushButton>(*window_, "按钮_搜索")->text(), U("搜索"));
}

}  // namespace mlf

QTEST_MAIN(mlf::MainWindowTest)
#include "main_window_test.moc"
