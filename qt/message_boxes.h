// The window's message boxes and hourglass, behind a small seam so that
// tests record them instead of waiting for a user.
#pragma once

#include <QWidget>
#include <string>

#include "app/run_controller.h"

namespace tht::qt {

// Modal boxes captioned with the application title and centred on the
// screen: the plain one without icon, the error one with a stop icon and
// the message's full stop; one button "Aceptar".
class DialogSink : public app::MessageSink {
 public:
  void plain(const std::string& text) override;
  void error(const std::string& message) override;
};

// The runs' notices as message boxes, and the hourglass as the override
// cursor (restored by the runs on every way out).
class WindowNotifier : public app::BoxNotifier {
 public:
  using app::BoxNotifier::BoxNotifier;
  void busy(bool on) override;
};

}  // namespace tht::qt
