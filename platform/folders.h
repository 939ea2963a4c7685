// The fixed places of the program: the work folder that holds the working
// tables, the program file and its folder (beside which "Horavent.ini"
// lives), and the working directory, which the folder list moves.
#pragma once

#include <string>

#include "platform/system_error.h"

namespace tht {

// The work folder of the timetabling product, "C:\HTEMP". On Windows that
// path itself. Elsewhere the product runs under Wine and sees its drive C:
// as $WINEPREFIX/drive_c ($HOME/.wine/drive_c when WINEPREFIX is unset), so
// it is the folder HTEMP there. Never created here.
std::string defaultWorkFolder();

// The running program file's full path, as the system reports it
// (GetModuleFileNameA on Windows, /proc/self/exe on Linux); empty when it
// cannot be told.
std::string programPath();

// The folder of the running program file.
std::string programFolder();

// The running program file's name without folder.
std::string programFileName();

// The process's working directory; empty when it cannot be told.
std::string workingDirectory();

// Makes `folder` the process's working directory; the failure, with the
// system's Windows-style code, when it cannot (nothing then changes).
SystemError changeWorkingDirectory(const std::string& folder);

}  // namespace tht
