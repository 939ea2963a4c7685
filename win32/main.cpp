// TransHoraventTEBA.exe: the window program on Windows. Stand-alone it
// offers both directions; started by Horavent with a direction word and the
// handle of one of its windows it shows itself inside that window and hands
// its result back through "Horavent.ini" beside the program.
#include <windows.h>

#include <exception>

#include "app/command_line.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "win32/tmform.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // A drive without a medium is reported by the calls that touch it, not by
  // a system box.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  try {
    const std::string program = tht::programPath();
    tht::win32::FormSettings settings{tht::app::splitCommandLine(GetCommandLineA()),
                                      tht::joinPath(tht::programFolder(), "Horavent.ini"), tht::defaultWorkFolder(),
                                      tht::app::applicationTitle(program)};
    tht::win32::TMForm form(instance, settings);
    if (form.FormCreate()) {
      form.show();
      MSG message;
      while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (form.handleKey(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
    }
  } catch (const std::exception&) {
    // The result reaches Horavent through the ini file only; the exit code
    // stays 0 whatever happened.
  }
  return 0;
}
