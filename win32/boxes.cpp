#include "win32/boxes.h"

#include "platform/error.h"

namespace tht::win32 {
namespace {

HHOOK boxHook = nullptr;

// When the box is about to show: "Aceptar" on its button, and the box in the
// middle of the screen.
LRESULT CALLBACK onBoxActivation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    const HWND box = reinterpret_cast<HWND>(wParam);
    SetDlgItemTextA(box, IDOK, "Aceptar");
    RECT frame;
    GetWindowRect(box, &frame);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    SetWindowPos(box, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const HHOOK hook = boxHook;
    boxHook = nullptr;
    UnhookWindowsHookEx(hook);
    return 0;
  }
  return CallNextHookEx(boxHook, code, wParam, lParam);
}

}  // namespace

void DialogSink::show(const std::string& text, UINT icon) {
  // A top-level window (stand-alone, or under Wine over the host) owns the
  // box; a child of another program's window (hosted on Windows) cannot, as
  // the host must stay usable, so it is disabled by hand.
  const bool child = window_ && (GetWindowLongA(window_, GWL_STYLE) & WS_CHILD);
  const HWND owner = window_ && !child ? window_ : nullptr;
  // The control that had the keyboard focus gets it back afterwards.
  const HWND focus = GetFocus();
  if (child) EnableWindow(window_, FALSE);
  boxHook = SetWindowsHookExA(WH_CBT, onBoxActivation, nullptr, GetCurrentThreadId());
  MessageBoxA(owner, text.c_str(), title_.c_str(), MB_OK | icon | (owner ? MB_APPLMODAL : MB_TASKMODAL));
  if (boxHook) {
    UnhookWindowsHookEx(boxHook);
    boxHook = nullptr;
  }
  if (child) EnableWindow(window_, TRUE);
  if (focus && IsWindow(focus) && IsWindowVisible(focus)) SetFocus(focus);
}

void DialogSink::plain(const std::string& text) { show(text, 0); }

void DialogSink::error(const std::string& message) { show(messageWithFullStop(message), MB_ICONSTOP); }

void WindowNotifier::busy(bool on) {
  busy_ = on;
  SetCursor(LoadCursor(nullptr, on ? IDC_WAIT : IDC_ARROW));
}

}  // namespace tht::win32
