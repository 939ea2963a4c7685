// "Comprobar" and its report window in TransHoraventTEBA.exe, hosted as
// Horavent starts it, under Wine from this program as the host: the button
// above "&Salir", last in the Tab order; Enter on it and Alt+C open the
// report window, modal, owned by the tool's window and captioned with the
// application title; its text box's text, read with WM_GETTEXT, is what the
// Windows command-line companion's "check" prints for the same folders;
// Escape closes it; "&Salir" then hands over 0, as before. Screenshots of
// the report window and of the X screen with it are kept.
#include "tests/win32_window_fixture.h"

namespace tht::test {
namespace {

constexpr char kReportClass[] = "TReportForm";  // the report window's window class
constexpr int kFileNameBox = 0x47C;              // the save dialog's file name (cmb13)
constexpr int kSaveButton = 201;                 // "Guardar...": 200 + its place in the report window

// C:\HTEMP with the sample school's tables and the timetable left for it,
// removed again however the test ends (the other window tests want it
// absent).
class SampleWorkFolder {
 public:
  explicit SampleWorkFolder(const std::string& teba) {
    made_ = CreateDirectoryA(kFolder, nullptr) != FALSE;
    exported_ = runProgram(cli() + " export " + quotedArgument(teba) + " --work-folder " + kFolder).status == 0 &&
                CopyFileA((sourceDir() + "\\examples\\sample-horavent\\SOLUC.DBF").c_str(), "C:\\HTEMP\\SOLUC.DBF",
                          TRUE);
  }
  ~SampleWorkFolder() {
    std::error_code ignored;
    fs::remove_all(kFolder, ignored);
  }
  bool ready() const { return made_ && exported_; }
  static std::string cli() { return quotedArgument(builtProgram("cli/transhoraventteba-cli.exe")); }
  static constexpr const char* kFolder = "C:\\HTEMP";

 private:
  bool made_ = false, exported_ = false;
};

// The whole text of a window, as code page 1252 (across processes it comes
// as Unicode, whatever is asked).
std::string wholeText(HWND window) {
  const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got = SendMessageW(window, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data()));
  std::string text(static_cast<size_t>(got) * 2 + 1, '\0');
  const int bytes = WideCharToMultiByte(1252, 0, wide.data(), static_cast<int>(got), text.data(),
                                        static_cast<int>(text.size()), nullptr, nullptr);
  text.resize(static_cast<size_t>(std::max(bytes, 0)));
  return text;
}

TEST_F(HostedTool, ComprobarOpensTheReportOfTheCommandLineInFrontAndSalirThenHandsOverZero) {
  for (const auto& entry : fs::directory_iterator(sourceDir() + "\\examples\\sample-school"))
    fs::copy_file(entry.path(), fs::path(teba.path()) / entry.path().filename());
  const SampleWorkFolder work(teba.path());
  ASSERT_TRUE(work.ready()) << "C:\\HTEMP was there already, or the sample school's export failed";
  const ProgramOutcome printed = runProgram(SampleWorkFolder::cli() + " check " + quotedArgument(teba.path()));
  ASSERT_EQ(printed.status, 1) << printed.err;
  ASSERT_EQ(printed.out.find("no hay SOLUC.DBF"), std::string::npos) << "the timetable is not checked";
  programFolder.write("Horavent.ini", "[Transformadores]\r\nTransformado=1\r\n");
  launch("importar " + hex(makeHost()));
  const HWND window = form();
  ASSERT_NE(window, nullptr);

  // Above "&Salir" in the folder panel, as wide and as high, 7 units clear.
  const HWND button = GetDlgItem(GetDlgItem(window, kDraw3D1), kBComprobar);
  ASSERT_TRUE(IsWindowVisible(button));
  EXPECT_EQ(textOf(button), "&Comprobar");
  RECT check, salir;
  GetWindowRect(button, &check);
  GetWindowRect(GetDlgItem(GetDlgItem(window, kDraw3D1), kBClose), &salir);
  EXPECT_EQ(check.left, salir.left);
  EXPECT_EQ(check.right - check.left, salir.right - salir.left);
  EXPECT_EQ(check.bottom - check.top, salir.bottom - salir.top);
  EXPECT_GT(salir.top, check.bottom);
  screenshot(window, "win32-hosted-comprobar.png");

  // Import button, "&Salir", folder list, drive list, then "Comprobar".
  std::vector<int> order{focusedControl()};
  for (int i = 0; i < 5; ++i) {
    type(VK_TAB);
    order.push_back(focusedControl());
  }
  EXPECT_EQ(order, (std::vector<int>{kBImportar, kBClose, kDirectorios, kUnidades, kBComprobar, kBImportar}));
  for (int i = 0; i < 4; ++i) type(VK_TAB);
  ASSERT_EQ(focusedControl(), kBComprobar);

  for (const bool altC : {false, true}) {
    SCOPED_TRACE(altC ? "Alt+C" : "Enter on the button");
    type(altC ? 'C' : VK_RETURN, altC);
    const HWND report = find(kReportClass, "Transhoraventteba", 10000);
    ASSERT_NE(report, nullptr) << "no report window";
    EXPECT_EQ(GetWindow(report, GW_OWNER), window) << "not owned by the tool's window";
    EXPECT_FALSE(IsWindowEnabled(window)) << "not modal";
    const HWND text = FindWindowExA(report, nullptr, "Edit", nullptr);
    ASSERT_NE(text, nullptr);
    const LONG style = GetWindowLongA(text, GWL_STYLE);
    EXPECT_EQ(style & (ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL),
              ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL);
    EXPECT_EQ(wholeText(text), printed.out);
    EXPECT_NE(FindWindowExA(report, nullptr, "Button", "Guardar..."), nullptr);
    EXPECT_NE(FindWindowExA(report, nullptr, "Button", "Cerrar"), nullptr);
    if (!altC) {
      screenshot(report, "win32-report-window.png");
      if (underWine()) {
        // On the X screen: the text box white, with text on it, in front
        // of the tool and its host.
        const std::string dump = artifacts() + "\\screen.xwd";
        const ScreenImage screen = captureXScreen(dump);
        DeleteFileA(dump.c_str());
        ASSERT_GT(screen.width, 0) << "no screen dump";
        writePng(artifacts() + "\\win32-wine-report-window.png", screen.width, screen.height, screen.rgb);
        RECT box;
        GetClientRect(text, &box);
        MapWindowPoints(text, nullptr, reinterpret_cast<POINT*>(&box), 2);
        int white = 0, dark = 0, all = 0;
        for (int y = box.top + 2; y < box.top + 120; ++y)
          for (int x = box.left + 2; x < box.left + 300; ++x, ++all) {
            const long pixel = screen.at(x, y);
            if (pixel == 0xFFFFFF) ++white;
            if (pixel >= 0 && (pixel >> 16 & 0xFF) < 0x60 && (pixel >> 8 & 0xFF) < 0x60 && (pixel & 0xFF) < 0x60) ++dark;
          }
        EXPECT_GT(white, all / 2) << "the text box is not white on the screen";
        EXPECT_GT(dark, 300) << "no text on the screen";
      }
    }
    type(VK_RETURN);  // in the text box: nothing
    EXPECT_TRUE(IsWindowVisible(report));
    EXPECT_EQ(find("#32770", "", 300), nullptr) << "Enter opened a dialog";
    if (!altC) {
      // Tab to "Guardar...", Enter: the system's save dialog; the file as
      // the command line printed it, code page 1252 with CR LF.
      type(VK_TAB);
      type(VK_RETURN);
      const HWND dialog = find("#32770", "", 10000);
      ASSERT_NE(dialog, nullptr) << "no save dialog";
      const std::string saved = programFolder.file("informe.txt");
      SendMessageA(GetDlgItem(dialog, kFileNameBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(saved.c_str()));
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
      EXPECT_TRUE(waitFor([&] { return fs::exists(saved); }, 10000)) << "nothing saved";
      EXPECT_EQ(readBytes(saved), printed.out);
      EXPECT_TRUE(waitFor([&] { return focusedControl() == kSaveButton; }, 5000)) << "the focus is not back on it";
    }
    type(VK_ESCAPE);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(report); }, 5000)) << "Escape did not close the report";
    EXPECT_TRUE(IsWindowEnabled(window));
  }
  type('S', true);
  EXPECT_TRUE(ended()) << "Alt+S did not close";
  EXPECT_EQ(readBytes(ini()), "[Transformadores]\r\nTransformado=0\r\n");
}

}  // namespace
}  // namespace tht::test
