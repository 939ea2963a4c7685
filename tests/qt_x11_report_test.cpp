// "Comprobar" and its report window in the real program on Xvfb, through
// key presses the X server delivers: Tab reaches the button after the drive
// list, Enter and Alt+C open the report, whose text, selected and copied
// with the keyboard and read back from the X clipboard, is what the
// command-line companion's "check" prints for the same folders; Escape
// closes it. Hosted, the report stands in front of the tool, a missing
// folder gives the runs' box, and "&Salir" then hands over 0. Screenshots of
// the X screen with the report window are kept under build/tests/artifacts.
#include <climits>

#include "tests/qt_x11_fixture.h"

namespace tht::test {
namespace {

class ReportWindow : public HostedProgram {
 protected:
  // The work folder the program takes: $HOME/.wine/drive_c/HTEMP.
  std::string work() const { return home.path() + "/.wine/drive_c/HTEMP"; }

  // The sample school in the TEBA folder; in the work folder the tables its
  // export makes and the timetable left for it, so that the timetable is
  // checked too.
  void SetUp() override {
    HostedProgram::SetUp();
    if (IsSkipped()) return;
    unsetenv("WINEPREFIX");
    for (const auto& entry : fs::directory_iterator(sourceDir() + "/examples/sample-school"))
      fs::copy_file(entry.path(), fs::path(teba.path()) / entry.path().filename());
    fs::create_directories(work());
    ASSERT_EQ(cli("export"), "Proceso finalizado\nResultadoTraspaso: 1\n");
    fs::copy_file(sourceDir() + "/examples/sample-horavent/SOLUC.DBF", work() + "/SOLUC.DBF");
  }

  // What the command-line companion prints for the TEBA and the work folder
  // (UTF-8: the locale says so), its messages included.
  std::string cli(const std::string& command) {
    const std::string line = "LC_ALL=C.UTF-8 '" THT_CLI_PATH "' " + command + " '" + teba.path() +
                             "' --work-folder '" + work() + "' 2>&1";
    std::string out;
    if (FILE* pipe = popen(line.c_str(), "r")) {
      char buffer[4096];
      for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
      pclose(pipe);
    }
    return out;
  }

  // The report window: a top-level window captioned as the boxes are and
  // as large as its layout (640 x 400 scaled); 0 when none comes.
  Window reportWindow(int milliseconds = 10000) {
    Window found = 0;
    waitFor([&] {
      const Window candidate = mappedChild(DefaultRootWindow(server.display()), kBoxTitle);
      XWindowAttributes attributes;
      found = candidate && XGetWindowAttributes(server.display(), candidate, &attributes) &&
                      attributes.width == scaled(640) && attributes.height == scaled(400)
                  ? candidate
                  : 0;
      return found != 0;
    }, milliseconds);
    return found;
  }

  // Ctrl+A, Ctrl+C on the report's text until the program owns the
  // clipboard: Qt takes the keys for the report only once it has made it
  // its active window, which may come a little after the X server gave it
  // the focus (without a window manager, no event tells when).
  bool copyAll(Window report) {
    Window owner = 0;
    for (int attempt = 0; attempt < 20 && !owner; ++attempt) {
      press(XK_a, XK_Control_L);
      press(XK_c, XK_Control_L);
      settle(report);
      waitFor([&] { return (owner = XGetSelectionOwner(server.display(), atom("CLIPBOARD"))) != 0; }, 250);
    }
    return owner != 0;
  }

  // The X clipboard's text as UTF-8, asked of its owner (the program).
  std::string clipboard() {
    Display* display = server.display();
    const Window requestor = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    const Atom property = atom("THT_CLIPBOARD"), utf8 = atom("UTF8_STRING");
    XConvertSelection(display, atom("CLIPBOARD"), utf8, property, requestor, CurrentTime);
    XFlush(display);
    std::string text;
    waitFor([&] {
      Atom type = 0;
      int format = 0;
      unsigned long items = 0, after = 0;
      unsigned char* data = nullptr;
      if (XGetWindowProperty(display, requestor, property, 0, LONG_MAX / 4, True, AnyPropertyType, &type, &format,
                             &items, &after, &data) != Success || type == 0)
        return false;
      if (type == utf8 && format == 8) text.assign(reinterpret_cast<const char*>(data), items);
      XFree(data);
      return true;
    }, 5000);
    XDestroyWindow(display, requestor);
    return text;
  }

  // The X screen, saved as `name` once it shows the report window's text
  // box where the window stands: mostly the text box's white, with text
  // drawn on it (not left black or empty, not hidden behind the tool).
  void screenshotWithReport(Window report, const std::string& name) {
    XWindowAttributes at;
    ASSERT_TRUE(XGetWindowAttributes(server.display(), report, &at));
    QImage screen;
    int white = 0, dark = 0, all = 0;
    waitFor([&] {
      screen = grab(DefaultRootWindow(server.display()));
      white = dark = all = 0;
      for (int y = at.y + scaled(8) + 4; y < at.y + scaled(8 + 351) - 20; ++y)
        for (int x = at.x + scaled(8) + 4; x < at.x + scaled(8 + 624) - 20; ++x, ++all) {
          const QColor pixel = screen.pixelColor(x, y);
          if (pixel.red() >= 0xF0 && pixel.green() >= 0xF0 && pixel.blue() >= 0xF0) ++white;
          if (pixel.red() < 0x60 && pixel.green() < 0x60 && pixel.blue() < 0x60) ++dark;
        }
      return white > all / 2 && dark > 500;
    }, 5000);
    EXPECT_TRUE(screen.save(QString::fromStdString(artifacts() + "/" + name)));
    EXPECT_GT(white, all / 2) << name << ": the text box is not white on the screen";
    EXPECT_GT(dark, 500) << name << ": no text drawn in the text box";
  }

  // Whether the window (the report, a box) has gone.
  bool gone(Window window) {
    return waitFor([&] { return mappedChild(DefaultRootWindow(server.display()), kBoxTitle) != window; });
  }
};

TEST_F(ReportWindow, TabReachesComprobarAndTheReportIsTheCommandLinesThenEscapeClosesIt) {
  const std::string printed = cli("check");
  ASSERT_EQ(printed.find("no hay SOLUC.DBF"), std::string::npos) << "the timetable is not checked:\n" << printed;
  launch({});
  const Window window = focusedStandAloneWindow();
  ASSERT_NE(window, 0u) << "no stand-alone window appeared";
  // Import button, "&Salir", folder list, drive list, "Comprobar"; Enter
  // on the folder or drive list would run the export instead.
  for (int i = 0; i < 5; ++i) press(XK_Tab);
  press(XK_Return);
  const Window report = reportWindow();
  ASSERT_NE(report, 0u) << "Enter on the fifth control after the export button opened no report";
  EXPECT_EQ(mappedChild(DefaultRootWindow(server.display()), kWindowTitle), window) << "the main window went";
  screenshotWithReport(report, "report-window.png");
  focus(report);
  ASSERT_TRUE(copyAll(report)) << "Ctrl+A, Ctrl+C put nothing on the clipboard";
  EXPECT_EQ(QString::fromStdString(clipboard()), QString::fromStdString(printed));
  press(XK_Return);  // on the text: saves nothing, closes nothing
  settle(report);
  EXPECT_EQ(reportWindow(0), report);
  EXPECT_EQ(mappedChild(DefaultRootWindow(server.display()), "Guardar..."), 0u) << "Enter opened the save dialog";
  press(XK_Escape);
  EXPECT_TRUE(gone(report)) << "Escape did not close the report";
  focus(window);
  press(XK_c, XK_Alt_L);
  const Window again = reportWindow();
  ASSERT_NE(again, 0u) << "Alt+C opened no report";
  focus(again);
  press(XK_Escape);
  EXPECT_TRUE(gone(again));
  EXPECT_EQ(waitpid(program, nullptr, WNOHANG), 0) << "the program ended";
  closeWindow(window);
  EXPECT_EQ(waitForExit(), 0);
  EXPECT_FALSE(fs::exists(programFolder.file("Horavent.ini")));
  EXPECT_EQ(std::distance(fs::directory_iterator(teba.path()), fs::directory_iterator()), 7)
      << "something written into the TEBA folder";
}

TEST_F(ReportWindow, HostedTheReportStandsInFrontAndSalirThenHandsOverZero) {
  programFolder.write("Horavent.ini", "[Transformadores]\r\nTransformado=1\r\n");
  const Window host = hostWindow();
  launch({"exportar", hex(host)});
  const Window child = findChild(host);
  ASSERT_NE(child, 0u) << "the program did not appear inside the host window";
  settle(child);
  focus(child);
  press(XK_c, XK_Alt_L);
  const Window report = reportWindow();
  ASSERT_NE(report, 0u) << "Alt+C opened no report";
  screenshotWithReport(report, "report-window-hosted.png");
  focus(report);
  press(XK_Escape);
  EXPECT_TRUE(gone(report));
  // The TEBA folder gone: the runs' plain box instead of the report.
  fs::remove_all(teba.path());
  focus(child);
  press(XK_c, XK_Alt_L);
  const Window box = findChild(DefaultRootWindow(server.display()), kBoxTitle);
  ASSERT_NE(box, 0u) << "no box for a missing folder";
  EXPECT_EQ(reportWindow(0), 0u) << "a report for a missing folder";
  screenshot(box, "report-missing-folder.png");
  closeWindow(box);
  EXPECT_TRUE(gone(box));
  focus(child);
  press(XK_s, XK_Alt_L);
  EXPECT_EQ(waitForExit(), 0);
  EXPECT_EQ(readBytes(programFolder.file("Horavent.ini")), "[Transformadores]\r\nTransformado=0\r\n");
}

}  // namespace
}  // namespace tht::test
