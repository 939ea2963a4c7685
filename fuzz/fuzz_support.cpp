#include "fuzz/fuzz_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace tht::fuzz {

const std::string& scratchFolder() {
  // Never destroyed, so the exit handler below can still name it.
  static const std::string* const folder = [] {
    std::string pattern = "/tmp/tht-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) std::abort();
    return new std::string(pattern);
  }();
  static const bool removedAtExit = [] {
    // Removed when the fuzzer ends normally; a crash leaves it to look at.
    return std::atexit([] { std::filesystem::remove_all(*folder); }) == 0;
  }();
  (void)removedAtExit;
  return *folder;
}

std::string writeScratchFile(const std::string& name, const uint8_t* data, size_t size) {
  const std::string path = scratchFolder() + "/" + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) std::abort();
  return path;
}

}  // namespace tht::fuzz
