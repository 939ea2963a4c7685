// Where the system's names meet the program's texts. The program's texts
// (its messages, the folder and drive lines, the path label) are code page
// 1252. The system's names (paths, folder names, volume labels) are its own
// bytes: code page 1252 on Windows, where the A functions give them so, and
// UTF-8 on Linux whatever the locale says. A name goes back to the system
// exactly as it came (so a name with letters outside code page 1252 still
// opens); it is converted only where a text shows it.
#pragma once

#include <string>

namespace tht {

// A name of the system as the program's texts hold it. Linux: its UTF-8
// converted to code page 1252, letters outside the code page (and bytes that
// are no UTF-8) as '?'. Windows: unchanged.
std::string shownName(const std::string& native);

#ifndef _WIN32
// Whether the locale's texts (a terminal's, the system's error texts) are
// UTF-8: under a UTF-8 locale, and under the C locale, whose ASCII is UTF-8
// too and whose terminals are UTF-8 today. Under a single-byte locale
// (Latin-1, Latin-9) they are bytes whose letters are code page 1252's.
bool localeTextIsUtf8();
#endif

}  // namespace tht
