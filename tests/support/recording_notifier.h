// A notifier that records what the user would see, for the run tests.
#pragma once

#include <string>
#include <vector>

#include "core/notifier.h"

namespace tht::test {

class RecordingNotifier : public Notifier {
 public:
  void message(const std::string& text) override {
    events.push_back(text);
    messages.push_back(text);
  }
  void busy(bool on) override {
    events.push_back(on ? "busy on" : "busy off");
    busyCalls.push_back(on);
  }
  // Messages and hourglass changes ("busy on", "busy off") in order.
  std::vector<std::string> events;
  // The messages alone, and the hourglass changes alone.
  std::vector<std::string> messages;
  std::vector<bool> busyCalls;
};

}  // namespace tht::test
