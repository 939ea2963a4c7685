// A table a run reports as written is on the disk: closing a written table
// waits for its bytes (fsync) after its last write, and a table that cannot
// be put there ends the run with an error instead of "Proceso finalizado".
// This executable puts its own pwrite() and fsync() in front of the C
// library's: they log which table each call is for, and fsync fails on
// demand.
#include <gtest/gtest.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "export/export_run.h"
#include "platform/error.h"
#include "tables/table.h"
#include "tests/export_fixture.h"

namespace {

struct Call {
  std::string what;  // "write" or "fsync"
  std::string table; // the file name, when it is a table ("X.DBF")
};

std::vector<Call> calls;
std::string failingFsync;  // a table name whose fsync fails with EIO

std::string tableOf(int fd) {
  char target[4096];
  const ssize_t n = ::readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), target, sizeof target);
  if (n <= 0) return {};
  const std::string path(target, static_cast<size_t>(n));
  const size_t slash = path.rfind('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return name.size() > 4 && name.compare(name.size() - 4, 4, ".DBF") == 0 ? name : std::string();
}

void log(const char* what, int fd) {
  const std::string table = tableOf(fd);
  if (!table.empty()) calls.push_back({what, table});
}

}  // namespace

extern "C" ssize_t pwrite(int fd, const void* data, size_t count, off_t offset) {
  log("write", fd);
  return static_cast<ssize_t>(::syscall(SYS_pwrite64, fd, data, count, offset));
}

extern "C" int fsync(int fd) {
  log("fsync", fd);
  if (!failingFsync.empty() && tableOf(fd) == failingFsync) {
    errno = EIO;
    return -1;
  }
  return static_cast<int>(::syscall(SYS_fsync, fd));
}

namespace tht {
namespace {

using tables::FieldDef;
using tables::FieldKind;
using tables::OpenMode;
using tables::Table;

// The calls for one table, in order.
std::vector<std::string> callsFor(const std::string& table) {
  std::vector<std::string> out;
  for (const Call& call : calls)
    if (call.table == table) out.push_back(call.what);
  return out;
}

class Durability : public ::testing::Test {
 protected:
  void SetUp() override {
    calls.clear();
    failingFsync.clear();
    tables::createTable(work.path(), "PROFT", {{"CODIGO", FieldKind::String, 8}, {"HORAS", FieldKind::Integer, 0}});
    calls.clear();
  }
  void TearDown() override { failingFsync.clear(); }

  void appendRow(Table& table, const std::string& code) {
    table.append();
    table.setString("CODIGO", code);
    table.setInteger("HORAS", 3);
    table.post();
  }

  test::TempFolder work;
};

TEST_F(Durability, ClosingAWrittenTableFlushesItAfterItsLastWrite) {
  Table table;
  table.open(work.path(), "PROFT.DBF", OpenMode::Exclusive);
  appendRow(table, "P1");
  appendRow(table, "P2");
  EXPECT_TRUE(callsFor("PROFT.DBF").empty());  // posted rows wait for the close
  table.close();
  // The rows with the end marker, then the header's count, then the flush.
  EXPECT_EQ(callsFor("PROFT.DBF"), (std::vector<std::string>{"write", "write", "fsync"}));

  calls.clear();
  table.open(work.path(), "PROFT.DBF", OpenMode::Shared);
  table.edit();
  table.setInteger("HORAS", 9);
  table.post();
  table.close();
  EXPECT_EQ(callsFor("PROFT.DBF"), (std::vector<std::string>{"write", "fsync"}));
  EXPECT_EQ(test::readTable(work.path(), "PROFT.DBF"), (test::Rows{{"P1", "9"}, {"P2", "3"}}));
}

TEST_F(Durability, ATableOnlyReadIsNotFlushed) {
  Table table;
  table.open(work.path(), "PROFT.DBF", OpenMode::Shared);
  table.close();
  table.open(work.path(), "PROFT.DBF", OpenMode::ReadOnlyShared);
  table.close();
  EXPECT_TRUE(callsFor("PROFT.DBF").empty());
}

TEST_F(Durability, AFailedFlushIsTheClosesError) {
  failingFsync = "PROFT.DBF";
  Table table;
  table.open(work.path(), "PROFT.DBF", OpenMode::Exclusive);
  appendRow(table, "P1");
  try {
    table.close();
    ADD_FAILURE() << "the close went through";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()),
              "Cannot write to table. Input/output error.\nTable: " + work.file("PROFT.DBF"));
  }
  EXPECT_FALSE(table.isOpen());
}

class ExportDurability : public ::testing::Test, public test::ExportFixture {
 protected:
  void SetUp() override {
    std::filesystem::copy(test::sourceDir() + "/examples/sample-school", teba.path(),
                          std::filesystem::copy_options::recursive);
    calls.clear();
    failingFsync.clear();
  }
  void TearDown() override { failingFsync.clear(); }
};

TEST_F(ExportDurability, EveryTableIsFlushedAfterItsLastWrite) {
  ASSERT_FALSE(BExportarClick(session, teba.path(), env));
  EXPECT_EQ(session.ResultadoTraspaso, 1);
  for (const char* table : {"ASIGNOMT.DBF", "PROFT.DBF", "AULAT.DBF", "GRUPOST.DBF", "ASIGT.DBF", "DIASHORAST.DBF"}) {
    const std::vector<std::string> made = callsFor(table);
    ASSERT_FALSE(made.empty()) << table;
    EXPECT_EQ(made.front(), "write") << table;
    EXPECT_EQ(made.back(), "fsync") << table;
  }
}

TEST_F(ExportDurability, ATableThatCannotReachTheDiskEndsTheRunUnfinished) {
  failingFsync = "ASIGT.DBF";
  try {
    BExportarClick(session, teba.path(), env);
    ADD_FAILURE() << "the export went through";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()),
              "Cannot write to table. Input/output error.\nTable: " + work.file("ASIGT.DBF"));
  }
  EXPECT_EQ(session.ResultadoTraspaso, -1);
  EXPECT_EQ(notifier.messages, std::vector<std::string>{});
  // The steps after it did not run.
  EXPECT_TRUE(callsFor("DIASHORAST.DBF").empty());
}

}  // namespace
}  // namespace tht
