// The program's one window: keyword box and search button, the six-column result list,
// previous/next buttons, a status bar, a hidden page list and jump button, and the
// hidden menu that serves as the list's context menu. It shows and asks; the commands
// decide.
#pragma once

#include <QWidget>

#include "text/text.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStatusBar;
class QTableWidget;

namespace mlf {

// The result list's columns, by what they hold; a column keeps its number when the user
// drags it elsewhere.
enum ResultColumn : int {
  kRowNumberColumn = 0,
  kNameColumn = 1,
  kMagnetLinkColumn = 2,
  kFileCountColumn = 3,
  kSizeColumn = 4,
  kDateColumn = 5,
};

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);

  // Places the window in the middle of the screen; again after the first show, when the
  // frame is known.
  void CentreOnScreen();

  // The operations the commands perform on the window.
  Text SearchText() const;
  void SetSearchEnabled(bool enabled);
  void SetSearchCaption(const Text& caption);
  void SetPagingEnabled(bool enabled);  // previous, next and jump
  void AddPageEntry(const Text& entry);
  void RemoveAllPageEntries();
  Text PageText() const;  // the chosen page entry, empty when none is chosen
  void DeleteAllRows();
  int RowCount() const;
  int AppendRow(const Text& firstCell);  // gives the new row's index
  void SetCell(int row, int column, const Text& text);
  Text CellText(int row, int column) const;  // empty for a row that does not exist
  int CurrentRow() const;                    // the first selected row, -1 when none is
  bool RowSelected(int row) const;
  void PopUpMenu(const QPoint& screenPosition);  // returns when the menu has closed
  void SetStatusText(const Text& text);

 signals:
  void searchClicked();
  void nextPageClicked();
  void previousPageClicked();
  void jumpClicked();
  void listRightClicked();
  void copyMagnetLinkChosen();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* label_ = nullptr;
  QStatusBar* status_bar_ = nullptr;
  QLabel* status_part_ = nullptr;
  QPushButton* jump_button_ = nullptr;
  QComboBox* page_list_ = nullptr;
  QPushButton* next_button_ = nullptr;
  QPushButton* previous_button_ = nullptr;
  QTableWidget* result_list_ = nullptr;
  QPushButton* search_button_ = nullptr;
  QLineEdit* search_box_ = nullptr;
  QMenu* menu_ = nullptr;
  bool centred_after_show_ = false;
};

}  // namespace mlf
