// TransHoraventTEBA.exe as Horavent starts it, under Wine on an X server,
// from this program as the host (tests/win32_window_fixture.h): where its
// window stands, what it shows, its keys, boxes and lists, and what it hands
// over in "Horavent.ini", with screenshots for people to look at. The report
// window has tests of its own (win32_window_report_test.cpp).
#include "tests/win32_window_fixture.h"

namespace tht::test {
namespace {

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
  for (int i = 0; i < 6; ++i) {
    type(VK_TAB);
    order.push_back(focusedControl());
  }
  EXPECT_EQ(order, (std::vector<int>{kBExportar, kBImportar, kBClose, kDirectorios, kUnidades, kBComprobar,
                                     kBExportar}));
  type(VK_ESCAPE);
  EXPECT_FALSE(ended(300)) << "Escape closed the window";
  // A close request from another program.
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(ended());
  EXPECT_FALSE(fs::exists(ini()));
}

}  // namespace
}  // namespace tht::test
