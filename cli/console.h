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

#include "platform/notifier.h"

namespace tht::cli {

// The text in the encoding of the terminal's locale: UTF-8 when the locale
// says so, else the bytes unchanged.
std::string toTerminal(const std::string& cp1252);

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
