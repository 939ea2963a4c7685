// The catalogue tables read by another program's dBase reader, Debian's
// python3-dbfread (a Linux program).
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "tests/export_catalogue_fixture.h"

namespace tht {
namespace {

// The rows of a table as Debian's python3-dbfread sees them, one "|"-joined line
// per row, the bytes as stored.
std::string dumpWithDbfread(const std::string& path) {
  const std::string command =
      "/usr/bin/python3 '" + test::sourceDir() + "/tests/support/dbf_rows.py' '" + path + "' 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
  if (!pipe) return "cannot run python3";
  std::string out;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) out.append(buffer, n);
  return out;
}

std::string joined(const Rows& rows) {
  std::string out;
  for (const auto& row : rows) {
    for (size_t i = 0; i < row.size(); ++i) out += (i ? "|" : "") + row[i];
    out += "\n";
  }
  return out;
}

TEST_F(CatalogueTables, AnotherDbaseReaderReadsTheTables) {
  run();
  EXPECT_EQ(dumpWithDbfread(work.file("ASIGNOMT.DBF")), joined(kSubjects));
  EXPECT_EQ(dumpWithDbfread(work.file("GRUPOST.DBF")), joined(kGroups));
}

}  // namespace
}  // namespace tht
