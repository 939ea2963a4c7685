// TransHoraventTEBA.exe as Horavent starts it, run under Wine on an X
// server: this program is the host. It makes a window, starts the tool
// with CreateProcessA, "exportar" or "importar" and the window's handle in
// hexadecimal, checks where the tool's window stands and what it shows,
// presses keys (posted to the control that has the keyboard focus, through
// the tool's message loop as typed keys go) and dismisses the boxes with
// their button, then reads "Horavent.ini". Screenshots of the window and
// the boxes are kept under build-*/tests/artifacts for people to look at.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/png_file.h"
#include "tests/support/temp_folder.h"
#include "tests/support/windows_process.h"

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
  EXPECT_EQ(GetParent(window), host);
  EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION, 0) << "frame and caption kept";
  POINT corner{0, 0};
  MapWindowPoints(window, host, &corner, 1);
  EXPECT_EQ(corner.x, 2);
  EXPECT_EQ(corner.y, 2);
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

TEST_F(HostedTool, ExportOfTheSampleSchoolHandsOverOne) {
  for (const auto& entry : fs::directory_iterator(sourceDir() + "\\examples\\sample-school"))
    fs::copy_file(entry.path(), fs::path(teba.path()) / entry.path().filename());
  ASSERT_TRUE(CreateDirectoryA("C:\\HTEMP", nullptr)) << "C:\\HTEMP is there already";
  launch("EXPORTAR " + hex(makeHost()));
  const HWND window = form();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(visible(window, kDraw3D2));
  EXPECT_FALSE(visible(window, kDraw3D3));
  EXPECT_EQ(focusedControl(), kBExportar);
  type(VK_RETURN);  // the focused export button
  const Box done = nextBox();
  EXPECT_EQ(done.text, "Proceso finalizado");
  EXPECT_EQ(done.button, "Aceptar");
  EXPECT_FALSE(done.icon);
  screenshot(done.window, "win32-plain-box.png");
  dismiss(done);
  EXPECT_TRUE(ended()) << "the hosted export did not close";
  EXPECT_EQ(readBytes(ini()), "[Transformadores]\r\nTransformado=1\r\n");
  std::vector<std::string> tables;
  for (const auto& entry : fs::directory_iterator("C:\\HTEMP")) tables.push_back(entry.path().filename().string());
  std::sort(tables.begin(), tables.end());
  EXPECT_EQ(tables, (std::vector<std::string>{"ASIGNOMT.DBF", "ASIGT.DBF", "AULAT.DBF", "DIASHORAST.DBF",
                                              "GRUPOST.DBF", "PROFT.DBF"}));
  std::error_code ignored;
  fs::remove_all("C:\\HTEMP", ignored);
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

// Handle 0: hosted, borderless and top-level at 2,2 of the screen. The
// screenshots of the two hosted arrangements are taken so, because Wine
// does not draw a window inside another process's window on the screen.
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
