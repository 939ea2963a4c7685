// Showing the window inside a window of the host program: the window loses
// its frame and caption and stands at 2,2 of the host's client area, keeps
// a taskbar button of its own, and notices when the host's window goes
// away. On Windows it becomes the host window's child. Under Wine, which
// does not draw a child window of another process (the child stays unseen),
// it becomes a borderless window owned by the host's window, kept over its
// client area at 2,2 while the host moves, and hidden while the host is
// minimised or hidden.
#pragma once

#include <windows.h>

#include <string>

#include "app/over_host.h"

namespace tht::win32 {

// True when the program runs under Wine (its ntdll says so).
bool underWine();

class Hosting {
 public:
  Hosting() = default;
  ~Hosting();
  Hosting(const Hosting&) = delete;
  Hosting& operator=(const Hosting&) = delete;

  // Makes `window` frameless, `width` x `height` at 2,2 of `host`'s client
  // area, as its child (or, under Wine, owned by it); with `host` 0 a
  // borderless top-level window at 2,2 of the screen. Under a host, a small
  // top-level window titled `title` stands for the program on the taskbar
  // (closing it there closes `window`), and a timer on `window` (WM_TIMER,
  // kHostWatch) calls for watch().
  void attach(HWND window, HWND host, int width, int height, const std::string& title, HINSTANCE instance);

  // Shows the taskbar button, when there is one. Over the host, shows the
  // window too, where the host is, and returns true; otherwise the caller
  // shows it.
  bool show();
  // On each kHostWatch tick: keeps the window over the host when it stands
  // there. False once the host's window no longer exists.
  bool watch();
  // A child window is never activated itself: its focus is set by hand.
  bool isChild() const { return mode_ == Mode::Child; }
  // Ends the watch and removes the taskbar button (the window is closing).
  void detach();

  static constexpr UINT_PTR kHostWatch = 1;

 private:
  enum class Mode { None, Child, OverHost };
  static LRESULT CALLBACK taskbarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // One step of following the host; false when the host is gone.
  bool follow();

  HWND window_ = nullptr;
  HWND host_ = nullptr;
  HWND taskbarButton_ = nullptr;
  Mode mode_ = Mode::None;
  app::OverHostWindow overHost_;
  int raiseTicks_ = 0;  // ticks on which the window is still brought above the host
};

}  // namespace tht::win32
