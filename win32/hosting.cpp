#include "win32/hosting.h"

namespace tht::win32 {
namespace {

constexpr char kTaskbarClass[] = "TApplication";
constexpr UINT kHostWatchMilliseconds = 250;

}  // namespace

Hosting::~Hosting() { detach(); }

void Hosting::attach(HWND window, HWND host, int width, int height, const std::string& title, HINSTANCE instance) {
  window_ = window;
  DWORD style = GetWindowLongA(window, GWL_STYLE) & ~(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_POPUP);
  style |= host ? WS_CHILD : WS_POPUP;
  SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(style));
  SetWindowLongA(window, GWL_EXSTYLE,
                 GetWindowLongA(window, GWL_EXSTYLE) & ~(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_APPWINDOW));
  if (host) {
    SetParent(window, host);
    host_ = host;
    // A host window that goes away takes this one with it; should its
    // destruction not reach this window, the watch notices it.
    SetTimer(window, kHostWatch, kHostWatchMilliseconds, nullptr);
    // A child window has no taskbar button: an empty top-level window with
    // the application title stands for the program there.
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
  SetWindowPos(window, nullptr, 2, 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Hosting::show() const {
  if (taskbarButton_) ShowWindow(taskbarButton_, SW_SHOWNOACTIVATE);
}

bool Hosting::hostGone() const { return host_ && !IsWindow(host_); }

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
