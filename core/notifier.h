// What the runs tell the user while they work. The window implements it with
// message boxes and the hourglass pointer; tests implement it with a recorder.
#pragma once

#include <string>

namespace tht {

class Notifier {
 public:
  virtual ~Notifier() = default;
  // A plain modal message (no icon, one button); returns when dismissed.
  // The text is code page 1252 bytes.
  virtual void message(const std::string& text) = 0;
  // Hourglass pointer on (true) or back to normal (false).
  virtual void busy(bool on) = 0;
};

// Puts the hourglass up for its lifetime, and takes it down on every way out.
class BusyPointer {
 public:
  explicit BusyPointer(Notifier& notifier) : notifier_(notifier) { notifier_.busy(true); }
  ~BusyPointer() { notifier_.busy(false); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  Notifier& notifier_;
};

}  // namespace tht
