// The command line of the companion program.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace tht::cli {

struct Invocation {
  std::string command;     // export, import, check, show-table; empty for general help
  std::string target;      // TEBA folder, or the table file of show-table
  std::string workFolder;  // empty: the window's work folder
  bool csv = false;
  bool help = false;
};

// A wrong call; the message says what is wrong.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

Invocation parseArguments(const std::vector<std::string>& args);

// The help text of a command (the general one for an empty command).
std::string helpText(const std::string& command);

}  // namespace tht::cli
