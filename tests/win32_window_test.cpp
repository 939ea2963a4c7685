// TransHoraventTEBA.exe as Horavent starts it, run under Wine on an X
// server: this program is the host. It makes a window, starts the tool
// with CreateProcessA, "exportar" or "importar" and the window's handle in
// hexadecimal, checks where the tool's window stands and what it shows,
// presses keys (posted to the control that has the keyboard focus, through
// the tool's message loop as typed keys go) and dismisses the boxes with
// their button, then reads "Horavent.ini". Screenshots of the window and
// the boxes, and of the whole X screen where it matters what the user sees,
// are kept under build-*/tests/artifacts for people to look at.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/gradient.h"
#include "tests/support/png_file.h"
#include "tests/support/temp_folder.h"
#include "tests/support/windows_process.h"
#include "tests/support/x_screen.h"

namespace tht::test {
namespace {

namespace fs = std::filesystem;

// The controls' identifiers: 100 + their place in the window's declaration order.
constexpr int kDraw3D2 = 100, kBExportar = 102, kDraw3D3 = 103, kBImportar = 105, kDraw3D1 = 106, kBClose = 109,
              kDirectorios = 110, kUnidades = 111;

void pump(DWORD milliseconds) {
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

std::string textOf(HWND window) {
  char text[1024] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string classOf(HWND window) {
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

BOOL CALLBACK matchWindow(HWND window, LPARAM data) {
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

BOOL CALLBACK readBoxPart(HWND child, LPARAM data) {
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

LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

// Wine's ntdll says so; the tool then stands over the host's window
// instead of inside it.
bool underWine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

long colourOf(const app::Rgb& rgb) { return static_cast<long>(rgb.red) << 16 | rgb.green << 8 | rgb.blue; }

// A point `dx`, `dy` from the host's client area's top left corner, on the screen.
POINT onScreen(HWND host, int dx, int dy) {
  POINT point{dx, dy};
  ClientToScreen(host, &point);
  return point;
}

bool waitFor(const std::function<bool()>& condition, DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  while (!condition()) {
    if (static_cast<LONG>(end - GetTickCount()) <= 0) return false;
    pump(10);
  }
  return true;
}

std::string hex(HWND window) {
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
    WNDCLASSA hostClass{};
    hostClass.lpfnWndProc = hostProc;
    hostClass.hInstance = GetModuleHandleA(nullptr);
    hostClass.hbrBackground = CreateSolidBrush(RGB(0x80, 0x80, 0x80));
    hostClass.lpszClassName = "HoraventHost";
    RegisterClassA(&hostClass);
    host = CreateWindowExA(0, "HoraventHost", "Horavent", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20, 720, 480,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(host, SW_SHOW);
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

TEST_F(HostedTool, ImportInsideTheHostAtTwoTwoThenSalirHandsOverZero) {
  programFolder.write("Horavent.ini", "[General]\r\nRuta=C:\\HTEMP\r\n[Transformadores]\r\nTransformado=1\r\n");
  launch("importar " + hex(makeHost()));
  const HWND window = form();
  ASSERT_NE(window, nullptr) << "the tool's window did not appear";
  expectAtTwoTwoOfTheHost(window);
  RECT client;
  GetClientRect(window, &client);
  RECT panel;
  GetClientRect(GetDlgItem(window, kDraw3D1), &panel);
  // 205 high at the bottom, full width; the rest is the import panel's.
  EXPECT_EQ(panel.right, client.right);
  RECT band;
  GetClientRect(GetDlgItem(window, kDraw3D3), &band);
  EXPECT_EQ(band.bottom + panel.bottom, client.bottom);
  EXPECT_EQ(band.right, client.right);
  EXPECT_FALSE(visible(window, kDraw3D2));
  EXPECT_TRUE(visible(window, kDraw3D3));
  EXPECT_EQ(focusedControl(), kBImportar);
  // The program's own taskbar button: a top-level window with the application title.
  const HWND button = FindWindowA("TApplication", "Transhoraventteba");
  DWORD owner = 0;
  GetWindowThreadProcessId(button, &owner);
  EXPECT_EQ(owner, tool.dwProcessId);
  EXPECT_TRUE(IsWindowVisible(button));
  EXPECT_NE(GetWindowLongA(button, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
  type('S', true);  // Alt+S: "&Salir"
  EXPECT_TRUE(ended()) << "Alt+S did not close";
  EXPECT_EQ(readBytes(ini()), "[General]\r\nRuta=C:\\HTEMP\r\n[Transformadores]\r\nTransformado=0\r\n");
}

// What the user sees: the X server's screen shows the export panel's
// gradient at the top of the host's client area from 2,2 and the folder
// panel's below it, the host's colour around them; the tool follows the
// host when it moves, hides while it is minimised and shows again with it.
// Then Enter on the export button, Enter on the box: the sample school is
// exported and 1 handed over.
TEST_F(HostedTool, SeenOverTheHostFollowingItThenTheSampleSchoolExportedHandsOverOne) {
  if (!underWine()) GTEST_SKIP() << "the screen is read from Wine's X server";
  for (const auto& entry : fs::directory_iterator(sourceDir() + "\\examples\\sample-school"))
    fs::copy_file(entry.path(), fs::path(teba.path()) / entry.path().filename());
  ASSERT_TRUE(CreateDirectoryA("C:\\HTEMP", nullptr)) << "C:\\HTEMP is there already";
  launch("EXPORTAR " + hex(makeHost()));
  const HWND window = form();
  ASSERT_NE(window, nullptr);
  expectAtTwoTwoOfTheHost(window);
  EXPECT_TRUE(visible(window, kDraw3D2));
  EXPECT_FALSE(visible(window, kDraw3D3));
  EXPECT_EQ(focusedControl(), kBExportar);

  RECT client, band, folders;
  GetClientRect(window, &client);
  GetClientRect(GetDlgItem(window, kDraw3D2), &band);
  GetClientRect(GetDlgItem(window, kDraw3D1), &folders);
  ASSERT_EQ(band.bottom + folders.bottom, client.bottom);
  const int bandHeight = band.bottom, folderHeight = folders.bottom;
  const std::vector<app::Rgb> bandRows = app::gradientRows(bandHeight, app::kRunPanelGradient);
  const std::vector<app::Rgb> folderRows = app::gradientRows(folderHeight, app::kFolderPanelGradient);
  const long hostColour = 0x808080;
  // The pixels checked, beside the panels' right edge where nothing else
  // is drawn, with the host's client area at `origin`: the first mismatch.
  const auto mismatch = [&](const ScreenImage& screen, POINT origin) -> std::string {
    const int right = origin.x + 2 + client.right - 4;
    struct Expected {
      int x, y;
      long colour;
      const char* what;
    };
    std::vector<Expected> expected;
    // The panels' rows, inside their one-pixel bevel.
    for (const int row : {1, bandHeight / 2, bandHeight - 2})
      expected.push_back({right, origin.y + 2 + row, colourOf(bandRows[row]), "export panel"});
    for (const int row : {1, folderHeight / 2, folderHeight - 2})
      expected.push_back({right, origin.y + 2 + bandHeight + row, colourOf(folderRows[row]), "folder panel"});
    expected.push_back({origin.x + 1, origin.y + 1, hostColour, "host above and left"});
    expected.push_back({origin.x + 2 + client.right + 8, origin.y + 8, hostColour, "host at the right"});
    expected.push_back({origin.x + 8, origin.y + 2 + client.bottom + 8, hostColour, "host below"});
    char text[160];
    for (const Expected& e : expected)
      if (screen.at(e.x, e.y) != e.colour) {
        std::snprintf(text, sizeof text, "%s at %d,%d: %06lX, not %06lX", e.what, e.x, e.y, screen.at(e.x, e.y),
                      e.colour);
        return text;
      }
    return "";
  };
  const std::string dump = artifacts() + "\\screen.xwd";
  // The screen, until it shows the tool with the host's client area at
  // `origin`; the last one taken is kept as `name`.
  const auto seen = [&](POINT origin, const std::string& name) {
    std::string wrong = "no screen dump";
    ScreenImage screen;
    const DWORD end = GetTickCount() + 5000;
    do {
      screen = captureXScreen(dump);
      if (screen.width) wrong = mismatch(screen, origin);
    } while (!wrong.empty() && static_cast<LONG>(end - GetTickCount()) > 0);
    EXPECT_EQ(wrong, "") << name;
    if (screen.width) {
      EXPECT_TRUE(writePng(artifacts() + "\\" + name, screen.width, screen.height, screen.rgb));
    }
    return screen;
  };
  const POINT origin = onScreen(host, 0, 0);
  seen(origin, "win32-wine-hosted.png");

  RECT frame;
  GetWindowRect(host, &frame);
  // As a user drags the host by its caption: it comes to the front, active, and moves.
  SetWindowPos(host, HWND_TOP, frame.left + 120, frame.top + 80, 0, 0, SWP_NOSIZE);
  const POINT moved = onScreen(host, 0, 0);
  EXPECT_EQ(moved.x - origin.x, 120);
  EXPECT_EQ(moved.y - origin.y, 80);
  EXPECT_TRUE(waitFor(
      [&] {
        RECT at;
        GetWindowRect(window, &at);
        return at.left == moved.x + 2 && at.top == moved.y + 2;
      },
      1000))
      << "the tool did not follow the host within a second";
  seen(moved, "win32-wine-hosted-moved.png");

  ShowWindow(host, SW_MINIMIZE);
  EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(window); }, 1000)) << "shown while the host is minimised";
  const ScreenImage minimised = captureXScreen(dump);
  EXPECT_NE(minimised.at(moved.x + 2 + client.right - 4, moved.y + 2 + band.bottom / 2),
            colourOf(bandRows[band.bottom / 2]));
  if (minimised.width) writePng(artifacts() + "\\win32-wine-host-minimised.png", minimised.width, minimised.height,
                                minimised.rgb);
  ShowWindow(host, SW_RESTORE);
  EXPECT_TRUE(waitFor([&] { return IsWindowVisible(window) != FALSE; }, 1000)) << "not shown again with the host";
  seen(moved, "win32-wine-host-restored.png");

  // Back with the host, the tool has the keys again.
  EXPECT_TRUE(waitFor([&] { return focusedControl() == kBExportar; }, 5000))
      << "focus on " << focusedControl() << ", the active window " << GetForegroundWindow() << ", the host " << host
      << ", the tool " << window;
  type(VK_RETURN);  // the focused export button
  const Box done = nextBox();
  EXPECT_EQ(done.text, "Proceso finalizado");
  EXPECT_EQ(done.button, "Aceptar");
  EXPECT_FALSE(done.icon);
  // Modal: the tool's window owns the box and is disabled while it is up.
  EXPECT_EQ(GetWindow(done.window, GW_OWNER), window);
  EXPECT_FALSE(IsWindowEnabled(window));
  screenshot(done.window, "win32-plain-box.png");
  {
    // In front on the screen: the box covers the folder panel where it
    // stands over it. (Its face is not checked: Wine 8 on this X server
    // leaves a new window that lies wholly inside another window of the
    // same program black, hosted or not, as the box is here.)
    POINT inside{4, 4};
    ClientToScreen(done.window, &inside);
    const int row = inside.y - (moved.y + 2 + bandHeight);
    ASSERT_TRUE(row >= 0 && row < folderHeight) << "the box is not over the folder panel";
    const ScreenImage screen = captureXScreen(dump);
    EXPECT_NE(screen.at(inside.x, inside.y), colourOf(folderRows[row]));
    EXPECT_NE(screen.at(inside.x, inside.y), -1);
    if (screen.width) writePng(artifacts() + "\\win32-wine-hosted-box.png", screen.width, screen.height, screen.rgb);
  }
  type(VK_RETURN);  // "Aceptar"
  PostThreadMessageA(tool.dwThreadId, WM_NULL, 0, 0);
  EXPECT_TRUE(ended()) << "the hosted export did not close";
  EXPECT_EQ(readBytes(ini()), "[Transformadores]\r\nTransformado=1\r\n");
  std::vector<std::string> tables;
  for (const auto& entry : fs::directory_iterator("C:\\HTEMP")) tables.push_back(entry.path().filename().string());
  std::sort(tables.begin(), tables.end());
  EXPECT_EQ(tables, (std::vector<std::string>{"ASIGNOMT.DBF", "ASIGT.DBF", "AULAT.DBF", "DIASHORAST.DBF",
                                              "GRUPOST.DBF", "PROFT.DBF"}));
  std::error_code ignored;
  fs::remove_all("C:\\HTEMP", ignored);
  DeleteFileA(dump.c_str());
}

TEST_F(HostedTool, ExportWithMissingFilesHandsOverMinusOne) {
  launch("exportar " + hex(makeHost()));
  ASSERT_NE(form(), nullptr);
  // Enter on the folder list presses the first visible run button.
  type(VK_TAB);
  type(VK_TAB);
  EXPECT_EQ(focusedControl(), kDirectorios);
  type(VK_RETURN);
  const std::vector<std::string> texts = dismissAll();
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "No existe archivo de asignaturas (TEBA_ASIGNAT.TXT)",
                       "No existe archivo de profesores (TEBA_PROF.TXT)", "No existe archivo de aulas (TEBA_AULAS.TXT)",
                       "No existe archivo de grupos (TEBA_GRUPO.TXT)",
                       "No existe archivo de grupos (TEBA_ASIGNATGRUPO.TXT)",
                       "No existe archivo de grupos (TEBA_SESIONES.TXT)", "Proceso finalizado"}));
  EXPECT_TRUE(ended());
  EXPECT_EQ(readBytes(ini()), "[Transformadores]\r\nTransformado=-1\r\n");
}

// A read-only ini file: every close shows the error and the window stays.
TEST_F(HostedTool, AnIniThatCannotBeWrittenAbandonsEveryClose) {
  const std::string before = "[Transformadores]\r\nTransformado=1\r\n";
  programFolder.write("Horavent.ini", before);
  ASSERT_TRUE(SetFileAttributesA(ini().c_str(), FILE_ATTRIBUTE_READONLY));
  launch("importar " + hex(makeHost()));
  const HWND window = form();
  ASSERT_NE(window, nullptr);
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (attempt == 0)
      type('S', true);  // "&Salir"
    else
      PostMessageA(window, WM_CLOSE, 0, 0);  // a close request from another program
    const Box box = nextBox();
    EXPECT_EQ(box.text, "Unable to write to " + ini() + ".");
    EXPECT_TRUE(box.icon);
    dismiss(box);
    EXPECT_FALSE(ended(300)) << "the close went on";
    EXPECT_TRUE(IsWindowVisible(window));
  }
  EXPECT_EQ(readBytes(ini()), before);
  SetFileAttributesA(ini().c_str(), FILE_ATTRIBUTE_NORMAL);
  type('S', true);
  EXPECT_TRUE(ended());
  EXPECT_EQ(readBytes(ini()), "[Transformadores]\r\nTransformado=0\r\n");
}

TEST_F(HostedTool, TheHostWindowGoingEndsTheToolAsACloseWould) {
  launch("exportar " + hex(makeHost()));
  ASSERT_NE(form(), nullptr);
  DestroyWindow(host);
  host = nullptr;
  EXPECT_TRUE(ended()) << "the tool lived on without its host";
  EXPECT_EQ(readBytes(ini()), "[Transformadores]\r\nTransformado=0\r\n");
}

TEST_F(HostedTool, AHandleNamingNoWindowEndsWithoutWindowOrIni) {
  launch("importar 7FFFFFF0");
  const Box box = nextBox();
  ASSERT_NE(box.window, nullptr) << "no error box";
  EXPECT_EQ(box.text, "No existe la ventana $7FFFFFF0 de Horavent.");
  EXPECT_TRUE(box.icon) << "the error box has the stop icon";
  EXPECT_EQ(box.button, "Aceptar");
  screenshot(box.window, "win32-error-box.png");
  EXPECT_EQ(find("TMForm", "", 300), nullptr) << "the window showed";
  dismiss(box);
  EXPECT_TRUE(ended());
  EXPECT_FALSE(fs::exists(ini()));
}

TEST_F(HostedTool, AnInvalidHandleShowsTheErrorThenAStandAloneWindow) {
  launch("importar x");
  const Box box = nextBox();
  EXPECT_EQ(box.text, "'$x' no es un valor entero v\xE1lido.");
  dismiss(box);
  const HWND window = form();
  ASSERT_NE(window, nullptr);
  EXPECT_NE(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION, 0);
  EXPECT_TRUE(visible(window, kDraw3D2) && visible(window, kDraw3D3));
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(ended());
  EXPECT_FALSE(fs::exists(ini()));
}

// Handle 0: hosted, borderless and top-level at 2,2 of the screen; the
// window's own screenshots of the two hosted arrangements.
TEST_F(HostedTool, HandleZeroShowsTheHostedArrangementAtTwoTwoOfTheScreen) {
  for (const char* direction : {"importar", "exportar"}) {
    SCOPED_TRACE(direction);
    launch(std::string(direction) + " 0");
    const HWND window = form();
    ASSERT_NE(window, nullptr);
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, 2);
    EXPECT_EQ(frame.top, 2);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION, 0);
    const bool exporting = direction[0] == 'e';
    EXPECT_EQ(visible(window, kDraw3D2), exporting);
    EXPECT_EQ(visible(window, kDraw3D3), !exporting);
    screenshot(window, std::string("win32-hosted-") + direction + ".png");
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(ended());
    EXPECT_EQ(readBytes(ini()), "[Transformadores]\r\nTransformado=0\r\n");
    CloseHandle(tool.hProcess);
    CloseHandle(tool.hThread);
    tool = {};
    DeleteFileA(ini().c_str());
  }
}

std::vector<std::string> listLines(HWND list) {
  std::vector<std::string> lines;
  const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    // Across processes the text comes as Unicode, whatever is asked.
    wchar_t wide[MAX_PATH + 1] = L"";
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide));
    char text[MAX_PATH * 2 + 1] = "";
    WideCharToMultiByte(1252, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    lines.push_back(text);
  }
  return lines;
}

// A double-click on line `index` of the list, where a user would click.
void doubleClick(HWND list, int index) {
  RECT line;
  SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&line));
  const LPARAM at = MAKELPARAM(line.left + 30, (line.top + line.bottom) / 2);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
  PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
}

TEST_F(HostedTool, FolderListLinesDoubleClickAndAFolderThatVanished) {
  for (const char* name : {"zeta", "Alfa", "beta", "oculta", "gone"}) fs::create_directory(fs::path(teba.path()) / name);
  SetFileAttributesA(teba.file("oculta").c_str(), FILE_ATTRIBUTE_HIDDEN);
  launch("");
  const HWND window = form();
  ASSERT_NE(window, nullptr);
  const HWND list = GetDlgItem(GetDlgItem(window, kDraw3D1), kDirectorios);
  std::vector<std::string> lines = listLines(list);
  ASSERT_GE(lines.size(), 5u);
  const std::string current = fs::path(teba.path()).filename().string();
  const std::vector<std::string> tail(lines.end() - 5, lines.end());
  EXPECT_EQ(tail, (std::vector<std::string>{current, "Alfa", "beta", "gone", "zeta"}));
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), static_cast<LRESULT>(lines.size() - 5));
  EXPECT_EQ(lines.front(), "C:\\");

  // Into "beta": the list shows the way down to it, nothing under it.
  doubleClick(list, static_cast<int>(lines.size()) - 3);
  pump(300);
  EXPECT_EQ(listLines(list).back(), "beta");
  // Back up to the folder, from its line on the path.
  doubleClick(list, static_cast<int>(lines.size()) - 5);
  pump(300);
  EXPECT_EQ(listLines(list), lines);

  // A folder that went away meanwhile: the error, and the list as it was.
  fs::remove(fs::path(teba.path()) / "gone");
  doubleClick(list, static_cast<int>(lines.size()) - 2);
  const Box box = nextBox();
  EXPECT_EQ(box.text.rfind("Error de E/S ", 0), 0u) << box.text;
  EXPECT_TRUE(box.icon);
  dismiss(box);
  EXPECT_EQ(listLines(list), lines);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(ended());
}

TEST_F(HostedTool, StandAloneTabOrderAndNothingWritten) {
  launch("");
  const HWND window = form();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(textOf(window), "Exportar e importar datos entre Horavent y TEBA");
  EXPECT_EQ(GetParent(window), nullptr);
  RECT client;
  GetClientRect(window, &client);
  RECT frame;
  GetWindowRect(window, &frame);
  const SIZE outer = hostedSize(client);
  EXPECT_EQ(frame.right - frame.left, outer.cx);
  EXPECT_EQ(frame.bottom - frame.top, outer.cy);
  screenshot(window, "win32-stand-alone.png");
  // The caption shows no icon: none of the program icon's amber and orange
  // at the caption's left end, where Windows and Wine draw one.
  const int left = frame.left + GetSystemMetrics(SM_CXDLGFRAME), top = frame.top + GetSystemMetrics(SM_CYDLGFRAME);
  const HDC screen = GetDC(nullptr);
  int warm = 0;
  for (int y = top; y < top + GetSystemMetrics(SM_CYCAPTION); ++y)
    for (int x = left; x < left + GetSystemMetrics(SM_CXSMICON) + 4; ++x) {
      const COLORREF pixel = GetPixel(screen, x, y);
      if (GetRValue(pixel) > 200 && GetGValue(pixel) < 200 && GetBValue(pixel) < 100) ++warm;
    }
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(warm, 0) << "an icon in the caption";
  std::vector<int> order{focusedControl()};
  for (int i = 0; i < 5; ++i) {
    type(VK_TAB);
    order.push_back(focusedControl());
  }
  EXPECT_EQ(order, (std::vector<int>{kBExportar, kBImportar, kBClose, kDirectorios, kUnidades, kBExportar}));
  type(VK_ESCAPE);
  EXPECT_FALSE(ended(300)) << "Escape closed the window";
  // A close request from another program.
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(ended());
  EXPECT_FALSE(fs::exists(ini()));
}

}  // namespace
}  // namespace tht::test
