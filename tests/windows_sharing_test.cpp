// Windows' file sharing, met by the real command-line program under Wine: an
// input another program writes, a table another program has open, and a
// target that a short-lived reader (a virus scanner, an indexer, the host)
// holds at the moment the program replaces it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/files.h"
#include "tables/table.h"
#include "tests/support/temp_folder.h"
#include "tests/support/windows_process.h"

namespace tht::test {
namespace {

namespace fs = std::filesystem;

// A copy of the sample school and a work folder, and the program run on them.
class Sharing : public ::testing::Test {
 protected:
  TempFolder teba;
  TempFolder work;

  void SetUp() override {
    for (const auto& entry : fs::directory_iterator(sourceDir() + "/examples/sample-school"))
      fs::copy_file(entry.path(), fs::path(teba.path()) / entry.path().filename());
  }
  ProgramOutcome cli(const std::string& direction) {
    return runProgram(quotedArgument(builtProgram("cli/transhoraventteba-cli.exe")) + " " + direction + " " +
                      quotedArgument(teba.path()) + " --work-folder " + quotedArgument(work.path()));
  }
  // Runs a direction that must go through.
  void runThrough(const std::string& direction) {
    const ProgramOutcome outcome = cli(direction);
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    ASSERT_EQ(outcome.out, "ResultadoTraspaso: 1\r\n");
  }
  // Drops the line `number` (from 1) of a TEBA file.
  void dropLine(const std::string& file, size_t number) {
    std::string text = readBytes(teba.file(file));
    size_t begin = 0;
    for (size_t i = 1; i < number; ++i) begin = text.find("\r\n", begin) + 2;
    text.erase(begin, text.find("\r\n", begin) + 2 - begin);
    teba.write(file, text);
  }
};

TEST_F(Sharing, InputHeldForWritingEndsTheExportWithError32AndKeepsTheStepsTable) {
  runThrough("export");
  const std::string earlierTeachers = readBytes(work.file("PROFT.DBF"));
  const std::string earlierRooms = readBytes(work.file("AULAT.DBF"));
  dropLine("teba_prof.txt", 2);  // a run that read it would change PROFT
  {
    HeldFile writer(teba.file("teba_prof.txt"), "w", "rw", 20000);
    ASSERT_TRUE(writer.holding());
    const ProgramOutcome outcome = cli("export");
    writer.release();
    EXPECT_EQ(outcome.status, 3);
    EXPECT_EQ(outcome.err, "Error de E/S 32.\r\n");
    EXPECT_EQ(outcome.out, "ResultadoTraspaso: -1\r\n");
  }
  EXPECT_EQ(readBytes(work.file("PROFT.DBF")), earlierTeachers);
  EXPECT_EQ(readBytes(work.file("AULAT.DBF")), earlierRooms);

  // A reader beside the export is no obstacle: its inputs share with readers.
  {
    HeldFile reader(teba.file("teba_prof.txt"), "r", "r", 20000);
    ASSERT_TRUE(reader.holding());
    runThrough("export");
    reader.release();
  }
  EXPECT_NE(readBytes(work.file("PROFT.DBF")), earlierTeachers);
}

TEST_F(Sharing, TableOpenElsewhereMakesTheImportBusyAndKeepsTheEarlierTimetable) {
  runThrough("export");
  fs::copy_file(sourceDir() + "/examples/sample-horavent/SOLUC.DBF", work.file("SOLUC.DBF"));
  const std::string earlier = teba.write("TEBA_HORARIO.TXT", "earlier file\r\n");
  for (const char* table : {"SOLUC.DBF", "GRUPOST.DBF", "DIASHORAST.DBF"}) {
    // The host reading a table, sharing it with everyone.
    HeldFile host(work.file(table), "r", "rwd", 20000);
    ASSERT_TRUE(host.holding());
    const ProgramOutcome outcome = cli("import");
    host.release();
    EXPECT_EQ(outcome.status, 3) << table;
    EXPECT_EQ(outcome.err, "Table is busy.\r\nTable: " + work.file(table) + ".\r\n") << table;
    EXPECT_EQ(readBytes(earlier), "earlier file\r\n") << table;
  }
  runThrough("import");
  EXPECT_NE(readBytes(earlier), "earlier file\r\n");
}

// A replacement, a deletion or a table's creation that meets another
// program holding the target (a virus scanner, an indexer, the host reading
// the old file) is retried for about a second: a hold of 200 ms from the
// moment it starts is outwaited, one of 3 s is not.
TEST(Retries, ReplacementAndDeletionOutwaitAShortHoldOnly) {
  TempFolder folder;
  const std::string target = folder.write("TEBA_HORARIO.TXT", "earlier");
  {
    HeldFile reader(target, "r", "r", 200);
    ASSERT_TRUE(reader.holding());
    replaceFileAtomically(target, "new");
  }
  EXPECT_EQ(readBytes(target), "new");
  {
    HeldFile reader(target, "r", "r", 3000);
    ASSERT_TRUE(reader.holding());
    try {
      replaceFileAtomically(target, "newer");
      ADD_FAILURE() << "replaced a file held for 3 s";
    } catch (const Error& error) {
      const std::string message = error.what();
      const std::string start = "Cannot create file \"" + target + "\". ";
      EXPECT_EQ(message.rfind(start, 0), 0u) << message;
      EXPECT_GT(message.size(), start.size()) << "no cause";
    }
  }
  EXPECT_EQ(readBytes(target), "new");
  size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.path())) ++entries;
  EXPECT_EQ(entries, 1u) << "a temporary file was left";

  {
    HeldFile reader(target, "r", "r", 200);
    ASSERT_TRUE(reader.holding());
    EXPECT_TRUE(deleteFileIfPresent(target));
  }
  EXPECT_FALSE(fileExists(target));
  folder.write("ASIGNOMT.MDX", "index");
  {
    HeldFile reader(folder.file("ASIGNOMT.MDX"), "r", "r", 3000);
    ASSERT_TRUE(reader.holding());
    EXPECT_FALSE(deleteFileIfPresent(folder.file("ASIGNOMT.MDX")));
  }
  EXPECT_TRUE(fileExists(folder.file("ASIGNOMT.MDX")));

  // A table is created anew over an old one that a reader holds for a
  // moment; a longer hold makes it busy, and the old table stays.
  const std::vector<tables::FieldDef> fields = {{"ABREV", tables::FieldKind::String, 4}};
  const std::string table = folder.write("ASIGNOMT.DBF", "old table");
  {
    HeldFile reader(table, "r", "r", 200);
    ASSERT_TRUE(reader.holding());
    tables::createTable(folder.path(), "ASIGNOMT", fields);
  }
  EXPECT_EQ(readBytes(table).size(), 66u);
  folder.write("ASIGNOMT.DBF", "old table");
  {
    HeldFile reader(table, "r", "r", 3000);
    ASSERT_TRUE(reader.holding());
    try {
      tables::createTable(folder.path(), "ASIGNOMT", fields);
      ADD_FAILURE() << "created a table over one held for 3 s";
    } catch (const Error& error) {
      EXPECT_STREQ(error.what(), ("Table is busy.\nTable: " + table).c_str());
    }
  }
  EXPECT_EQ(readBytes(table), "old table");
}

// What the user sees when the hold outlasts the retries.
TEST_F(Sharing, TimetableHeldTooLongEndsTheImportAndStays) {
  runThrough("export");
  fs::copy_file(sourceDir() + "/examples/sample-horavent/SOLUC.DBF", work.file("SOLUC.DBF"));
  const std::string timetable = teba.write("TEBA_HORARIO.TXT", "earlier file\r\n");
  HeldFile reader(timetable, "r", "r", 3000);
  ASSERT_TRUE(reader.holding());
  const ProgramOutcome outcome = cli("import");
  EXPECT_EQ(outcome.status, 3);
  EXPECT_EQ(outcome.err.rfind("Cannot create file \"" + timetable + "\". ", 0), 0u) << outcome.err;
  EXPECT_EQ(readBytes(timetable), "earlier file\r\n");
}

TEST_F(Sharing, TableHeldTooLongEndsTheExportAndStays) {
  runThrough("export");
  const std::string earlier = readBytes(work.file("ASIGNOMT.DBF"));
  dropLine("teba_asignat.txt", 2);
  HeldFile reader(work.file("ASIGNOMT.DBF"), "r", "r", 3000);
  ASSERT_TRUE(reader.holding());
  const ProgramOutcome outcome = cli("export");
  EXPECT_EQ(outcome.status, 3);
  EXPECT_NE(outcome.err.find("Table is busy.\r\nTable: " + work.file("ASIGNOMT.DBF") + ".\r\n"), std::string::npos)
      << outcome.err;
  EXPECT_EQ(readBytes(work.file("ASIGNOMT.DBF")), earlier);
}

}  // namespace
}  // namespace tht::test
