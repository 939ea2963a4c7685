// The window's decisions that both front ends share: parameters and mode,
// the host handle, the application title, the layout, the keyboard, the
// shortened path, the gradient's rows and the window kept over its host.
// The folder browser and the buttons' runs have files of their own
// (app_folder_browser_test.cpp, app_controller_test.cpp).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/gradient.h"
#include "app/keys.h"
#include "app/layout.h"
#include "app/over_host.h"
#include "app/path_label.h"
#include "platform/error.h"

namespace tht::test {
namespace {

using namespace tht::app;

std::vector<std::string> counted(std::vector<const char*> args) {
  args.insert(args.begin(), "TransHoraventTEBA");
  return countedParameters(static_cast<int>(args.size()), const_cast<char**>(args.data()));
}

TEST(CommandLine, CountingStopsAtTheFirstEmptyParameter) {
  EXPECT_EQ(counted({}).size(), 0u);
  EXPECT_EQ(counted({"exportar"}).size(), 1u);
  EXPECT_EQ(counted({"exportar", "1A2B"}), (std::vector<std::string>{"exportar", "1A2B"}));
  EXPECT_EQ(counted({"exportar", "1A2B", "x"}).size(), 3u);
  EXPECT_EQ(counted({"exportar", "", "1A2B"}).size(), 1u);
  EXPECT_EQ(counted({"", "exportar", "1A2B"}).size(), 0u);
}

TEST(CommandLine, DirectionWordsIgnoreCaseOfAToZOnly) {
  EXPECT_EQ(directionOf("EXPORTAR"), Direction::Export);
  EXPECT_EQ(directionOf("Importar"), Direction::Import);
  EXPECT_EQ(directionOf("listar"), Direction::Both);
  EXPECT_EQ(directionOf("importar "), Direction::Both);
  EXPECT_EQ(directionOf(""), Direction::Both);
}

TEST(CommandLine, HandlesAreHexadecimalUpToEightSignificantDigits) {
  EXPECT_EQ(parseWindowHandle("1A2B"), 0x1A2Bu);
  EXPECT_EQ(parseWindowHandle("0001a2b3c"), 0x1A2B3Cu);
  EXPECT_EQ(parseWindowHandle("FFFFFFFF"), 0xFFFFFFFFu);
  EXPECT_EQ(parseWindowHandle("0"), 0u);
  for (const char* bad : {"x", "1FFFFFFFF", "", "-1", "+1", "0x1A", "$1A", "1A ", "1A2G"}) {
    try {
      parseWindowHandle(bad);
      ADD_FAILURE() << bad << " was taken as a handle";
    } catch (const Error& error) {
      EXPECT_EQ(error.what(), "'$" + std::string(bad) + "' no es un valor entero v\xE1lido");
    }
  }
}

TEST(CommandLine, ApplicationTitleFromTheProgramFile) {
  EXPECT_EQ(applicationTitle("/opt/tht/TransHoraventTEBA"), "Transhoraventteba");
  EXPECT_EQ(applicationTitle("/x/TransHoraventTEBA.v2.exe"), "Transhoraventteba");
  EXPECT_EQ(applicationTitle("tHT"), "tht");
}

TEST(PathLabel, LeadingFoldersGiveWayUntilTheTextFits) {
  const auto characters = [](const std::string& text) { return static_cast<int>(text.size()) * 6; };
  const auto shown = [&](const std::string& path, int fitting, char separator = '/') {
    return shortenPath(path, 6 * fitting, characters, separator);
  };
  const std::string windows = "C:\\AAAA\\BBBB\\CCCC\\D";
  EXPECT_EQ(shown(windows, 19, '\\'), windows);
  EXPECT_EQ(shown(windows, 18, '\\'), "C:\\...\\BBBB\\CCCC\\D");
  EXPECT_EQ(shown(windows, 13, '\\'), "C:\\...\\CCCC\\D");
  EXPECT_EQ(shown(windows, 12, '\\'), "C:\\...\\D");
  EXPECT_EQ(shown(windows, 5, '\\'), "...\\D");
  EXPECT_EQ(shown(windows, 4, '\\'), "D");
  // A root has nothing to cut but its drive (and must not loop for ever).
  EXPECT_EQ(shown("C:\\", 1, '\\'), "\\");
  EXPECT_EQ(shown("/x", 1), "/x");
  // Paths with "/" have no drive; the same steps apply to the folders.
  const std::string linux = "/home/ana/centro/datos";
  EXPECT_EQ(shown(linux, 22), linux);
  EXPECT_EQ(shown(linux, 21), "/.../ana/centro/datos");
  EXPECT_EQ(shown(linux, 17), "/.../centro/datos");
  EXPECT_EQ(shown(linux, 10), "/.../datos");
  EXPECT_EQ(shown(linux, 9), ".../datos");
  EXPECT_EQ(shown(linux, 5), "datos");
  EXPECT_EQ(shown("/", 0), "/");
}

// The rows of one half computed straight from the formula, top row first.
std::vector<Rgb> half(int h, Rgb bottom, Rgb top) {
  const int n = std::min(h, 256);
  std::vector<Rgb> rows(h);
  for (int i = 0; i < n; ++i) {
    const auto round = [](double v) { return static_cast<int>(v < 0 ? v - 0.5 : v + 0.5); };
    const auto component = [&](int c0, int c1) { return c0 + round(static_cast<double>(i) * (c1 - c0) / (n - 1)); };
    const Rgb colour{component(bottom.red, top.red), component(bottom.green, top.green), component(bottom.blue, top.blue)};
    const int from = round(static_cast<double>(i) * h / n), to = round(static_cast<double>(i + 1) * h / n) - 1;
    for (int r = from; r <= to; ++r) rows[h - 1 - r] = colour;
  }
  return rows;
}

TEST(Gradient, RowsFollowTheBandFormulaInBothHalves) {
  const Rgb start = fromColorRef(16698818), middle = fromColorRef(16708303), end = fromColorRef(15128780);
  EXPECT_EQ(start, (Rgb{0xC2, 0xCD, 0xFE}));
  EXPECT_EQ(end, (Rgb{0xCC, 0xD8, 0xE6}));
  for (int height : {205, 106, 7, 4, 600}) {
    SCOPED_TRACE(height);
    const std::vector<Rgb> rows = gradientRows(height, start, middle, end);
    std::vector<Rgb> expected = half(height / 2, middle, end);
    const std::vector<Rgb> lower = half(height - height / 2, start, middle);
    expected.insert(expected.end(), lower.begin(), lower.end());
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(rows.front(), end);
    EXPECT_EQ(rows.back(), start);
  }
  EXPECT_EQ(mulDiv(1, 5, 2), 3);
  EXPECT_EQ(mulDiv(-1, 5, 2), -3);
  EXPECT_EQ(mulDiv(1, 1, 2), 1);
  EXPECT_EQ(mulDiv(-1, 1, 2), -1);
  EXPECT_EQ(mulDiv(10, 204, 205), 10);
}

TEST(CommandLine, SplitByTheProgramsOwnRules) {
  using List = std::vector<std::string>;
  EXPECT_EQ(splitCommandLine("\"C:\\Archivos de programa\\TransHoraventTEBA.exe\" exportar 1A2B"),
            (List{"exportar", "1A2B"}));
  EXPECT_EQ(splitCommandLine("tht \"exportar\" 1A2B"), (List{"exportar", "1A2B"}));
  EXPECT_EQ(splitCommandLine("tht \t\x01 exportar\x1F" "1A2B \r\n"), (List{"exportar", "1A2B"}));
  // Quotes open a stretch anywhere in a parameter; an open one runs to the end.
  EXPECT_EQ(splitCommandLine("tht ex\"por tar\"x \"sin cerrar"), (List{"expor tarx", "sin cerrar"}));
  // Empty pairs at a parameter's start are skipped, blanks after them too.
  EXPECT_EQ(splitCommandLine("tht \"\" exportar \"\"\"\" 1A2B"), (List{"exportar", "1A2B"}));
  EXPECT_EQ(splitCommandLine("tht a \"\"\" b"), (List{"a", " b"}));
  EXPECT_EQ(splitCommandLine("tht a\"\"b"), (List{"ab"}));
  // Bytes above 32 separate nothing; counting stops at the first empty parameter.
  EXPECT_EQ(splitCommandLine("tht \xA0\x7F z"), (List{"\xA0\x7F", "z"}));
  EXPECT_EQ(splitCommandLine("tht a \"\""), (List{"a"}));
  EXPECT_EQ(splitCommandLine("tht"), List{});
  EXPECT_EQ(splitCommandLine(""), List{});
}

TEST(CommandLine, LaunchPlanFromTheCountedParameters) {
  const LaunchPlan none = launchPlan({});
  EXPECT_FALSE(none.hosted);
  EXPECT_EQ(none.parameterCount, 0);
  EXPECT_FALSE(launchPlan({"exportar"}).hosted);
  EXPECT_FALSE(launchPlan({"exportar", "1A2B", "x"}).hosted);
  EXPECT_TRUE(launchPlan({"exportar", "1A2B", "x"}).handleError.empty()) << "three parameters are not looked at";
  const LaunchPlan exported = launchPlan({"EXPORTAR", "1A2B"});
  EXPECT_TRUE(exported.hosted);
  EXPECT_EQ(exported.direction, Direction::Export);
  EXPECT_EQ(exported.handle, 0x1A2Bu);
  EXPECT_EQ(exported.parameterCount, 2);
  const LaunchPlan both = launchPlan({"listar", "0"});
  EXPECT_TRUE(both.hosted);
  EXPECT_EQ(both.direction, Direction::Both);
  EXPECT_EQ(both.handle, 0u);
  const LaunchPlan bad = launchPlan({"importar", "1FFFFFFFF"});
  EXPECT_FALSE(bad.hosted);
  EXPECT_EQ(bad.direction, Direction::Both);
  EXPECT_EQ(bad.handleError, "'$1FFFFFFFF' no es un valor entero v\xE1lido");
  EXPECT_EQ(applicationTitle("C:\\Horavent\\TransHoraventTEBA.EXE"), "Transhoraventteba");
}

TEST(Layout, StandAloneTableScaledByTheTextHeight) {
  const WindowLayout at13 = standAloneLayout(13);
  EXPECT_EQ(at13.width, 599);
  EXPECT_EQ(at13.height, 311);
  EXPECT_TRUE(at13.exportShown && at13.importShown);
  EXPECT_EQ(at13.boxes[kDraw3D3], (Rect{289, 0, 310, 106}));
  EXPECT_EQ(at13.boxes[kDraw3D1], (Rect{0, 106, 599, 205}));
  EXPECT_EQ(at13.boxes[kDirectorios], (Rect{8, 34, 287, 144}));
  EXPECT_EQ(at13.boxes[kUnidades], (Rect{8, 180, 137, 0}));
  EXPECT_EQ(at13.boxes[kLabel1], (Rect{368, 184, 0, 0}));
  EXPECT_EQ(at13.boxes[kBComprobar], (Rect{400, 112, 89, 25})) << "above \"&Salir\", 7 clear of it";
  // 16/13: 88 -> 108.3, 72 -> 88.6, 89 -> 109.5 (halves away from zero), 25 -> 30.8.
  const WindowLayout at16 = standAloneLayout(16);
  EXPECT_EQ(at16.boxes[kBExportar], (Rect{108, 89, 110, 31}));
  EXPECT_EQ(at16.width, 737);
  EXPECT_EQ(at16.height, 383);
  const auto& table = componentTable();
  EXPECT_STREQ(table[kLabel3].caption, "Transformar datos desde TEBA hacia Horavent ");
  EXPECT_STREQ(table[kLabel4].caption, "Transformar datos desde Horavent hacia TEBA");
  EXPECT_STREQ(table[kBClose].caption, "&Salir");
  EXPECT_STREQ(table[kBComprobar].caption, "&Comprobar");
  EXPECT_EQ(table[kBComprobar].parent, kDraw3D1);
  EXPECT_EQ(table[kBComprobar].kind, ControlKind::Button);
  EXPECT_STREQ(table[kBImportar].caption, "Aceptar");
  EXPECT_STREQ(table[kLabel1].caption, "TransHoraventTEBA V-1.4");
  EXPECT_EQ(table[kLabel2].textColour, 0x0000FF);  // red, as Windows stores it
  EXPECT_EQ(table[kLabel6].textColour, 0xFF0000);  // blue
  EXPECT_EQ(table[kLabel6].background, 15128780);
  EXPECT_EQ(table[kBImportar].parent, kDraw3D3);
}

TEST(Layout, HostedFolderPanelAtTheBottomAndTheChosenPanelFillingTheBand) {
  // 599 x 311 plus a dialog frame of 3 and a caption bar of 19.
  const WindowLayout imported = hostedLayout(13, Direction::Import, 605, 336);
  EXPECT_EQ(imported.width, 605);
  EXPECT_EQ(imported.height, 336);
  EXPECT_FALSE(imported.exportShown);
  EXPECT_TRUE(imported.importShown);
  EXPECT_EQ(imported.boxes[kDraw3D1], (Rect{0, 131, 605, 205}));
  EXPECT_EQ(imported.boxes[kDraw3D3], (Rect{0, 0, 605, 131}));
  EXPECT_EQ(imported.boxes[kLabel4], (Rect{8, 24, 305, 57})) << "nothing is re-centred";
  EXPECT_EQ(imported.boxes[kBImportar], (Rect{96, 64, 89, 25}));
  const WindowLayout exported = hostedLayout(13, Direction::Export, 605, 336);
  EXPECT_TRUE(exported.exportShown);
  EXPECT_FALSE(exported.importShown);
  EXPECT_EQ(exported.boxes[kDraw3D2], (Rect{0, 0, 605, 131}));
  const WindowLayout both = hostedLayout(13, Direction::Both, 605, 336);
  EXPECT_EQ(both.boxes[kDraw3D2], (Rect{0, 0, 289, 131}));
  EXPECT_EQ(both.boxes[kDraw3D3], (Rect{289, 0, 316, 131}));
  const WindowLayout scaledUp = hostedLayout(16, Direction::Import, 745, 410);
  EXPECT_EQ(scaledUp.boxes[kDraw3D1], (Rect{0, 158, 745, 252}));
  EXPECT_EQ(scaledUp.boxes[kDraw3D3], (Rect{0, 0, 745, 158}));
}

TEST(OverHost, KeptAtTwoTwoOfTheClientAreaAndShownOnlyWithTheHost) {
  const HostWindowState at100{true, true, false, false, 100, 50};
  HostWindowState gone = at100, hidden = at100, minimised = at100, active = at100;
  gone.exists = false;
  hidden.visible = false;
  minimised.minimised = true;
  active.active = true;
  const OverHostWindow never{false, false, 0, 0, false}, placed{true, true, 102, 52, false},
      placedActive{true, true, 102, 52, true}, elsewhere{true, true, 2, 2, false},
      hiddenBefore{false, true, 102, 52, false}, takenBack{true, true, 102, 52, true, 3},
      retriesSpent{true, true, 102, 52, true, 0};
  struct Case {
    const char* what;
    HostWindowState host;
    OverHostWindow window;
    OverHostAction expected;
  };
  const Case cases[] = {
      {"first show, activated", at100, never, {OverHostStep::Show, 102, 52, true}},
      {"in place", at100, placed, {OverHostStep::Nothing, 102, 52}},
      {"in place, the host still active", active, placedActive, {OverHostStep::Nothing, 102, 52}},
      {"the host came to the front", active, placed, {OverHostStep::Nothing, 102, 52, true, true}},
      {"an activation the host took back", active, takenBack, {OverHostStep::Nothing, 102, 52, true, true}},
      {"its retries spent", active, retriesSpent, {OverHostStep::Nothing, 102, 52}},
      {"the host moved", at100, elsewhere, {OverHostStep::Move, 102, 52, false, true}},
      {"the host dragged by its caption", active, elsewhere, {OverHostStep::Move, 102, 52, true, true}},
      {"the host minimised", minimised, placed, {OverHostStep::Hide}},
      {"the host hidden", hidden, placed, {OverHostStep::Hide}},
      {"already hidden", minimised, hiddenBefore, {OverHostStep::Nothing}},
      {"hidden host at the start", hidden, never, {OverHostStep::Nothing}},
      {"the host back, not active", at100, hiddenBefore, {OverHostStep::Show, 102, 52, false}},
      {"the host back and active", active, hiddenBefore, {OverHostStep::Show, 102, 52, true}},
      {"the host gone", gone, placed, {OverHostStep::End}},
      {"the host gone while minimised", HostWindowState{false, false, true, false, 0, 0}, hiddenBefore,
       {OverHostStep::End}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const OverHostAction action = followHost(c.host, c.window);
    EXPECT_EQ(action.step, c.expected.step);
    EXPECT_EQ(action.left, c.expected.left);
    EXPECT_EQ(action.top, c.expected.top);
    EXPECT_EQ(action.activate, c.expected.activate);
    EXPECT_EQ(action.raise, c.expected.raise);
  }
}

// The host restored: the window shows, activated; the host's own activation
// comes after and takes the keys back, so the activation is asked again
// while retries last, and not after one that held.
TEST(OverHost, AnActivationTakenBackIsRetriedForASecond) {
  HostWindowState host{true, true, false, true, 100, 50};
  OverHostWindow window{false, true, 102, 52, false};
  int activations = 0;
  for (int tick = 0; tick < 2 * kActivationRetries; ++tick) {
    const OverHostAction action = followHost(host, window);
    activations += action.activate;
    recordStep(window, host, action);
  }
  EXPECT_TRUE(window.shown);
  EXPECT_EQ(activations, kActivationRetries + 1);
  EXPECT_EQ(window.activationRetries, 0);

  window = {true, true, 102, 52, false};
  const OverHostAction first = followHost(host, window);
  ASSERT_TRUE(first.activate);
  recordStep(window, host, first);
  host.active = false;  // it held
  recordStep(window, host, followHost(host, window));
  host.active = true;  // the user clicks the host later: one activation, as before
  const OverHostAction later = followHost(host, window);
  EXPECT_TRUE(later.activate);
  EXPECT_EQ(window.activationRetries, 0);
}

TEST(Keyboard, EnterAndTheTabOrder) {
  for (bool exportShown : {true, false}) {
    EXPECT_EQ(enterPresses(Focused::ExportButton, exportShown, true), EnterPress::ExportButton);
    EXPECT_EQ(enterPresses(Focused::ImportButton, exportShown, true), EnterPress::ImportButton);
    EXPECT_EQ(enterPresses(Focused::CloseButton, exportShown, true), EnterPress::CloseButton);
    EXPECT_EQ(enterPresses(Focused::CheckButton, exportShown, true), EnterPress::CheckButton);
    EXPECT_EQ(enterPresses(Focused::OpenDriveList, exportShown, true), EnterPress::Control);
  }
  EXPECT_EQ(enterPresses(Focused::FolderList, true, true), EnterPress::ExportButton);
  EXPECT_EQ(enterPresses(Focused::DriveList, true, false), EnterPress::ExportButton);
  EXPECT_EQ(enterPresses(Focused::FolderList, false, true), EnterPress::ImportButton);
  EXPECT_EQ(enterPresses(Focused::DriveList, false, true), EnterPress::ImportButton);
  EXPECT_EQ(enterPresses(Focused::FolderList, false, false), EnterPress::Nothing);
  using Order = std::vector<Component>;
  EXPECT_EQ(tabOrder(true, true), (Order{kBExportar, kBImportar, kBClose, kDirectorios, kUnidades, kBComprobar}));
  EXPECT_EQ(tabOrder(false, true), (Order{kBImportar, kBClose, kDirectorios, kUnidades, kBComprobar}));
  EXPECT_EQ(tabOrder(true, false), (Order{kBExportar, kBClose, kDirectorios, kUnidades, kBComprobar}));
}

}  // namespace
}  // namespace tht::test
