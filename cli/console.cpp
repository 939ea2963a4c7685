#include "cli/console.h"

#include <ostream>

namespace tht::cli {

ConsoleNotifier::ConsoleNotifier(std::ostream& out, std::chrono::milliseconds progressAfter)
    : out_(out), progressAfter_(progressAfter), watcher_([this] { watch(); }) {}

ConsoleNotifier::~ConsoleNotifier() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  watcher_.join();
}

void ConsoleNotifier::message(const std::string& text) {
  std::lock_guard<std::mutex> lock(mutex_);
  out_ << toTerminal(text) << std::endl;
}

void ConsoleNotifier::busy(bool on) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (on && !busy_) ++generation_;
    busy_ = on;
  }
  changed_.notify_all();
}

// Prints one progress line when a busy period outlasts the delay.
void ConsoleNotifier::watch() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!stopping_) {
    changed_.wait(lock, [this] { return stopping_ || busy_; });
    if (stopping_) break;
    const unsigned period = generation_;
    const bool ended = changed_.wait_for(lock, progressAfter_, [this, period] {
      return stopping_ || !busy_ || generation_ != period;
    });
    if (!ended) out_ << toTerminal("Procesando...") << std::endl;
    changed_.wait(lock, [this, period] { return stopping_ || !busy_ || generation_ != period; });
  }
}

}  // namespace tht::cli
