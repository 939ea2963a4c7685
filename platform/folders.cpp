// The parts of the program's places that are the same on every system.
#include "platform/folders.h"

#include "platform/files.h"

namespace tht {

std::string programFolder() {
  const std::string path = programPath();
  if (path.empty()) return ".";
  return splitPath(path).folder;
}

std::string programFileName() { return splitPath(programPath()).name; }

}  // namespace tht
