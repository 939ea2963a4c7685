// Talking to the user on a terminal: texts of the program (CP1252 bytes)
// converted to the terminal's encoding, and the run's notices on standard
// error, with a progress line when a run takes longer than a second.
#pragma once

#include <chrono>
#include <condition_variable>
#include <iosfwd>
#include <mutex>
#include <string>
#include <thread>

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

class ConsoleNotifier : public Notifier {
 public:
  explicit ConsoleNotifier(std::ostream& out,
                           std::chrono::milliseconds progressAfter = std::chrono::seconds(1));
  ~ConsoleNotifier() override;

  void message(const std::string& text) override;
  void busy(bool on) override;

 private:
  void watch();

  std::ostream& out_;
  const std::chrono::milliseconds progressAfter_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool busy_ = false;
  unsigned generation_ = 0;  // counts busy periods, so a late watcher stays quiet
  bool stopping_ = false;
  std::thread watcher_;
};

}  // namespace tht::cli
