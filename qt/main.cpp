// TransHoraventTEBA: the window program. Stand-alone it offers both
// directions; started by Horavent with a direction word and a window id it
// shows itself inside that window and hands its result back through
// "Horavent.ini" beside the program.
#include <QApplication>

#include "app/command_line.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/names.h"
#include "qt/exit_guard.h"
#include "qt/text.h"
#include "qt/tmform.h"

int main(int argc, char** argv) {
  using namespace tht::app;
  using namespace tht::qt;
  endWithZeroOnFatalErrors();
  const std::vector<std::string> parameters = countedParameters(argc, argv);
  // Qt sees the program name only: the parameters are the host's, and a
  // word such as "-reverse" among them must not change the window.
  int qtArgc = 1;
  QApplication application(qtArgc, argv);
  QApplication::setApplicationName(qtText(applicationTitle(tht::shownName(tht::programFileName()))));

  DialogSink sink;
  FormSettings settings{parameters, tht::joinPath(tht::programFolder(), "Horavent.ini"), tht::defaultWorkFolder()};
  TMForm form(settings, sink);
  if (form.FormCreate()) {
    form.show();
    QApplication::exec();
  }
  return 0;  // the result reaches Horavent through the ini file only
}
