// The stand-in for the timetabling product's window that the Windows tests
// and benchmarks start the tool in: a plain grey top-level window captioned
// "Horavent", shown at 20,20, 720 x 480.
#pragma once

#include <windows.h>

namespace tht::test {

inline LRESULT CALLBACK hostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

// Registers the host's window class once and shows a new host window.
inline HWND openHostWindow() {
  static const ATOM registered = [] {
    WNDCLASSA hostClass{};
    hostClass.lpfnWndProc = hostWindowProc;
    hostClass.hInstance = GetModuleHandleA(nullptr);
    hostClass.hbrBackground = CreateSolidBrush(RGB(0x80, 0x80, 0x80));
    hostClass.lpszClassName = "HoraventHost";
    return RegisterClassA(&hostClass);
  }();
  (void)registered;
  const HWND host = CreateWindowExA(0, "HoraventHost", "Horavent", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20,
                                    720, 480, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(host, SW_SHOW);
  UpdateWindow(host);
  return host;
}

}  // namespace tht::test
