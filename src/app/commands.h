// What the window's events do: search, page, jump, show the row menu, copy a link.
#pragma once

#include <QObject>

#include "app/app_state.h"
#include "app/main_window.h"

namespace mlf {

class Commands : public QObject {
  Q_OBJECT

 public:
  // Connects the window's events to the commands.
  Commands(MainWindow& window, AppState& state);

  // Fetches page CurrentPage for the keyword in the box and lists its rows.
  void SearchPage();

  void SearchCommand();
  void NextPageCommand();
  void PreviousPageCommand();
  void JumpCommand();
  void ShowRowMenu();
  void CopyMagnetLink();

 private:
  void ShowStatus(const Text& statusText, int rows);

  MainWindow& window_;
  AppState& state_;
};

// A message box captioned "提示" with the information icon and an OK button.
void ShowInformation(const Text& message);

}  // namespace mlf
