// 觅链坊: the entry routine. Sets up the toolkit, builds the shared state, shows the
// window and runs the message loop; the state is released when the loop has ended.
#include <QApplication>
#include <QMessageBox>

#include "app/commands.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "text/fatal_error.h"
#include "text/process_events.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  mlf::SetFatalErrorReporter([](const mlf::Text& message) {
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8("错误"), mlf::ToQString(message),
                    QMessageBox::Ok);
    box.exec();
  });
  // Waiting window messages are handled; a quit request stays queued for the loop, so
  // closing the window during a search ends the program once the search has returned.
  mlf::SetProcessEventsHook([] { QCoreApplication::processEvents(); });

  mlf::AppState state;
  mlf::ConstructGlobals(state);
  struct ExitRoutineAtEnd {
    mlf::AppState& state;
    ~ExitRoutineAtEnd() { mlf::ExitRoutine(state); }
  } exit_routine{state};

  mlf::MainWindow window;
  mlf::Commands commands(window, state);
  window.CentreOnScreen();
  window.show();
  return application.exec();
}
