// The program's command line: how many parameters count, the hosted mode
// they select, the host window's handle, and the application title.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tht::app {

// The parameters after the program name, as the shell split them; counting
// stops at the first empty one.
std::vector<std::string> countedParameters(int argc, char** argv);

// Which direction panels a hosted window keeps.
enum class Direction { Both, Export, Import };

// Parameter 1 with A-Z lower-cased: "exportar", "importar", anything else both.
Direction directionOf(const std::string& word);

// The host window's handle from parameter 2: hexadecimal digits only
// (leading zeros allowed), at most FFFFFFFF. Throws
// "'$<parameter>' no es un valor entero válido" otherwise.
uint32_t parseWindowHandle(const std::string& parameter);

// The program file's name without folder and without everything from its
// first "." on, every character after the first in lower case.
std::string applicationTitle(const std::string& programPath);

}  // namespace tht::app
