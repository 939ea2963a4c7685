// The window's message boxes, through MessageBoxA: captioned with the
// application title, centred on the screen, modal, one button "Aceptar".
#pragma once

#include <windows.h>

#include <string>

#include "app/run_controller.h"

namespace tht::win32 {

class DialogSink : public app::MessageSink {
 public:
  explicit DialogSink(std::string title) : title_(std::move(title)) {}
  // The window the boxes keep disabled while they are up (0: none yet).
  void setWindow(HWND window) { window_ = window; }
  // No icon.
  void plain(const std::string& text) override;
  // The stop icon; the message with its full stop.
  void error(const std::string& message) override;

 private:
  void show(const std::string& text, UINT icon);
  std::string title_;
  HWND window_ = nullptr;
};

// The runs' notices as plain boxes, the hourglass while they work.
class WindowNotifier : public app::BoxNotifier {
 public:
  using BoxNotifier::BoxNotifier;
  void busy(bool on) override;
  bool isBusy() const { return busy_; }

 private:
  bool busy_ = false;
};

}  // namespace tht::win32
