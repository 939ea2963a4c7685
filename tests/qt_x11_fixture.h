// The real window program on a real X server (Xvfb), for the tests that
// start it: the server, the program's start in a folder of its own, waits
// on X events (windows mapped and unmapped, the program's answers to
// pings), each with a deadline and never for a fixed time, key presses
// through XTest, and screenshots under build/tests/artifacts.
#pragma once

#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <cmath>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/folders.h"
#include "tests/support/temp_folder.h"

// After Qt's headers: Xlib defines macros such as None.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace tht::test {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Windows come and go while the test walks the tree (a box closing between
// listing the children and asking for their attributes): such a BadWindow
// makes the call fail, which the callers check, instead of Xlib's default
// handler ending the whole test process.
inline int ignoreXError(Display*, XErrorEvent*) { return 0; }

// An X server for the test: the one of DISPLAY, else an Xvfb of our own,
// which picks a free display number and writes it to a pipe once it
// accepts connections.
class XServer {
 public:
  XServer() {
    XSetErrorHandler(ignoreXError);
    if (const char* display = std::getenv("DISPLAY"); display && *display) {
      name_ = display;
      display_ = XOpenDisplay(name_.c_str());
      return;
    }
    int ready[2];
    if (pipe(ready) != 0) return;
    const std::string logs = std::string(THT_BINARY_DIR) + "/artifacts/xvfb";
    const std::string log = logs + "-" + std::to_string(getpid()) + ".log";  // named after its display below
    fs::create_directories(std::string(THT_BINARY_DIR) + "/artifacts");
    xvfb_ = fork();
    if (xvfb_ == 0) {
      close(ready[0]);
      if (FILE* err = std::fopen(log.c_str(), "w")) dup2(fileno(err), 2);
      const std::string fd = std::to_string(ready[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
             static_cast<char*>(nullptr));
      _exit(127);
    }
    close(ready[1]);
    std::string number;
    pollfd wait{ready[0], POLLIN, 0};
    char c;
    while (poll(&wait, 1, 10000) == 1 && read(ready[0], &c, 1) == 1 && c != '\n') number += c;
    close(ready[0]);
    if (number.empty()) return;  // it did not start (Xvfb missing?)
    name_ = ":" + number;
    std::error_code ignored;
    fs::rename(log, logs + name_ + ".log", ignored);
    display_ = XOpenDisplay(name_.c_str());
  }
  ~XServer() {
    if (display_) XCloseDisplay(display_);
    if (xvfb_ > 0) {
      kill(xvfb_, SIGTERM);
      waitpid(xvfb_, nullptr, 0);
    }
  }
  Display* display() const { return display_; }
  const std::string& name() const { return name_; }

 private:
  std::string name_;
  pid_t xvfb_ = -1;
  Display* display_ = nullptr;
};

inline std::string hex(unsigned long id) {
  char text[32];
  std::snprintf(text, sizeof text, "%lX", id);
  return text;
}

class HostedProgram : public ::testing::Test {
 protected:
  XServer server;
  TempFolder programFolder;
  TempFolder teba;
  TempFolder home;
  pid_t program = -1;

  void SetUp() override {
    if (!server.display()) GTEST_SKIP() << "no X server could be started (Xvfb missing?)";
    // Windows mapped, unmapped and destroyed at the top level, and the
    // program's answers to pings, which it sends to the root window for
    // those who listen for its structure.
    XSelectInput(server.display(), DefaultRootWindow(server.display()), SubstructureNotifyMask | StructureNotifyMask);
    fs::copy_file(THT_APP_PATH, programFolder.file("TransHoraventTEBA"));
    fs::permissions(programFolder.file("TransHoraventTEBA"), fs::perms::owner_all);
    fs::create_directories(artifacts());
  }
  void TearDown() override {
    if (program > 0) {
      kill(program, SIGKILL);
      waitpid(program, nullptr, 0);
    }
  }
  static std::string artifacts() { return std::string(THT_BINARY_DIR) + "/artifacts"; }

  void launch(const std::vector<std::string>& args) {
    program = fork();
    if (program == 0) {
      // Should the test process end early, the program goes with it rather
      // than keeping the test's output open until the runner's timeout.
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      if (changeWorkingDirectory(teba.path())) _exit(126);
      setenv("DISPLAY", server.name().c_str(), 1);
      setenv("QT_QPA_PLATFORM", "xcb", 1);
      setenv("HOME", home.path().c_str(), 1);
      // A sanitized build: leaks of the system libraries Qt loads are not ours.
      setenv("LSAN_OPTIONS", ("suppressions=" + sourceDir() + "/tests/lsan.supp").c_str(), 0);
      std::vector<char*> argv;
      const std::string path = programFolder.file("TransHoraventTEBA");
      argv.push_back(const_cast<char*>(path.c_str()));
      for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
      argv.push_back(nullptr);
      execv(path.c_str(), argv.data());
      _exit(127);
    }
  }
  // Waits until `condition` holds, looking again after every X event that
  // comes and at least every 20 ms (a process ending sends none); false
  // when it still does not hold after `milliseconds`.
  bool waitFor(const std::function<bool()>& condition, int milliseconds = 10000) {
    Display* display = server.display();
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
      while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == ClientMessage && static_cast<Atom>(event.xclient.data.l[0]) == atom("_NET_WM_PING"))
          pongs_.insert(event.xclient.data.l[1]);
      }
      if (condition()) return true;
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) return false;
      pollfd connection{ConnectionNumber(display), POLLIN, 0};
      poll(&connection, 1, static_cast<int>(std::min<long long>(left, 20)));
    }
  }
  Atom atom(const char* name) { return XInternAtom(server.display(), name, False); }
  // Pings the program's window `window` twice and waits for its answers:
  // the program has then handled what was sent to it before (key presses,
  // a box's close), showing any box that brought, and gone back to waiting
  // for input. False when it did not answer (it has ended).
  bool settle(Window window) {
    for (int round = 0; round < 2; ++round) {
      const long serial = ++pings_;
      XEvent event{};
      event.xclient.type = ClientMessage;
      event.xclient.window = window;
      event.xclient.message_type = atom("WM_PROTOCOLS");
      event.xclient.format = 32;
      event.xclient.data.l[0] = static_cast<long>(atom("_NET_WM_PING"));
      event.xclient.data.l[1] = serial;
      event.xclient.data.l[2] = static_cast<long>(window);
      XSendEvent(server.display(), window, False, NoEventMask, &event);
      XFlush(server.display());
      if (!waitFor([&] { return pongs_.count(serial) > 0; }, 5000)) return false;
    }
    return true;
  }
  // Waits for the program to end by itself; its exit status, -1 on timeout.
  int waitForExit() {
    int status = 0;
    if (!waitFor([&] { return waitpid(program, &status, WNOHANG) == program; })) return -1;
    program = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // The first mapped child of `parent` whose name is `name` (any when
  // empty); 0 when there is none.
  Window mappedChild(Window parent, const std::string& name = {}) {
    Window root, parentOut, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(server.display(), parent, &root, &parentOut, &children, &count)) {
      for (unsigned c = 0; c < count && !found; ++c) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(server.display(), children[c], &attributes) || attributes.map_state != IsViewable)
          continue;
        char* title = nullptr;
        if (name.empty()) {
          found = children[c];
        } else if (XFetchName(server.display(), children[c], &title) && title) {
          if (name == title) found = children[c];
          XFree(title);
        }
      }
      if (children) XFree(children);
    }
    return found;
  }
  // The same, waiting for it to appear.
  Window findChild(Window parent, const std::string& name = {}) {
    Window found = 0;
    waitFor([&] { return (found = mappedChild(parent, name)) != 0; });
    return found;
  }
  void closeWindow(Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = atom("WM_PROTOCOLS");
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(atom("WM_DELETE_WINDOW"));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(server.display(), window, False, NoEventMask, &event);
    XFlush(server.display());
  }
  // What `window` shows now.
  QImage grab(Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(server.display(), window, &attributes)) return {};
    XImage* image = XGetImage(server.display(), window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (!image) return {};
    QImage shot(attributes.width, attributes.height, QImage::Format_RGB32);
    for (int y = 0; y < attributes.height; ++y)
      for (int x = 0; x < attributes.width; ++x) shot.setPixel(x, y, XGetPixel(image, x, y) & 0xFFFFFF);
    XDestroyImage(image);
    return shot;
  }
  // Saves what `window` shows once `program` (the window itself, or the
  // program's window inside it) has handled its events and the picture
  // has something on it and holds still.
  void screenshot(Window window, const std::string& name, Window program = 0) {
    settle(program ? program : window);
    const auto painted = [](const QImage& image) {
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
          if (image.pixel(x, y) != image.pixel(0, 0)) return true;
      return false;
    };
    QImage shot = grab(window);
    waitFor([&] {
      const QImage again = grab(window);
      const bool still = again == shot && painted(shot);
      shot = again;
      return still;
    }, 3000);
    EXPECT_TRUE(shot.save(QString::fromStdString(artifacts() + "/" + name)));
  }
  // A measure of the window scaled as the program scales it.
  static int scaled(int value) { return static_cast<int>(std::lround(value * textHeight() / 13.0)); }
  static int textHeight() {
    static const int height = [] {
      QFont font;
      font.setFamilies({"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arimo", "DejaVu Sans"});
      font.setPixelSize(11);
      return QFontMetrics(font).height();
    }();
    return height;
  }
  // A key pressed and released on the keyboard, as the X server sees it.
  void press(KeySym key, KeySym modifier = NoSymbol) {
    Display* display = server.display();
    const KeyCode code = XKeysymToKeycode(display, key);
    const KeyCode held = modifier == NoSymbol ? 0 : XKeysymToKeycode(display, modifier);
    if (held) XTestFakeKeyEvent(display, held, True, CurrentTime);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    if (held) XTestFakeKeyEvent(display, held, False, CurrentTime);
    XSync(display, False);
  }
  // Dismisses the program's message boxes one by one as they come, the
  // `expected` ones and any that follows them once the program has settled;
  // how many there were. The keyboard focus then goes back to the window,
  // as a window manager would give it back.
  int dismissBoxes(int expected) {
    const Window root = DefaultRootWindow(server.display());
    const Window window = mappedChild(root, kWindowTitle);
    int count = 0;
    for (;;) {
      Window box = 0;
      if (count < expected) {
        box = findChild(root, kBoxTitle);
      } else {
        settle(window);
        box = mappedChild(root, kBoxTitle);
      }
      if (!box) break;
      ++count;
      closeWindow(box);
      waitFor([&] { return mappedChild(root, kBoxTitle) != box; });
    }
    focus(window);
    return count;
  }
  void focus(Window window) {
    XSetInputFocus(server.display(), window, RevertToParent, CurrentTime);
    XSync(server.display(), False);
  }
  // The stand-alone window, shown with the keyboard focus on it.
  Window focusedStandAloneWindow() {
    const Window window = findChild(DefaultRootWindow(server.display()), kWindowTitle);
    if (window) focus(window);
    return window;
  }
  Window hostWindow() {
    Display* display = server.display();
    const Window host = XCreateSimpleWindow(display, DefaultRootWindow(display), 10, 10, 700, 420, 0, 0, 0x808080);
    XSelectInput(display, host, SubstructureNotifyMask);  // the program's window coming and going
    XMapWindow(display, host);
    XSync(display, False);
    return host;
  }

  static constexpr const char* kWindowTitle = "Exportar e importar datos entre Horavent y TEBA";
  static constexpr const char* kBoxTitle = "Transhoraventteba";

 private:
  std::set<long> pongs_;  // the pings the program has answered
  long pings_ = 0;
};

}  // namespace tht::test
