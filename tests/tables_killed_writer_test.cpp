// The buffered posts of the table engine that a killed process leaves in a
// readable file (Linux: the process is forked and killed with SIGKILL).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "tables/table.h"
#include "tests/support/temp_folder.h"
#include "tests/tables_fixture.h"

namespace tht::test {
namespace {

using tables::createTable;
using tables::FieldDef;
using tables::FieldKind;
using tables::OpenMode;
using tables::Table;

using KilledWriter = TableTest;

// A process killed while appending leaves a table other readers accept,
// holding every row up to its last flush.
TEST_F(KilledWriter, LeavesAValidTableWithTheFlushedRows) {
  create();
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    Table table;
    table.open(work.path(), "T.DBF", OpenMode::Shared);
    for (int i = 0; i < 5000; ++i) addRow(table, "R", i, 1);
    ::kill(::getpid(), SIGKILL);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));

  const std::string bytes = readBytes(path());
  EXPECT_EQ(bytes.substr(4, 4), std::string("\x00\x10\0\0", 4));  // 4096 rows
  EXPECT_EQ(bytes[129 + 4096 * 36], '\x1A');
  Table table;
  table.open(work.path(), "T.DBF", OpenMode::Shared);
  int32_t rows = 0;
  for (; !table.eof(); table.next()) EXPECT_EQ(table.asInteger(1), rows++);
  EXPECT_EQ(rows, 4096);
}

}  // namespace
}  // namespace tht::test
