// milianfang-screenshot OUTPUT.png KEYWORD: opens the window, searches for KEYWORD on
// the site that MILIANFANG_SITE names, and saves a picture of the window.
#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

#include "app/commands.h"
#include "app/main_window.h"
#include "text/process_events.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: milianfang-screenshot OUTPUT.png KEYWORD\n");
    return 2;
  }
  mlf::SetProcessEventsHook([] { QCoreApplication::processEvents(); });
  mlf::AppState state;
  mlf::ConstructGlobals(state);
  mlf::MainWindow window;
  mlf::Commands commands(window, state);
  window.show();

  QString output = QString::fromLocal8Bit(argv[1]);
  QString keyword = QString::fromUtf8(argv[2]);
  int exit_code = 1;
  QTimer::singleShot(300, [&] {
    window.findChild<QLineEdit*>(QString::fromUtf8("编辑框_搜索框"))->setText(keyword);
    commands.SearchCommand();
    QTimer::singleShot(300, [&] {
      exit_code = window.grab().save(output) ? 0 : 1;
      application.quit();
    });
  });
  application.exec();
  mlf::ExitRoutine(state);
  return exit_code;
}
