// The terminal's encoding on Linux (and other POSIX systems): the locale's.
#include <langinfo.h>

#include <cstring>

#include "cli/console.h"
#include "platform/cp1252.h"

namespace tht::cli {

std::string toTerminal(const std::string& cp1252) {
  const char* codeset = nl_langinfo(CODESET);
  if (codeset != nullptr && (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0))
    return cp1252ToUtf8(cp1252);
  return cp1252;
}

void writeConsolesWide() {}

}  // namespace tht::cli
