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

// The parameters after the program name in a whole command line, split by
// the program's own rules: runs of codes 1 to 32 separate; a double quote
// opens a stretch, running to the next double quote or to the end, whose
// blanks belong to the parameter (the quotes are dropped); a pair of double
// quotes at a parameter's start is skipped; counting stops at the first
// empty parameter.
std::vector<std::string> splitCommandLine(const std::string& line);

// Which direction panels a hosted window keeps.
enum class Direction { Both, Export, Import };

// Parameter 1 with A-Z lower-cased: "exportar", "importar", anything else both.
Direction directionOf(const std::string& word);

// The host window's handle from parameter 2: hexadecimal digits only
// (leading zeros allowed), at most FFFFFFFF. Throws
// "'$<parameter>' no es un valor entero válido" otherwise.
uint32_t parseWindowHandle(const std::string& parameter);

// What the command line makes of the window: exactly two parameters host
// it, under the handle of parameter 2, with the panels parameter 1 picks;
// a handle that is not hexadecimal text leaves it stand-alone after the
// conversion error has been shown.
struct LaunchPlan {
  bool hosted = false;
  Direction direction = Direction::Both;
  uint32_t handle = 0;
  std::string handleError;  // the error box's message; empty when none
  int32_t parameterCount = 0;
};
LaunchPlan launchPlan(const std::vector<std::string>& parameters);

// The error shown when the handle names no window, after which the program
// ends: "No existe la ventana $<handle in hexadecimal> de Horavent".
std::string noHostWindowMessage(uint32_t handle);

// The program file's name (after its last "/" or "\\") without folder and without everything from its
// first "." on, every character after the first in lower case.
std::string applicationTitle(const std::string& programPath);

}  // namespace tht::app
