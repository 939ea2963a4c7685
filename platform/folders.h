// The fixed folders of the program: the work folder that holds the working
// tables, and the program's own folder, beside which "Horavent.ini" lives.
#pragma once

#include <string>

namespace tht {

// The timetabling product runs under Wine and sees its drive C: as
// $WINEPREFIX/drive_c ($HOME/.wine/drive_c when WINEPREFIX is unset), so its
// work folder "C:\HTEMP" is the folder HTEMP there. Never created here.
std::string defaultWorkFolder();

// The folder of the running program file (from /proc/self/exe).
std::string programFolder();

// The running program file's name without folder, as the system reports it.
std::string programFileName();

}  // namespace tht
