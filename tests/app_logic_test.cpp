// The window program's rules that need no window: parameters and mode,
// the host handle, the application title, the ini writer, the shortened
// path, the gradient's rows and the drive list's mounts.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "app/command_line.h"
#include "app/gradient.h"
#include "app/mounts.h"
#include "app/path_label.h"
#include "platform/error.h"
#include "platform/ini_file.h"
#include "tests/support/temp_folder.h"

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

class IniFile : public ::testing::Test {
 protected:
  TempFolder folder;
  std::string path() const { return folder.file("Horavent.ini"); }
  std::string write(const std::string& before, const std::string& value = "1") {
    if (!before.empty()) folder.write("Horavent.ini", before);
    writeProfileString(path(), "Transformadores", "Transformado", value);
    return readBytes(path());
  }
};

TEST_F(IniFile, KeysAndSectionsAreAddedOrReplacedAndTheRestKept) {
  EXPECT_EQ(write(""), "[Transformadores]\r\nTransformado=1\r\n");
  EXPECT_EQ(write("; Horavent\r\n[General]\r\nRuta=C:\\HTEMP\r\n\r\n[TRANSFORMADORES]\r\n  transformado = 0\r\nOtro=x\r\n\r\n[Fin]\r\n", "-1"),
            "; Horavent\r\n[General]\r\nRuta=C:\\HTEMP\r\n\r\n[TRANSFORMADORES]\r\nTransformado=-1\r\nOtro=x\r\n\r\n[Fin]\r\n");
  EXPECT_EQ(write("[Transformadores]\r\nOtro=x\r\n\r\n[Fin]\r\na=b\r\n"),
            "[Transformadores]\r\nOtro=x\r\nTransformado=1\r\n\r\n[Fin]\r\na=b\r\n");
  EXPECT_EQ(write("[General]\nRuta=/x\n"), "[General]\nRuta=/x\n[Transformadores]\nTransformado=1\n");
  EXPECT_EQ(write("[General]\r\nRuta=/x"), "[General]\r\nRuta=/x\r\n[Transformadores]\r\nTransformado=1\r\n");
  // A key of the same name in another section is not this one.
  EXPECT_EQ(write("[Otra]\r\nTransformado=7\r\n", "0"), "[Otra]\r\nTransformado=7\r\n[Transformadores]\r\nTransformado=0\r\n");
}

TEST_F(IniFile, AFileThatCannotBeWrittenIsAnErrorAndStaysAsItWas) {
  folder.write("Horavent.ini", "[General]\r\n");
  ASSERT_EQ(::chmod(folder.path().c_str(), 0555), 0);
  if (::access(folder.path().c_str(), W_OK) == 0) {
    ::chmod(folder.path().c_str(), 0755);
    GTEST_SKIP() << "permissions do not bind this user (root)";
  }
  try {
    writeProfileString(path(), "Transformadores", "Transformado", "1");
    ADD_FAILURE() << "wrote into a read-only folder";
  } catch (const Error& error) {
    EXPECT_EQ(error.what(), "Unable to write to " + path());
  }
  ::chmod(folder.path().c_str(), 0755);
  EXPECT_EQ(readBytes(path()), "[General]\r\n");
}

// A read-only file is refused as the profile writer refuses it, even where
// its folder would let a rename replace it (and even for root).
TEST_F(IniFile, AReadOnlyFileIsAnErrorAndStaysAsItWas) {
  const std::string before = "[Transformadores]\r\nTransformado=0\r\n";
  folder.write("Horavent.ini", before);
  ASSERT_EQ(::chmod(path().c_str(), 0444), 0);
  try {
    writeProfileString(path(), "Transformadores", "Transformado", "1");
    ADD_FAILURE() << "replaced a read-only file";
  } catch (const Error& error) {
    EXPECT_EQ(error.what(), "Unable to write to " + path());
  }
  EXPECT_EQ(readBytes(path()), before);
  struct stat st;
  ASSERT_EQ(::stat(path().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0444u);
  // A folder in the file's place cannot be written either.
  TempFolder other;
  ASSERT_EQ(::mkdir(other.file("Horavent.ini").c_str(), 0755), 0);
  EXPECT_THROW(writeProfileString(other.file("Horavent.ini"), "Transformadores", "Transformado", "1"), Error);
}

// An ini file that is a link to a shared one: the shared file gets the key
// and the link stays a link.
TEST_F(IniFile, ALinkIsWrittenThroughToItsTarget) {
  TempFolder shared;
  const std::string target = shared.write("Horavent.ini", "[General]\r\nRuta=x\r\n");
  ASSERT_EQ(::symlink(target.c_str(), path().c_str()), 0);
  writeProfileString(path(), "Transformadores", "Transformado", "-1");
  struct stat st;
  ASSERT_EQ(::lstat(path().c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(readBytes(target), "[General]\r\nRuta=x\r\n[Transformadores]\r\nTransformado=-1\r\n");
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

bool neverRemovable(const std::string&) { return false; }
bool usbRemovable(const std::string& device) { return device == "/dev/sdb1"; }
std::string labels(const std::string& device) { return device == "/dev/sda2" ? "DATOS Centro" : ""; }

TEST(Mounts, FileSystemsThatHoldFilesInPathOrder) {
  const std::string table =
      "/dev/sda1 / ext4 rw 0 0\n"
      "proc /proc proc rw 0 0\n"
      "sysfs /sys sysfs rw 0 0\n"
      "tmpfs /run tmpfs rw 0 0\n"
      "tmpfs /run/user/1000 tmpfs rw 0 0\n"
      "devpts /dev/pts devpts rw 0 0\n"
      "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n"
      "/dev/sda2 /home/datos\\040centro ext4 rw 0 0\n"
      "//SERVIDOR/Horarios /mnt/red cifs rw 0 0\n"
      "/dev/sr0 /media/cd iso9660 ro 0 0\n"
      "tmpfs /tmp tmpfs rw 0 0\n"
      "/dev/sdb1 /media/usb vfat rw 0 0\n";
  const std::vector<Drive> drives = drivesOf(table, usbRemovable, labels);
  std::vector<std::string> texts;
  for (const Drive& drive : drives) texts.push_back(drive.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"/ []", "/home/datos centro [datos centro]", "/media/cd []",
                                             "/media/usb", "/mnt/red //servidor/horarios", "/tmp []"}));
  EXPECT_EQ(drives[2].kind, DriveKind::Optical);
  EXPECT_EQ(drives[3].kind, DriveKind::Removable);
  EXPECT_EQ(drives[4].kind, DriveKind::Network);
  EXPECT_EQ(drives[5].kind, DriveKind::RamDisk);
  EXPECT_EQ(driveOf(drives, "/home/datos centro/2026"), 1u);
  EXPECT_EQ(driveOf(drives, "/home/datos"), 0u);
  EXPECT_EQ(driveOf(drivesOf(table, neverRemovable, labels), "/media/usb")  , 3u);
}

}  // namespace
}  // namespace tht::test
