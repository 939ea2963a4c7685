// The window's message boxes and hourglass, behind a small seam so that
// tests record them instead of waiting for a user.
#pragma once

#include <QWidget>
#include <string>

#include "platform/notifier.h"

namespace tht::app {

// Where the plain message box and the error box go. Texts are CP1252.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void plain(const std::string& text) = 0;
  virtual void error(const std::string& message) = 0;
};

// Modal boxes captioned with the application title and centred on the
// screen: the plain one without icon, the error one with a stop icon and
// the message's full stop; one button "Aceptar".
class DialogSink : public MessageSink {
 public:
  void plain(const std::string& text) override;
  void error(const std::string& message) override;
};

// The runs' notices as message boxes, and the hourglass as the override
// cursor (restored by the runs on every way out).
class WindowNotifier : public Notifier {
 public:
  explicit WindowNotifier(MessageSink& sink) : sink_(sink) {}
  void message(const std::string& text) override { sink_.plain(text); }
  void busy(bool on) override;

 private:
  MessageSink& sink_;
};

}  // namespace tht::app
