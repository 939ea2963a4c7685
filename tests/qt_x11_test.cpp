// The real window program on a real X server (Xvfb): hosted under a
// foreign window that the test creates, and stand-alone. Screenshots of the
// three arrangements are kept under build/tests/artifacts for people to
// look at; they are not compared with anything. The report window has
// tests of its own (qt_x11_report_test.cpp).
#include <QGuiApplication>

#include "tests/qt_x11_fixture.h"

namespace tht::test {
namespace {
TEST_F(HostedProgram, LivesInsideTheHostAtTwoTwoAndHandsOverZero) {
  const Window host = hostWindow();
  launch({"importar", "000" + hex(host)});
  const Window child = findChild(host);
  ASSERT_NE(child, 0u) << "the program did not appear inside the host window";
  XWindowAttributes attributes;
  ASSERT_TRUE(XGetWindowAttributes(server.display(), child, &attributes));
  EXPECT_EQ(attributes.x, 2);
  EXPECT_EQ(attributes.y, 2);
  // The stand-alone outer size: larger than the scaled client area.
  EXPECT_GT(attributes.width, scaled(599));
  EXPECT_GT(attributes.height, scaled(311));
  screenshot(host, "hosted-importar.png", child);
  closeWindow(child);
  EXPECT_EQ(waitForExit(), 0);
  EXPECT_EQ(readBytes(programFolder.file("Horavent.ini")), "[Transformadores]\r\nTransformado=0\r\n");
}

// The host window going away (its program closed) takes the hosted window
// with it: the program then ends as if closed, handing over its result,
// rather than living on without a window.
TEST_F(HostedProgram, EndsAndHandsOverWhenTheHostWindowGoes) {
  const Window host = hostWindow();
  launch({"exportar", hex(host)});
  ASSERT_NE(findChild(host), 0u) << "the program did not appear inside the host window";
  XDestroyWindow(server.display(), host);
  XSync(server.display(), False);
  EXPECT_EQ(waitForExit(), 0) << "the program lived on without its host";
  EXPECT_EQ(readBytes(programFolder.file("Horavent.ini")), "[Transformadores]\r\nTransformado=0\r\n");
}

TEST_F(HostedProgram, ExportPanelAloneForExportar) {
  const Window host = hostWindow();
  launch({"EXPORTAR", hex(host)});
  const Window child = findChild(host);
  ASSERT_NE(child, 0u);
  screenshot(host, "hosted-exportar.png", child);
  closeWindow(child);
  EXPECT_EQ(waitForExit(), 0);
  EXPECT_TRUE(fs::exists(programFolder.file("Horavent.ini")));
}

TEST_F(HostedProgram, AWindowThatDoesNotExistEndsTheProgramWithoutTheIni) {
  launch({"importar", "7FFFFFF0"});
  // The error box, captioned with the application title, before any window.
  const Window box = findChild(DefaultRootWindow(server.display()), kBoxTitle);
  ASSERT_NE(box, 0u) << "no error box appeared";
  screenshot(box, "no-such-host-window.png");
  EXPECT_EQ(mappedChild(DefaultRootWindow(server.display()), kWindowTitle), 0u);
  closeWindow(box);
  EXPECT_EQ(waitForExit(), 0);
  EXPECT_FALSE(fs::exists(programFolder.file("Horavent.ini")));
}

TEST_F(HostedProgram, StandAloneWritesNothing) {
  launch({});
  const Window window =
      findChild(DefaultRootWindow(server.display()), kWindowTitle);
  ASSERT_NE(window, 0u) << "no stand-alone window appeared";
  XWindowAttributes attributes;
  ASSERT_TRUE(XGetWindowAttributes(server.display(), window, &attributes));
  // 599 x 311 scaled by the window font's text height over 13.
  EXPECT_EQ(attributes.width, scaled(599));
  EXPECT_EQ(attributes.height, scaled(311));
  screenshot(window, "stand-alone.png");
  closeWindow(window);
  EXPECT_EQ(waitForExit(), 0);
  EXPECT_FALSE(fs::exists(programFolder.file("Horavent.ini")));
}

// Handle 0 names no host window: a frameless top-level window at 2,2 of the
// screen that still counts as hosted and hands over its result.
TEST_F(HostedProgram, HandleZeroIsATopLevelWindowAtTwoTwoThatHandsOver) {
  programFolder.write("Horavent.ini", "; Horavent\n[Transformadores]\nTransformado=1\n");
  launch({"exportar", "00000000"});
  const Window window =
      findChild(DefaultRootWindow(server.display()), kWindowTitle);
  ASSERT_NE(window, 0u) << "no top-level window appeared";
  XWindowAttributes attributes;
  ASSERT_TRUE(XGetWindowAttributes(server.display(), window, &attributes));
  EXPECT_EQ(attributes.x, 2);
  EXPECT_EQ(attributes.y, 2);
  EXPECT_GT(attributes.width, scaled(599));
  // No frame: the window asks the window manager for no decorations.
  const Atom motif = XInternAtom(server.display(), "_MOTIF_WM_HINTS", False);
  Atom type = 0;
  int format = 0;
  unsigned long items = 0, after = 0;
  unsigned char* data = nullptr;
  ASSERT_EQ(XGetWindowProperty(server.display(), window, motif, 0, 5, False, AnyPropertyType, &type, &format, &items,
                               &after, &data),
            Success);
  ASSERT_EQ(items, 5u) << "no window manager hints";
  const long* hints = reinterpret_cast<const long*>(data);
  EXPECT_TRUE(hints[0] & 2) << "decorations not set";
  EXPECT_EQ(hints[2], 0) << "decorations asked for";
  XFree(data);
  closeWindow(window);
  EXPECT_EQ(waitForExit(), 0);
  EXPECT_EQ(readBytes(programFolder.file("Horavent.ini")), "; Horavent\n[Transformadores]\nTransformado=0\n");
}

// A handle that is no hexadecimal number: the error box first, then the
// ordinary stand-alone window, which writes nothing when it closes.
TEST_F(HostedProgram, AnInvalidHandleShowsTheErrorThenAStandAloneWindow) {
  launch({"importar", "x"});
  const Window root = DefaultRootWindow(server.display());
  const Window box = findChild(root, kBoxTitle);
  ASSERT_NE(box, 0u) << "no error box appeared";
  screenshot(box, "invalid-handle.png");
  EXPECT_EQ(mappedChild(root, kWindowTitle), 0u)
      << "the window appeared before the error box was dismissed";
  closeWindow(box);
  const Window window = findChild(root, kWindowTitle);
  ASSERT_NE(window, 0u) << "no stand-alone window after the error box";
  XWindowAttributes attributes;
  ASSERT_TRUE(XGetWindowAttributes(server.display(), window, &attributes));
  EXPECT_EQ(attributes.width, scaled(599));
  EXPECT_EQ(attributes.height, scaled(311));
  closeWindow(window);
  EXPECT_EQ(waitForExit(), 0);
  EXPECT_FALSE(fs::exists(programFolder.file("Horavent.ini")));
}

// Real key presses on the stand-alone window, which opens with the focus
// on the export button. The TEBA folder is empty: the export shows its six
// missing-file messages and "Proceso finalizado" (seven boxes), the import
// stops at its first file with one error box.
TEST_F(HostedProgram, EnterOnAFocusedButtonPressesThatButton) {
  launch({});
  const Window window = focusedStandAloneWindow();
  ASSERT_NE(window, 0u) << "no stand-alone window appeared";
  press(XK_Return);  // the export button
  EXPECT_EQ(dismissBoxes(7), 7);
  press(XK_Tab);  // the import button
  press(XK_Return);
  EXPECT_EQ(dismissBoxes(1), 1);
  press(XK_KP_Enter);
  EXPECT_EQ(dismissBoxes(1), 1);
  press(XK_Escape);  // does nothing
  EXPECT_EQ(dismissBoxes(0), 0);
  EXPECT_EQ(waitpid(program, nullptr, WNOHANG), 0) << "Escape closed the window";
  press(XK_Tab);  // "&Salir"
  press(XK_Return);
  EXPECT_EQ(waitForExit(), 0);
}

// Enter on the folder list presses the first visible run button: the
// import button when only the import panel is shown.
TEST_F(HostedProgram, EnterOnTheFolderListPressesTheFirstVisibleRunButton) {
  launch({});
  ASSERT_NE(focusedStandAloneWindow(), 0u) << "no stand-alone window appeared";
  for (int i = 0; i < 3; ++i) press(XK_Tab);  // import button, "&Salir", folder list
  press(XK_Return);
  EXPECT_EQ(dismissBoxes(7), 7) << "not the export";
  press(XK_Tab);  // the drive list, closed
  press(XK_Return);
  EXPECT_EQ(dismissBoxes(7), 7) << "not the export";
  closeWindow(focusedStandAloneWindow());
  EXPECT_EQ(waitForExit(), 0);
}

TEST_F(HostedProgram, EnterOnTheFolderListOfTheHostedImportRunsTheImport) {
  launch({"importar", "0"});
  ASSERT_NE(focusedStandAloneWindow(), 0u) << "no window appeared";
  press(XK_Tab);  // "&Salir", then the folder list
  press(XK_Tab);
  press(XK_Return);
  EXPECT_EQ(dismissBoxes(1), 1);
  // The error keeps the window open; Alt+S ("&Salir") then hands over 0.
  press(XK_s, XK_Alt_L);
  EXPECT_EQ(waitForExit(), 0);
  EXPECT_EQ(readBytes(programFolder.file("Horavent.ini")), "[Transformadores]\r\nTransformado=0\r\n");
}

// Without any display to connect to the window system gives up; the
// program still ends with exit code 0 and writes nothing.
TEST(ProgramWithoutDisplay, EndsWithExitCodeZero) {
  TempFolder programFolder;
  fs::copy_file(THT_APP_PATH, programFolder.file("TransHoraventTEBA"));
  fs::permissions(programFolder.file("TransHoraventTEBA"), fs::perms::owner_all);
  const std::string path = programFolder.file("TransHoraventTEBA");
  const pid_t program = fork();
  if (program == 0) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    if (int null = open("/dev/null", O_WRONLY); null >= 0) dup2(null, 2);
    execl(path.c_str(), path.c_str(), "importar", "1A2B", static_cast<char*>(nullptr));
    _exit(127);
  }
  ASSERT_GT(program, 0);
  int status = 0;
  ASSERT_EQ(waitpid(program, &status, 0), program);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_FALSE(fs::exists(programFolder.file("Horavent.ini")));
}

}  // namespace
}  // namespace tht::test

// Font metrics need a running application; the offscreen one will do.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
