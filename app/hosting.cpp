#include "app/hosting.h"

#include <QGuiApplication>
#include <QWindow>
#include <cstdio>

// After Qt's headers: Xlib defines macros such as None that Qt's use.
#include <X11/Xlib.h>

namespace tht::app {
namespace {

int ignoreXError(Display*, XErrorEvent*) { return 0; }

// Whether the X server knows the window, asked on a connection of our own
// so that Qt's connection never sees the error.
bool windowExists(uint32_t handle) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return false;
  const auto previous = XSetErrorHandler(ignoreXError);
  XWindowAttributes attributes;
  const bool exists = XGetWindowAttributes(display, handle, &attributes) != 0;
  XSetErrorHandler(previous);
  XCloseDisplay(display);
  return exists;
}

std::string hex(uint32_t handle) {
  char text[16];
  std::snprintf(text, sizeof text, "%X", handle);
  return text;
}

}  // namespace

std::string hostUnder(QWidget& window, uint32_t handle) {
  window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  if (handle != 0) {
    if (QGuiApplication::platformName() != "xcb")
      return "No se puede mostrar el programa dentro de la ventana de Horavent: la pantalla no es X11 (" +
             QGuiApplication::platformName().toStdString() + ")";
    if (!windowExists(handle)) return "No existe la ventana $" + hex(handle) + " de Horavent";
    window.winId();  // the window's own X window, to be put under the host's
    window.windowHandle()->setParent(QWindow::fromWinId(handle));
  }
  window.move(2, 2);
  return {};
}

}  // namespace tht::app
