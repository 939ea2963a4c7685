// Showing the window inside a window of the host program: the window loses
// its frame and caption and becomes a child of the host's window at 2,2 of
// its client area, keeps a taskbar button of its own, and notices when the
// host's window goes away.
#pragma once

#include <windows.h>

#include <string>

namespace tht::win32 {

class Hosting {
 public:
  Hosting() = default;
  ~Hosting();
  Hosting(const Hosting&) = delete;
  Hosting& operator=(const Hosting&) = delete;

  // Makes `window` frameless, `width` x `height` at 2,2 of `host`'s client
  // area, as its child; with `host` 0 a borderless top-level window at 2,2
  // of the screen. Under a host, a small top-level window titled `title`
  // stands for the program on the taskbar (closing it there closes
  // `window`), and a timer on `window` (WM_TIMER, kHostWatch) lets it check
  // hostGone().
  void attach(HWND window, HWND host, int width, int height, const std::string& title, HINSTANCE instance);

  // Shows the taskbar button, when there is one.
  void show() const;
  // True once the host's window no longer exists.
  bool hostGone() const;
  // A child window is never activated itself: its focus is set by hand.
  bool isChild() const { return host_ != nullptr; }
  // Ends the watch and removes the taskbar button (the window is closing).
  void detach();

  static constexpr UINT_PTR kHostWatch = 1;

 private:
  static LRESULT CALLBACK taskbarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  HWND host_ = nullptr;
  HWND taskbarButton_ = nullptr;
};

}  // namespace tht::win32
