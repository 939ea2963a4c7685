#include "fuzz/fuzz_support.h"

#include <cstdlib>
#include <fstream>

namespace tht::fuzz {

const std::string& scratchFolder() {
  static const std::string folder = [] {
    std::string pattern = "/tmp/tht-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) std::abort();
    return pattern;
  }();
  return folder;
}

std::string writeScratchFile(const std::string& name, const uint8_t* data, size_t size) {
  const std::string path = scratchFolder() + "/" + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) std::abort();
  return path;
}

}  // namespace tht::fuzz
