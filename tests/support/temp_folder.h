// A temporary folder for one test, removed with everything in it afterwards,
// and small helpers to put files there and read them back byte for byte.
#pragma once

#include <string>

namespace tht::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  // The path of `name` inside the folder.
  std::string file(const std::string& name) const;
  // Writes `bytes` as the file `name` (sub-folders must exist) and returns its path.
  std::string write(const std::string& name, const std::string& bytes) const;

 private:
  std::string path_;
};

// The whole content of a file; fails the test when it cannot be read.
std::string readBytes(const std::string& path);

// The folder of the repository's sources (for the sample school).
std::string sourceDir();

}  // namespace tht::test
