#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace tht::test {

// A new folder "tht-test-XXXXXX" in the system's temporary folder ($TMPDIR or
// /tmp on Linux, %TEMP% on Windows); a name that is taken is drawn again.
TempFolder::TempFolder() {
  std::error_code error;
  const std::filesystem::path base = std::filesystem::temp_directory_path(error);
  static std::mt19937_64 draw(std::random_device{}() ^
                              static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = "tht-test-";
    for (int i = 0; i < 6; ++i) name += kLetters[draw() % (sizeof kLetters - 1)];
    const std::filesystem::path candidate = base / name;
    if (std::filesystem::create_directory(candidate, error)) {
      path_ = candidate.string();
      return;
    }
  }
  ADD_FAILURE() << "cannot create a temporary folder in " << base.string();
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  // Folders a test made read-only must become writable again to be removed.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
    if (it->is_directory(ignored))
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
  }
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::file(const std::string& name) const {
  return (std::filesystem::path(path_) / name).string();
}

std::string TempFolder::write(const std::string& name, const std::string& bytes) const {
  const std::string path = file(name);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) ADD_FAILURE() << "cannot write " << path;
  return path;
}

std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    ADD_FAILURE() << "cannot read " << path;
    return {};
  }
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::string sourceDir() {
  const char* dir = std::getenv("THT_SOURCE_DIR");
  std::string path = dir != nullptr ? dir : THT_SOURCE_DIR;
#ifdef _WIN32
  // A Windows test program runs under Wine, which shows the build machine's
  // root "/" as drive Z:.
  if (!path.empty() && path[0] == '/') {
    for (char& c : path)
      if (c == '/') c = '\\';
    path = "Z:" + path;
  }
#endif
  return path;
}

}  // namespace tht::test
