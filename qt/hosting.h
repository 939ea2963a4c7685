// Showing the window inside a window of the host program, on X11.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>

namespace tht::qt {

// Makes `window` a frameless child of the X11 window `handle` at 2,2 of its
// client area; handle 0 leaves it top-level, frameless, at 2,2 of the
// screen. Returns an empty text when done, else what went wrong (a window
// that does not exist, a display that cannot take foreign windows).
// `hostGone` is called, once, when the host window is destroyed later on
// (which destroys `window`'s own X window with it).
std::string hostUnder(QWidget& window, uint32_t handle, std::function<void()> hostGone);

}  // namespace tht::qt
