// TransHoraventTEBA.exe as Horavent starts it, run under Wine on an X
// server, for the tests that start it: this program is the host. It makes a
// window, starts the tool with CreateProcessA, "exportar" or "importar" and
// the window's handle in hexadecimal, finds the tool's windows and message
// boxes, presses keys (posted to the control that has the keyboard focus,
// through the tool's message loop as typed keys go), dismisses the boxes
// with their button, and takes screenshots under build-*/tests/artifacts.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/gradient.h"
#include "tests/support/host_window.h"
#include "tests/support/png_file.h"
#include "tests/support/temp_folder.h"
#include "tests/support/windows_process.h"
#include "tests/support/x_screen.h"

namespace tht::test {

namespace fs = std::filesystem;

// The controls' identifiers: 100 + their place in the window's declaration order.
constexpr int kDraw3D2 = 100, kBExportar = 102, kDraw3D3 = 103, kBImportar = 105, kDraw3D1 = 106, kBClose = 109,
              kDirectorios = 110, kUnidades = 111, kBComprobar = 114;

inline void pump(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(10);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

inline std::string textOf(HWND window) {
  char text[1024] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

inline std::string classOf(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

struct Search {
  DWORD process;
  std::string windowClass;
  std::string caption;  // any when empty
  HWND found;
};

inline BOOL CALLBACK matchWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == search.process && IsWindowVisible(window) && classOf(window) == search.windowClass &&
      (search.caption.empty() || textOf(window) == search.caption)) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

// A message box as the user sees it.
struct Box {
  HWND window = nullptr;
  std::string text;
  std::string button;
  bool icon = false;
};

inline BOOL CALLBACK readBoxPart(HWND child, LPARAM data) {
  auto& box = *reinterpret_cast<Box*>(data);
  if (!IsWindowVisible(child)) return TRUE;
  const std::string kind = classOf(child);
  const LONG style = GetWindowLongA(child, GWL_STYLE);
  if (kind == "Static" || kind == "STATIC") {
    if ((style & SS_TYPEMASK) == SS_ICON)
      box.icon = box.icon || SendMessageA(child, STM_GETICON, 0, 0) != 0;
    else if (!textOf(child).empty())
      box.text = textOf(child);
  } else if (kind == "Button" || kind == "BUTTON") {
    box.button += (box.button.empty() ? "" : "|") + textOf(child);
  }
  return TRUE;
}

// Wine's ntdll says so; the tool then stands over the host's window
// instead of inside it.
inline bool underWine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

inline long colourOf(const app::Rgb& rgb) { return static_cast<long>(rgb.red) << 16 | rgb.green << 8 | rgb.blue; }

// A point `dx`, `dy` from the host's client area's top left corner, on the screen.
inline POINT onScreen(HWND host, int dx, int dy) {
  POINT point{dx, dy};
  ClientToScreen(host, &point);
  return point;
}

inline bool waitFor(const std::function<bool()>& condition, DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  while (!condition()) {
    if (static_cast<LONG>(end - GetTickCount()) <= 0) return false;
    pump(10);
  }
  return true;
}

inline std::string hex(HWND window) {
  char text[32];
  std::snprintf(text, sizeof text, "%lX", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
  return text;
}

class HostedTool : public ::testing::Test {
 protected:
  TempFolder programFolder;
  TempFolder teba;
  PROCESS_INFORMATION tool{};
  HWND host = nullptr;

  void SetUp() override {
    CopyFileA(builtProgram("win32/TransHoraventTEBA.exe").c_str(), exe().c_str(), FALSE);
    ASSERT_TRUE(fs::exists(exe()));
    CreateDirectoryA(artifacts().c_str(), nullptr);
  }
  void TearDown() override {
    if (tool.hProcess) {
      if (WaitForSingleObject(tool.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(tool.hProcess, 1);
      WaitForSingleObject(tool.hProcess, 5000);
      CloseHandle(tool.hProcess);
      CloseHandle(tool.hThread);
    }
    if (host) DestroyWindow(host);
  }
  std::string exe() const { return programFolder.file("TransHoraventTEBA.exe"); }
  std::string ini() const { return programFolder.file("Horavent.ini"); }
  static std::string artifacts() { return builtProgram("tests/artifacts"); }

  HWND makeHost() {
    host = openHostWindow();
    pump(100);
    return host;
  }
  void launch(const std::string& parameters) {
    std::string line = quotedArgument(exe()) + (parameters.empty() ? "" : " " + parameters);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, teba.path().c_str(),
                               &startup, &tool))
        << "cannot start the tool: error " << GetLastError();
  }
  // The tool's visible window of `windowClass` (and caption), waiting for it.
  HWND find(const std::string& windowClass, const std::string& caption = "", DWORD milliseconds = 30000) {
    const DWORD end = GetTickCount() + milliseconds;
    do {
      Search search{tool.dwProcessId, windowClass, caption, nullptr};
      EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
      if (!search.found && host) {
        for (HWND child = FindWindowExA(host, nullptr, windowClass.c_str(), nullptr); child && !search.found;
             child = FindWindowExA(host, child, windowClass.c_str(), nullptr))
          if (IsWindowVisible(child)) search.found = child;
      }
      if (search.found) return search.found;
      pump(20);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
    return nullptr;
  }
  // The tool's window, once it has set its keyboard focus.
  HWND form() {
    const HWND window = find("TMForm");
    for (int i = 0; window && i < 250 && focusedControl() == 0; ++i) pump(20);
    return window;
  }
  // The next message box, its parts read; none within the wait: empty.
  Box nextBox(DWORD milliseconds = 10000) {
    Box box;
    box.window = find("#32770", "Transhoraventteba", milliseconds);
    if (box.window) {
      pump(200);  // let it finish setting itself up
      EnumChildWindows(box.window, readBoxPart, reinterpret_cast<LPARAM>(&box));
    }
    return box;
  }
  void dismiss(const Box& box) {
    PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box.window, IDOK)));
    for (int i = 0; i < 200 && IsWindow(box.window) && IsWindowVisible(box.window); ++i) pump(20);
    // A user's click brings more input behind it (the button's release, the
    // mouse moving on); without any, Wine's dialog loop would only notice
    // its end with the next message.
    PostThreadMessageA(tool.dwThreadId, WM_NULL, 0, 0);
  }
  // All the boxes that come one after the other, each dismissed.
  std::vector<std::string> dismissAll() {
    std::vector<std::string> texts;
    for (Box box = nextBox(); box.window; box = nextBox(1500)) {
      texts.push_back(box.text);
      dismiss(box);
    }
    return texts;
  }
  // A key typed on the control that has the tool's keyboard focus.
  void type(WORD key, bool alt = false) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetGUIThreadInfo(tool.dwThreadId, &info));
    ASSERT_NE(info.hwndFocus, nullptr) << "no control of the tool has the focus";
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, 0)) << 16 | 1 | (alt ? 1 << 29 : 0);
    PostMessageA(info.hwndFocus, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, scan);
    PostMessageA(info.hwndFocus, alt ? WM_SYSKEYUP : WM_KEYUP, key, scan | 0xC0000000);
    pump(200);
  }
  int focusedControl() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(tool.dwThreadId, &info);
    return info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : 0;
  }
  bool ended(DWORD milliseconds = 10000) {
    const DWORD end = GetTickCount() + milliseconds;
    while (WaitForSingleObject(tool.hProcess, 0) == WAIT_TIMEOUT) {
      if (static_cast<LONG>(end - GetTickCount()) <= 0) return false;
      pump(20);
    }
    return true;
  }
  void screenshot(HWND window, const std::string& name) {
    pump(300);  // let it paint
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_TRUE(writeScreenPng(artifacts() + "\\" + name, frame.left, frame.top, frame.right - frame.left,
                               frame.bottom - frame.top));
  }
  bool visible(HWND form, int id) { return IsWindowVisible(GetDlgItem(form, id)) != FALSE; }
  // Without frame or caption at 2,2 of the host's client area: its child on
  // Windows, under Wine a window owned by the host standing there.
  void expectAtTwoTwoOfTheHost(HWND window) {
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION, 0) << "frame and caption kept";
    if (underWine()) {
      EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_CHILD, 0);
      EXPECT_EQ(GetWindow(window, GW_OWNER), host);
      RECT frame;
      GetWindowRect(window, &frame);
      const POINT corner = onScreen(host, 2, 2);
      EXPECT_EQ(frame.left, corner.x);
      EXPECT_EQ(frame.top, corner.y);
    } else {
      EXPECT_EQ(GetParent(window), host);
      POINT corner{0, 0};
      MapWindowPoints(window, host, &corner, 1);
      EXPECT_EQ(corner.x, 2);
      EXPECT_EQ(corner.y, 2);
    }
  }
  // The dialog frame and caption bar that the stand-alone window has.
  static SIZE hostedSize(const RECT& client) {
    return {client.right + 2 * GetSystemMetrics(SM_CXDLGFRAME),
            client.bottom + GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYDLGFRAME)};
  }
};

}  // namespace tht::test
