// Talking to the user on a terminal: texts of the program (CP1252 bytes)
// converted to the terminal's encoding, and the run's notices on standard
// error.
#pragma once

#include <iosfwd>
#include <string>

#include "core/notifier.h"

namespace tht::cli {

// The text in the encoding of the terminal. Linux: UTF-8 when the locale
// says so, else the bytes unchanged. Windows: the bytes unchanged; a console
// gets them as wide characters through writeConsolesWide().
std::string toTerminal(const std::string& cp1252);

// Windows: standard output and standard error that are consoles show the
// program's CP1252 texts as the characters they stand for, whatever the
// console's code page (cmd.exe and PowerShell on a Spanish Windows use 850):
// they are written as wide characters (WriteConsoleW). A redirected stream
// gets the CP1252 bytes. Elsewhere nothing to do. Call once, first in main.
void writeConsolesWide();

// Each message on a line of its own; the busy pointer has nothing to show
// on a terminal.
class ConsoleNotifier : public Notifier {
 public:
  explicit ConsoleNotifier(std::ostream& out) : out_(out) {}

  void message(const std::string& text) override;
  void busy(bool) override {}

 private:
  std::ostream& out_;
};

}  // namespace tht::cli
