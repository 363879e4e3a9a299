#include "app/main_window.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTableWidget>

#include "app/qt_text.h"

namespace mlf {

namespace {

// The client area that holds every control and the status bar.
constexpr QSize kClientSize{583, 471};

QString Utf8(const char* text) {
  return QString::fromUtf8(text);
}

// The program icon: a horseshoe magnet, drawn rather than shipped as a file.
QIcon MagnetIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QPen body(QColor(200, 30, 40), 8, Qt::SolidLine, Qt::FlatCap);
  p.setPen(body);
  p.drawArc(QRectF(6, 6, 20, 20), 180 * 16, 180 * 16);
  p.drawLine(QPointF(6, 16), QPointF(6, 6));
  p.drawLine(QPointF(26, 16), QPointF(26, 6));
  QPen tips(QColor(190, 190, 200), 8, Qt::SolidLine, Qt::FlatCap);
  p.setPen(tips);
  p.drawLine(QPointF(6, 6), QPointF(6, 1));
  p.drawLine(QPointF(26, 6), QPointF(26, 1));
  return QIcon(pixmap);
}

QPushButton* Button(QWidget* parent, const char* name, const char* text, QRect geometry) {
  auto* button = new QPushButton(Utf8(text), parent);
  button->setObjectName(Utf8(name));
  button->setGeometry(geometry);
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
  // The window: fixed size, button-face background, our icon.
  setObjectName("MainWindow");
  setWindowTitle(Utf8("觅链坊"));
  setWindowIcon(MagnetIcon());
  setFixedSize(kClientSize);
  QPalette face = palette();
  face.setColor(QPalette::Window, face.color(QPalette::Button));
  setPalette(face);
  setAutoFillBackground(true);

  // The controls, in creation (and stacking) order.
  label_ = new QLabel(Utf8("视频名称："), this);
  label_->setObjectName(Utf8("标签1"));
  label_->setGeometry(64, 30, 56, 16);

  status_bar_ = new QStatusBar(this);
  status_bar_->setObjectName(Utf8("状态条1"));
  status_bar_->setSizeGripEnabled(false);
  status_part_ = new QLabel(status_bar_);
  status_part_->setFixedWidth(300);
  status_bar_->addWidget(status_part_);
  int bar_height = status_bar_->sizeHint().height();
  status_bar_->setGeometry(0, kClientSize.height() - bar_height, kClientSize.width(), bar_height);

  jump_button_ = Button(this, "按钮_跳转", "跳转", {-64, 10, 70, 24});
  jump_button_->hide();

  page_list_ = new QComboBox(this);
  page_list_->setObjectName(Utf8("组合框_页数"));
  page_list_->setGeometry(-53, 10, 64, 20);
  page_list_->setEditable(false);
  page_list_->view()->setMinimumHeight(160);
  page_list_->hide();

  next_button_ = Button(this, "按钮_下一页", "下一页", {506, 421, 70, 23});
  previous_button_ = Button(this, "按钮_上一页", "上一页", {434, 421, 70, 23});

  result_list_ = new QTableWidget(0, 6, this);
  result_list_->setObjectName(Utf8("超级列表框1"));
  result_list_->setGeometry(7, 64, 569, 352);
  result_list_->verticalHeader()->hide();
  result_list_->verticalHeader()->setDefaultSectionSize(20);
  result_list_->setShowGrid(true);
  result_list_->setWordWrap(false);
  result_list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  result_list_->setSelectionMode(QAbstractItemView::SingleSelection);
  result_list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  result_list_->setSortingEnabled(false);
  result_list_->setContextMenuPolicy(Qt::CustomContextMenu);
  QHeaderView* header = result_list_->horizontalHeader();
  header->setSectionsMovable(true);
  header->setSectionsClickable(true);
  header->setHighlightSections(false);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  const char* const titles[] = {"排序", "视频名称", "磁力链接", "文件数量", "文件大小", "日期"};
  const int widths[] = {50, 150, 150, 60, 70, 80};
  for (int column = 0; column < 6; ++column) {
    result_list_->setHorizontalHeaderItem(column, new QTableWidgetItem(Utf8(titles[column])));
    result_list_->setColumnWidth(column, widths[column]);
  }
  // The selected row stays highlighted when the list loses the focus.
  QPalette list_colours = result_list_->palette();
  for (auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
    list_colours.setColor(QPalette::Inactive, role, list_colours.color(QPalette::Active, role));
  }
  result_list_->setPalette(list_colours);
  result_list_->viewport()->installEventFilter(this);

  search_button_ = Button(this, "按钮_搜索", "搜索", {435, 26, 77, 23});

  search_box_ = new QLineEdit(this);
  search_box_->setObjectName(Utf8("编辑框_搜索框"));
  search_box_->setGeometry(128, 28, 288, 20);
  QPalette edit_colours = search_box_->palette();
  edit_colours.setColor(QPalette::Text, QColor(96, 96, 96));
  edit_colours.setColor(QPalette::Base, Qt::white);
  search_box_->setPalette(edit_colours);

  label_->setFocusPolicy(Qt::NoFocus);
  status_bar_->setFocusPolicy(Qt::NoFocus);

  // The hidden menu "菜单": its one item is the list's context menu.
  menu_ = new QMenu(Utf8("菜单"), this);
  menu_->setObjectName(Utf8("菜单"));
  QAction* copy = menu_->addAction(Utf8("复制磁力链接"));
  copy->setObjectName(Utf8("复制磁力链接"));

  // The events the commands answer; no others.
  connect(search_button_, &QPushButton::clicked, this, &MainWindow::searchClicked);
  connect(next_button_, &QPushButton::clicked, this, &MainWindow::nextPageClicked);
  connect(previous_button_, &QPushButton::clicked, this, &MainWindow::previousPageClicked);
  connect(jump_button_, &QPushButton::clicked, this, &MainWindow::jumpClicked);
  connect(result_list_, &QWidget::customContextMenuRequested, this,
          [this] { emit listRightClicked(); });
  connect(copy, &QAction::triggered, this, &MainWindow::copyMagnetLinkChosen);
}

void MainWindow::CentreOnScreen() {
  QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QRect frame = frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  move(frame.topLeft());
}

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!centred_after_show_) {
    centred_after_show_ = true;
    CentreOnScreen();
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // A right press where there is no row leaves no row selected, so the list's context
  // menu finds nothing to copy.
  if (watched == result_list_->viewport() && event->type() == QEvent::MouseButtonPress) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::RightButton &&
        !result_list_->indexAt(mouse->position().toPoint()).isValid()) {
      result_list_->clearSelection();
      result_list_->setCurrentIndex(QModelIndex());
    }
  }
  return QWidget::eventFilter(watched, event);
}

Text MainWindow::SearchText() const {
  return FromQString(search_box_->text());
}

void MainWindow::SetSearchEnabled(bool enabled) {
  search_button_->setEnabled(enabled);
}

void MainWindow::SetSearchCaption(const Text& caption) {
  search_button_->setText(ToQString(caption));
}

void MainWindow::SetPagingEnabled(bool enabled) {
  previous_button_->setEnabled(enabled);
  next_button_->setEnabled(enabled);
  jump_button_->setEnabled(enabled);
}

void MainWindow::AddPageEntry(const Text& entry) {
  // The list would choose its first entry by itself; adding one changes no choice.
  int chosen = page_list_->currentIndex();
  page_list_->addItem(ToQString(entry));
  page_list_->setCurrentIndex(chosen);
}

void MainWindow::RemoveAllPageEntries() {
  page_list_->clear();
}

Text MainWindow::PageText() const {
  return page_list_->currentIndex() < 0 ? Text{} : FromQString(page_list_->currentText());
}

void MainWindow::DeleteAllRows() {
  result_list_->setRowCount(0);
}

int MainWindow::RowCount() const {
  return result_list_->rowCount();
}

int MainWindow::AppendRow(const Text& firstCell) {
  int row = result_list_->rowCount();
  result_list_->insertRow(row);
  for (int column = 0; column < result_list_->columnCount(); ++column) {
    result_list_->setItem(row, column, new QTableWidgetItem());
  }
  SetCell(row, kRowNumberColumn, firstCell);
  return row;
}

void MainWindow::SetCell(int row, int column, const Text& text) {
  if (QTableWidgetItem* item = result_list_->item(row, column)) item->setText(ToQString(text));
}

Text MainWindow::CellText(int row, int column) const {
  QTableWidgetItem* item = result_list_->item(row, column);
  return item != nullptr ? FromQString(item->text()) : Text{};
}

int MainWindow::CurrentRow() const {
  QModelIndexList rows = result_list_->selectionModel()->selectedRows();
  int first = -1;
  for (const QModelIndex& index : rows) {
    if (first == -1 || index.row() < first) first = index.row();
  }
  return first;
}

bool MainWindow::RowSelected(int row) const {
  return row >= 0 && row < result_list_->rowCount() &&
         result_list_->selectionModel()->isRowSelected(row, QModelIndex());
}

void MainWindow::PopUpMenu(const QPoint& screenPosition) {
  menu_->exec(screenPosition);
}

void MainWindow::SetStatusText(const Text& text) {
  status_part_->setText(ToQString(text));
}

}  // namespace mlf
