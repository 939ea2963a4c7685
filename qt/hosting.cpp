#include "qt/hosting.h"

#include "app/command_line.h"

#include <QGuiApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <utility>

// After Qt's headers: Xlib defines macros such as None that Qt's use.
#include <X11/Xlib.h>

namespace tht::qt {

using namespace tht::app;
namespace {

int ignoreXError(Display*, XErrorEvent*) { return 0; }

// Whether the X server knows the window. An error for it, or for requests
// sent before and not yet answered, fails the call instead of reaching
// Xlib's default handler, which would end the program.
bool windowExists(Display* display, uint32_t handle) {
  const auto previous = XSetErrorHandler(ignoreXError);
  XWindowAttributes attributes;
  const bool exists = XGetWindowAttributes(display, handle, &attributes) != 0;
  XSetErrorHandler(previous);
  return exists;
}

// The same, asked on a connection of our own so that Qt's connection never
// sees the error.
bool windowExists(uint32_t handle) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return false;
  const bool exists = windowExists(display, handle);
  XCloseDisplay(display);
  return exists;
}

// Watches the host window on a connection of its own, and calls `gone`
// when the window is destroyed. Lives as long as the hosted window.
class HostWatch : public QObject {
 public:
  HostWatch(QWidget& window, uint32_t handle, std::function<void()> gone)
      : QObject(&window), handle_(handle), gone_(std::move(gone)) {
    display_ = XOpenDisplay(nullptr);
    if (!display_) return;
    XSelectInput(display_, handle_, StructureNotifyMask);  // an error for it comes with the check
    if (!windowExists(display_, handle_)) {  // gone before the watch began
      QTimer::singleShot(0, this, [this] { report(); });
      return;
    }
    notifier_ = new QSocketNotifier(ConnectionNumber(display_), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { takeEvents(); });
    // Events Xlib already read while answering the calls above wait in its
    // queue, where the socket no longer shows them.
    QTimer::singleShot(0, this, [this] { takeEvents(); });
  }
  ~HostWatch() override {
    if (display_) XCloseDisplay(display_);
  }

 private:
  void takeEvents() {
    while (XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      if (event.type == DestroyNotify && event.xdestroywindow.window == handle_) {
        report();
        return;
      }
    }
  }
  void report() {
    if (notifier_) notifier_->setEnabled(false);
    if (reported_) return;
    reported_ = true;
    gone_();
  }

  uint32_t handle_;
  std::function<void()> gone_;
  Display* display_ = nullptr;
  QSocketNotifier* notifier_ = nullptr;
  bool reported_ = false;
};

}  // namespace

std::string hostUnder(QWidget& window, uint32_t handle, std::function<void()> hostGone) {
  window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  if (handle != 0) {
    if (QGuiApplication::platformName() != "xcb")
      return "No se puede mostrar el programa dentro de la ventana de Horavent: la pantalla no es X11 (" +
             QGuiApplication::platformName().toStdString() + ")";
    if (!windowExists(handle)) return noHostWindowMessage(handle);
    window.winId();  // the window's own X window, to be put under the host's
    window.windowHandle()->setParent(QWindow::fromWinId(handle));
    new HostWatch(window, handle, std::move(hostGone));
  }
  window.move(2, 2);
  return {};
}

}  // namespace tht::qt
