// The one error type of the program. Its message is the exact text the user
// sees, in code page 1252 bytes (Spanish messages carry "\xE1" for "á").
#pragma once

#include <stdexcept>
#include <string>

namespace tht {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// The message as the error box shows it: a full stop is appended when the
// last character sorts after "." (a letter or digit gets one; ")" or "'"
// does not).
std::string messageWithFullStop(const std::string& message);

}  // namespace tht
