// Other processes for the Windows tests: a program run to its end with its
// output captured, and a file held open by another process for a while.
#pragma once

#include <string>

namespace tht::test {

// The Windows path under which Wine shows a path of the build machine: its
// root "/" is drive Z:.
std::string windowsPathOf(const std::string& buildMachinePath);

// `argument` quoted for a Windows command line.
std::string quotedArgument(const std::string& argument);

struct ProgramOutcome {
  int status = -1;
  std::string out;  // standard output, the bytes as written
  std::string err;  // standard error, likewise
};

// Runs `commandLine` (the program's path first) until it ends, its
// standard output and error captured separately; `folder` becomes its
// current folder when not empty. Fails the test when it cannot start.
ProgramOutcome runProgram(const std::string& commandLine, const std::string& folder = "");

// The path of a program built beside the tests (`relative` to the build
// folder, "/" separated), as a Windows path.
std::string builtProgram(const std::string& relative);

// Another process (tht-hold-file) holding `path` open with `access` ("r",
// "w", "rw") and `share` ("r", "w", "d" combined, "-" for none) for
// `milliseconds` from the moment the constructor returns; the constructor
// waits until the file is held. The destructor waits for the process to end.
class HeldFile {
 public:
  HeldFile(const std::string& path, const std::string& access, const std::string& share, int milliseconds);
  ~HeldFile();
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

  // Whether the file is held (false when the helper could not open it).
  bool holding() const { return holding_; }
  // Ends the hold before its time.
  void release();

 private:
  void* process_ = nullptr;
  bool holding_ = false;
  std::string ready_;
};

}  // namespace tht::test
