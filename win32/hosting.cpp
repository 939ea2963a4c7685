#include "win32/hosting.h"

namespace tht::win32 {
namespace {

constexpr char kTaskbarClass[] = "TApplication";
// A child window only checks that its host still exists. Over the host,
// the window follows it: a move shows within this time. (Wine delivers no
// window events of another process, so the host's place is polled.)
constexpr UINT kHostWatchMilliseconds = 250;
constexpr UINT kFollowMilliseconds = 40;
constexpr int kRaiseTicks = 5;

}  // namespace

bool underWine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

Hosting::~Hosting() { detach(); }

void Hosting::attach(HWND window, HWND host, int width, int height, const std::string& title, HINSTANCE instance) {
  window_ = window;
  mode_ = !host ? Mode::None : underWine() ? Mode::OverHost : Mode::Child;
  DWORD style = GetWindowLongA(window, GWL_STYLE) & ~(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_POPUP);
  style |= mode_ == Mode::Child ? WS_CHILD : WS_POPUP;
  SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(style));
  SetWindowLongA(window, GWL_EXSTYLE,
                 GetWindowLongA(window, GWL_EXSTYLE) & ~(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_APPWINDOW));
  int left = 2, top = 2;
  if (mode_ == Mode::Child) SetParent(window, host);
  if (mode_ == Mode::OverHost) {
    // Owned by the host's window (a top-level window owns: that of a child
    // host): always above it, never above other programs' windows, and
    // without a taskbar button of its own.
    SetWindowLongPtrA(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(GetAncestor(host, GA_ROOT)));
    POINT corner{2, 2};
    ClientToScreen(host, &corner);
    left = corner.x;
    top = corner.y;
    overHost_ = {false, false, left, top};
  }
  if (host) {
    host_ = host;
    // A host window that goes away takes a child with it; should its
    // destruction not reach this window (under Wine it does not reach an
    // owned window of another process), the watch notices it.
    SetTimer(window, kHostWatch, mode_ == Mode::OverHost ? kFollowMilliseconds : kHostWatchMilliseconds, nullptr);
    // The window has no taskbar button: an empty top-level window with the
    // application title stands for the program there.
    WNDCLASSA taskbar{};
    taskbar.lpfnWndProc = taskbarProc;
    taskbar.hInstance = instance;
    taskbar.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));  // the program's icon (packaging/)
    taskbar.lpszClassName = kTaskbarClass;
    RegisterClassA(&taskbar);
    taskbarButton_ = CreateWindowExA(WS_EX_APPWINDOW, kTaskbarClass, title.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                     GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                                     nullptr, nullptr, instance, this);
  }
  SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

bool Hosting::show() {
  if (taskbarButton_) ShowWindow(taskbarButton_, SW_SHOWNOACTIVATE);
  if (mode_ != Mode::OverHost) return false;
  follow();
  return true;
}

bool Hosting::watch() { return mode_ == Mode::OverHost ? follow() : IsWindow(host_) != FALSE; }

bool Hosting::follow() {
  app::HostWindowState host;
  host.exists = IsWindow(host_) != FALSE;
  if (host.exists) {
    const HWND topLevel = GetAncestor(host_, GA_ROOT);
    host.visible = IsWindowVisible(host_) != FALSE;
    host.minimised = IsIconic(topLevel) != FALSE;
    host.active = GetForegroundWindow() == topLevel;
    POINT origin{0, 0};
    ClientToScreen(host_, &origin);
    host.clientLeft = origin.x;
    host.clientTop = origin.y;
  }
  const app::OverHostAction action = app::followHost(host, overHost_);
  app::recordStep(overHost_, host, action);
  const UINT keep = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
  switch (action.step) {
    case app::OverHostStep::Nothing:
      break;
    case app::OverHostStep::End:
      return false;
    case app::OverHostStep::Hide:
      ShowWindow(window_, SW_HIDE);
      raiseTicks_ = 0;
      return true;
    case app::OverHostStep::Move:
      SetWindowPos(window_, nullptr, action.left, action.top, 0, 0, keep);
      break;
    case app::OverHostStep::Show:
      SetWindowPos(window_, nullptr, action.left, action.top, 0, 0, keep);
      ShowWindow(window_, action.activate ? SW_SHOW : SW_SHOWNOACTIVATE);
      break;
  }
  // A modal window of the tool (a box, the report) takes the keyboard in
  // its place, as a click on the disabled window would give it.
  if (action.activate) SetForegroundWindow(GetLastActivePopup(window_));
  // The host raised on the X server leaves the window below it there,
  // while Wine's own order still has it above its owner; Wine restacks the
  // X window only when that order is asked to change. So it is asked down
  // (Wine keeps it above the host) and back to the top, on this tick and
  // the next few: the host's own restacking may come after this one.
  if (action.raise) raiseTicks_ = kRaiseTicks;
  if (raiseTicks_ > 0) {
    --raiseTicks_;
    const UINT still = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(window_, HWND_BOTTOM, 0, 0, 0, 0, still);
    SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, still);
  }
  return true;
}

void Hosting::detach() {
  if (window_ && host_) KillTimer(window_, kHostWatch);
  if (taskbarButton_) DestroyWindow(taskbarButton_);
  taskbarButton_ = nullptr;
  window_ = nullptr;
}

// The taskbar button's window: closing it from the taskbar closes the form.
LRESULT CALLBACK Hosting::taskbarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrA(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  auto* hosting = reinterpret_cast<Hosting*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_CLOSE && hosting && hosting->window_) {
    PostMessageA(hosting->window_, WM_CLOSE, 0, 0);
    return 0;
  }
  if (message == WM_NCDESTROY && hosting) hosting->taskbarButton_ = nullptr;
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace tht::win32
