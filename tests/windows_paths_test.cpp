// Windows' paths met by the real command-line program and the core under
// Wine: file names in any letter case, the fixed work folder "C:\HTEMP", a
// TEBA folder at a drive's root, and "Horavent.ini" beside the program file.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>

#include "export/export_run.h"
#include "import/import_run.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/ini_file.h"
#include "tests/support/recording_notifier.h"
#include "tests/support/temp_folder.h"
#include "tests/support/windows_process.h"

namespace tht::test {
namespace {

namespace fs = std::filesystem;

const char* const kTables[] = {"ASIGNOMT.DBF", "PROFT.DBF", "AULAT.DBF", "GRUPOST.DBF", "ASIGT.DBF", "DIASHORAST.DBF"};

std::string upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
  return text;
}

// Copies the sample school into `folder`, each name passed through `rename`.
template <typename Rename>
void copySample(const std::string& folder, Rename rename) {
  for (const auto& entry : fs::directory_iterator(sourceDir() + "/examples/sample-school"))
    fs::copy_file(entry.path(), fs::path(folder) / rename(entry.path().filename().string()));
}
void copySample(const std::string& folder) {
  copySample(folder, [](const std::string& name) { return name; });
}

ProgramOutcome cli(const std::string& arguments) {
  return runProgram(quotedArgument(builtProgram("cli/transhoraventteba-cli.exe")) + " " + arguments);
}

// The export of the sample school in `tebaFolder` (a folder path as the
// folder list gives it) into a fresh work folder, through the core.
struct CoreExport {
  explicit CoreExport(const std::string& tebaFolder) {
    went = !BExportarClick(session, tebaFolder, env) && session.ResultadoTraspaso == 1;
  }
  std::string table(const char* name) const { return readBytes(work.file(name)); }
  TempFolder work;
  RecordingNotifier notifier;
  Session session;
  RunEnvironment env{work.path(), notifier};
  bool went = false;
};

TEST(WindowsPaths, InputNamesInAnotherLetterCaseAreFound) {
  TempFolder lower;
  copySample(lower.path());
  TempFolder shouting;
  copySample(shouting.path(), upper);
  ASSERT_TRUE(fs::exists(fs::path(shouting.path()) / "TEBA_ASIGNATGRUPO.TXT"));
  const CoreExport expected(lower.path());
  const CoreExport found(shouting.path());
  ASSERT_TRUE(expected.went);
  EXPECT_TRUE(found.went) << ::testing::PrintToString(found.notifier.messages);
  for (const char* table : kTables) EXPECT_EQ(found.table(table), expected.table(table)) << table;

  // The import reads TEBA_ASIGNAT.TXT and TEBA_SESIONES.TXT as they are
  // named, and replaces a timetable named in small letters.
  fs::copy_file(sourceDir() + "/examples/sample-horavent/SOLUC.DBF", found.work.file("SOLUC.DBF"));
  const std::string earlier = shouting.write("teba_horario.txt", "earlier file\r\n");
  const ProgramOutcome outcome =
      cli("import " + quotedArgument(shouting.path()) + " --work-folder " + quotedArgument(found.work.path()));
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(readBytes(earlier).rfind("0TEBA_HORARIO", 0), 0u);
  size_t timetables = 0;
  for (const auto& entry : fs::directory_iterator(shouting.path()))
    timetables += upper(entry.path().filename().string()) == "TEBA_HORARIO.TXT";
  EXPECT_EQ(timetables, 1u);
}

// Without --work-folder the program uses the host's work folder "C:\HTEMP",
// which it never creates.
TEST(WindowsPaths, MissingHtempFailsTheFirstTableCreation) {
  ASSERT_EQ(GetFileAttributesA("C:\\HTEMP"), INVALID_FILE_ATTRIBUTES) << "C:\\HTEMP is left from elsewhere";
  TempFolder teba;
  copySample(teba.path());
  const ProgramOutcome missing = cli("export " + quotedArgument(teba.path()));
  EXPECT_EQ(missing.status, 3);
  EXPECT_EQ(missing.err, "Directory does not exist.\r\nTable: C:\\HTEMP\\ASIGNOMT.DBF.\r\n");
  EXPECT_EQ(missing.out, "ResultadoTraspaso: -1\r\n");
  EXPECT_EQ(GetFileAttributesA("C:\\HTEMP"), INVALID_FILE_ATTRIBUTES);

  ASSERT_TRUE(CreateDirectoryA("C:\\HTEMP", nullptr));
  const ProgramOutcome present = cli("export " + quotedArgument(teba.path()));
  EXPECT_EQ(present.status, 0) << present.err;
  for (const char* table : kTables)
    EXPECT_NE(GetFileAttributesA((std::string("C:\\HTEMP\\") + table).c_str()), INVALID_FILE_ATTRIBUTES) << table;
  std::error_code ignored;
  fs::remove_all("C:\\HTEMP", ignored);
}

// Drive T: of the test prefix is a folder of its own (tests/support/wine-run
// makes it). The folder list gives a drive's root as "T:\", so the files are
// "T:\\teba_asignat.txt", which Windows takes as "T:\teba_asignat.txt".
TEST(WindowsPaths, TebaFolderAtADriveRootWorksWithItsDoubledBackslash) {
  ASSERT_EQ(GetDriveTypeA("T:\\"), static_cast<UINT>(DRIVE_FIXED)) << "the test prefix has no drive T:";
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator("T:\\", ignored)) fs::remove_all(entry.path(), ignored);
  TempFolder plain;
  copySample(plain.path());
  copySample("T:\\");

  const CoreExport expected(plain.path());
  const CoreExport atRoot("T:\\");
  EXPECT_EQ(atRoot.session.CarpetaTxt, "T:\\\\");
  ASSERT_TRUE(expected.went);
  EXPECT_TRUE(atRoot.went) << ::testing::PrintToString(atRoot.notifier.messages);
  for (const char* table : kTables) EXPECT_EQ(atRoot.table(table), expected.table(table)) << table;

  fs::copy_file(sourceDir() + "/examples/sample-horavent/SOLUC.DBF", atRoot.work.file("SOLUC.DBF"));
  Session session;
  RecordingNotifier notifier;
  RunEnvironment env{atRoot.work.path(), notifier, [] { return std::string("101020261200"); }};
  ImportTables tables;
  EXPECT_FALSE(BImportarClick(session, "T:\\", tables, env));
  EXPECT_EQ(session.CarpetaTxt, "T:\\\\");
  EXPECT_EQ(session.ResultadoTraspaso, 1);
  EXPECT_EQ(readBytes("T:\\TEBA_HORARIO.TXT").rfind("0TEBA_HORARIO", 0), 0u);
  for (const auto& entry : fs::directory_iterator("T:\\", ignored)) fs::remove_all(entry.path(), ignored);
}

std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// The result goes to "Horavent.ini" in the folder of the program file, not
// in the current folder: the host reads it beside the program it started.
TEST(WindowsPaths, HoraventIniLandsBesideTheProgramFile) {
  TempFolder elsewhere;
  ASSERT_FALSE(changeWorkingDirectory(elsewhere.path()));
  std::string folder = programFolder();
  while (!folder.empty() && folder.back() == '\\') folder.pop_back();
  EXPECT_EQ(lowerCase(folder), lowerCase(windowsPathOf(THT_BINARY_DIR "/tests")));

  const std::string beside = windowsPathOf(THT_BINARY_DIR "/tests/Horavent.ini");
  DeleteFileA(beside.c_str());
  writeProfileString(joinPath(programFolder(), "Horavent.ini"), "Transformadores", "Transformado", "-1");
  EXPECT_EQ(readBytes(beside), "[Transformadores]\r\nTransformado=-1\r\n");
  EXPECT_FALSE(fs::exists(fs::path(elsewhere.path()) / "Horavent.ini"));
  DeleteFileA(beside.c_str());
  EXPECT_FALSE(changeWorkingDirectory(sourceDir()));
}

}  // namespace
}  // namespace tht::test
