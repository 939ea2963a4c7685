// The terminal's encoding on Linux (and other POSIX systems): the locale's.
#include "cli/console.h"
#include "platform/cp1252.h"
#include "platform/names.h"

namespace tht::cli {

std::string toTerminal(const std::string& cp1252) {
  return localeTextIsUtf8() ? cp1252ToUtf8(cp1252) : cp1252;
}

void writeConsolesWide() {}

}  // namespace tht::cli
