// The folder browser: the folder list's lines, double-clicks and drive
// choices, the drive list, on a system of folders made up for each case and
// on this system.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/folder_browser.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "tests/support/temp_folder.h"

namespace tht::test {
namespace {

using namespace tht::app;

// A system of folders and drives for the browser: `folders` maps each
// folder that exists to its visible subfolders.
struct FakeFolders : FolderSystem {
  PathStyle style = kWindowsPaths;
  std::string cwd;
  std::map<std::string, std::vector<std::string>> folders;
  std::vector<DriveInfo> driveList;
  std::map<std::string, std::string> held;  // a drive's root -> the folder held current there
  std::map<std::string, int> failing;       // folder -> the code entering it fails with
  std::string caseFolded;                   // a root whose volume does not keep letter case

  PathStyle pathStyle() const override { return style; }
  std::string workingDirectory() override { return cwd; }
  SystemError changeWorkingDirectory(const std::string& folder) override {
    if (failing.count(folder)) return {SystemError::Kind::Other, failing[folder], ""};
    if (!folders.count(folder)) return {SystemError::Kind::Missing, 2, ""};
    cwd = folder;
    return {};
  }
  std::vector<std::string> visibleSubfolders(const std::string& folder) override { return folders[folder]; }
  bool keepsLetterCase(const std::string& folder) override {
    return caseFolded.empty() || folder.rfind(caseFolded, 0) != 0;
  }
  std::vector<DriveInfo> drives() override { return driveList; }
  std::string folderHeldOnDrive(const std::string& root) override { return held.count(root) ? held[root] : ""; }
};

// A name as this system's calls give it: code page 1252 on Windows, UTF-8
// elsewhere.
std::string native(const std::string& cp1252) {
#ifdef _WIN32
  return cp1252;
#else
  return cp1252ToUtf8(cp1252);
#endif
}

// Each folder line as "text indent icon target", the icon O (open),
// * (current) or C (closed).
std::vector<std::string> described(const FolderBrowser& browser) {
  std::vector<std::string> out;
  for (const FolderLine& line : browser.folderLines()) {
    const char icon = line.icon == FolderIcon::Open ? 'O' : line.icon == FolderIcon::Current ? '*' : 'C';
    out.push_back(line.text + " " + std::to_string(line.indent) + " " + icon + " " + line.target);
  }
  return out;
}

TEST(FolderBrowser, LinesOfRootPathAndSortedSubfolders) {
  using Lines = std::vector<std::string>;
  struct Case {
    PathStyle style;
    std::string current;
    std::vector<std::string> subfolders;
    bool keepsCase;
    Lines expected;
  };
  const Case cases[] = {
      {kWindowsPaths, "C:\\DATOS\\CENTRO", {"b", "Zeta", "A", "a", native("\xC1rbol")}, true,
       {"C:\\ 2 O C:\\", "DATOS 6 O C:\\DATOS", "CENTRO 10 * C:\\DATOS\\CENTRO", "A 14 C C:\\DATOS\\CENTRO\\A",
        "a 14 C C:\\DATOS\\CENTRO\\a", "b 14 C C:\\DATOS\\CENTRO\\b", "Zeta 14 C C:\\DATOS\\CENTRO\\Zeta",
        "\xC1rbol 14 C C:\\DATOS\\CENTRO\\" + native("\xC1rbol")}},
      // At a root the root is the current folder; subfolders 6 + 4 x 1 in.
      {kWindowsPaths, "C:\\", {"HTEMP"}, true, {"C:\\ 2 * C:\\", "HTEMP 10 C C:\\HTEMP"}},
      // A volume that does not keep case: names in lower case, targets as they are.
      {kWindowsPaths, "A:\\DATOS", {native("\xC1REA")}, false,
       {"A:\\ 2 O A:\\", "datos 6 * A:\\DATOS", "\xE1rea 10 C A:\\DATOS\\" + native("\xC1REA")}},
      {kPosixPaths, "/home/centro", {"2026"}, true,
       {"/ 2 O /", "home 6 O /home", "centro 10 * /home/centro", "2026 14 C /home/centro/2026"}},
      {kPosixPaths, "/", {"tmp"}, true, {"/ 2 * /", "tmp 10 C /tmp"}},
      {kPosixPaths, native("/datos/a\xF1o"), {native("Matem\xE1ticas")}, true,
       {"/ 2 O /", "datos 6 O /datos", "a\xF1o 10 * " + native("/datos/a\xF1o"),
        "Matem\xE1ticas 14 C " + native("/datos/a\xF1o/Matem\xE1ticas")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.current);
    FakeFolders system;
    system.style = c.style;
    system.cwd = c.current;
    system.folders[c.current] = c.subfolders;
    if (!c.keepsCase) system.caseFolded = c.current.substr(0, 3);
    const FolderBrowser browser(system);
    EXPECT_EQ(described(browser), c.expected);
    EXPECT_EQ(browser.folderLines()[browser.selectedFolderLine()].icon, FolderIcon::Current);
  }
}

// C:\DATOS\CENTRO with subfolders A and GONE; GONE has vanished.
FakeFolders centro() {
  FakeFolders system;
  system.cwd = "C:\\DATOS\\CENTRO";
  system.folders["C:\\"] = {"DATOS"};
  system.folders["C:\\DATOS"] = {"CENTRO"};
  system.folders["C:\\DATOS\\CENTRO"] = {"A", "GONE"};
  system.folders["C:\\DATOS\\CENTRO\\A"] = {};
  system.driveList = {{"A:\\", DriveKind::Removable, "", ""},
                      {"C:\\", DriveKind::Fixed, "SISTEMA", ""},
                      {"Z:\\", DriveKind::Network, "", "\\\\SERVIDOR\\Horarios"}};
  system.held = {{"A:\\", "A:\\"}, {"C:\\", "C:\\DATOS\\CENTRO"}, {"Z:\\", "Z:\\HORARIOS"}};
  system.folders["Z:\\HORARIOS"] = {};
  system.failing["A:\\"] = 21;  // no medium
  return system;
}

TEST(FolderBrowser, DoubleClicksAndDriveChoices) {
  struct Case {
    const char* what;
    bool drive;  // a drive choice, else a double-click
    size_t index;
    std::string error;
    std::string current;
    size_t lines;
    size_t selectedDrive;
  };
  const Case cases[] = {
      {"root line", false, 0, "", "C:\\", 2, 1},
      {"path line", false, 1, "", "C:\\DATOS", 3, 1},
      {"current line", false, 2, "", "C:\\DATOS\\CENTRO", 5, 1},
      {"subfolder", false, 3, "", "C:\\DATOS\\CENTRO\\A", 4, 1},
      {"vanished subfolder", false, 4, "Error de E/S 2", "C:\\DATOS\\CENTRO", 5, 1},
      {"no such line", false, 5, "", "C:\\DATOS\\CENTRO", 5, 1},
      {"network drive", true, 2, "", "Z:\\HORARIOS", 2, 2},
      {"drive without medium", true, 0, "Error de E/S 21", "C:\\DATOS\\CENTRO", 5, 0},
      {"the current drive", true, 1, "", "C:\\DATOS\\CENTRO", 5, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeFolders system = centro();
    FolderBrowser browser(system);
    const std::vector<std::string> before = described(browser);
    EXPECT_EQ(c.drive ? browser.chooseDrive(c.index) : browser.openFolderLine(c.index), c.error);
    EXPECT_EQ(browser.currentFolder(), c.current);
    EXPECT_EQ(system.cwd, c.current);
    EXPECT_EQ(browser.folderLines().size(), c.lines);
    EXPECT_EQ(browser.folderLines()[browser.selectedFolderLine()].target, c.current);
    EXPECT_EQ(browser.selectedDriveLine(), c.selectedDrive);
    if (!c.error.empty()) {
      EXPECT_EQ(described(browser), before) << "the lines stay";
    }
  }
}

TEST(FolderBrowser, DriveLinesAndTheSelectedDrive) {
  FakeFolders windows;
  windows.cwd = "C:\\DATOS";
  windows.driveList = {{"A:\\", DriveKind::Removable, "DISCO", ""},
                       {"C:\\", DriveKind::Fixed, "SISTEMA", ""},
                       {"D:\\", DriveKind::Optical, "", ""},
                       {"M:\\", DriveKind::Fixed, native("Matem\xE1ticas"), ""},
                       {"R:\\", DriveKind::RamDisk, "", ""},
                       {"Y:\\", DriveKind::Network, "RED", ""},
                       {"Z:\\", DriveKind::Network, "RED", "\\\\SERVIDOR\\Horarios"}};
  const FolderBrowser atC(windows);
  std::vector<std::string> texts;
  for (const DriveLine& line : atC.driveLines()) texts.push_back(line.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"a:", "c: [sistema]", "d: []", "m: [matem\xE1ticas]", "r: []",
                                             "y: [red]", "z: \\\\servidor\\horarios"}));
  EXPECT_EQ(atC.driveLines()[6].kind, DriveKind::Network);
  EXPECT_EQ(atC.selectedDriveLine(), 1u);
  windows.cwd = "z:\\x";
  EXPECT_EQ(FolderBrowser(windows).selectedDriveLine(), 6u) << "drive letters in either case";

  // Mount points: the longest that holds the folder, at a separator.
  FakeFolders mounts;
  mounts.style = kPosixPaths;
  mounts.driveList = {{"/", DriveKind::Fixed, "", ""},
                     {"/home/datos", DriveKind::Fixed, native("DATOS Centro"), ""},
                     {"/media/usb", DriveKind::Removable, "", ""},
                     {"/mnt/red", DriveKind::Network, "", "//SERVIDOR/Horarios"}};
  texts.clear();
  const FolderBrowser atRoot(mounts);
  for (const DriveLine& line : atRoot.driveLines()) texts.push_back(line.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"/ []", "/home/datos [datos centro]", "/media/usb",
                                             "/mnt/red //servidor/horarios"}));
  for (const auto& [folder, drive] : std::vector<std::pair<std::string, size_t>>{
           {"/home/datos/2026", 1}, {"/home/datos", 1}, {"/home/datosX", 0}, {"/media/usb", 2}, {"/", 0}}) {
    mounts.cwd = folder;
    EXPECT_EQ(FolderBrowser(mounts).selectedDriveLine(), drive) << folder;
  }
}

// Where the system holds no current folder per drive, a drive choice goes
// back to the folder last visited there, else to its root.
TEST(FolderBrowser, DrivesWithoutAFolderHeldGoWhereTheUserLastWas) {
  FakeFolders system;
  system.style = kPosixPaths;
  system.cwd = "/home/centro";
  system.folders = {{"/home/centro", {}}, {"/media/usb", {"x"}}, {"/media/usb/x", {}}};
  system.driveList = {{"/", DriveKind::Fixed, "", ""}, {"/media/usb", DriveKind::Removable, "", ""}};
  FolderBrowser browser(system);
  EXPECT_EQ(browser.chooseDrive(1), "");
  EXPECT_EQ(browser.currentFolder(), "/media/usb");
  EXPECT_EQ(browser.openFolderLine(3), "");
  EXPECT_EQ(browser.currentFolder(), "/media/usb/x");
  EXPECT_EQ(browser.chooseDrive(0), "");
  EXPECT_EQ(browser.currentFolder(), "/home/centro");
  EXPECT_EQ(browser.chooseDrive(1), "");
  EXPECT_EQ(browser.currentFolder(), "/media/usb/x");
  const auto characters = [](const std::string& text) { return static_cast<int>(text.size()); };
  EXPECT_EQ(browser.pathLabel(100, characters), "/media/usb/x");
  EXPECT_EQ(browser.pathLabel(5, characters), ".../x");
}

// The running system's calls: the process's working directory follows the
// browser, and a folder that vanished gives the system's code.
TEST(FolderBrowser, OnThisSystem) {
  TempFolder folder;
  const std::string previous = workingDirectory();
  ASSERT_FALSE(changeWorkingDirectory(folder.path()));
  for (const char* name : {"b", "A", "zeta"}) std::filesystem::create_directory(folder.file(name));
  folder.write("archivo", "");
  FolderBrowser browser(systemFolders());
  EXPECT_EQ(browser.currentFolder(), workingDirectory());
  std::vector<std::string> tail;
  for (size_t i = browser.selectedFolderLine() + 1; i < browser.folderLines().size(); ++i)
    tail.push_back(browser.folderLines()[i].text);
  EXPECT_EQ(tail, (std::vector<std::string>{"A", "b", "zeta"}));
  const size_t zeta = browser.folderLines().size() - 1;
  std::filesystem::remove(folder.file("zeta"));
  EXPECT_EQ(browser.openFolderLine(zeta), "Error de E/S 2");
  EXPECT_EQ(browser.openFolderLine(zeta - 1), "");
  EXPECT_EQ(workingDirectory(), browser.currentFolder());
  EXPECT_EQ(splitPath(browser.currentFolder()).name, "b");
  ASSERT_FALSE(changeWorkingDirectory(previous));
}

}  // namespace
}  // namespace tht::test
