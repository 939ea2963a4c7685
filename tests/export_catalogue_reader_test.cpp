// The catalogue tables read by another program's dBase reader, Debian's
// python3-dbfread (a Linux program).
#include <gtest/gtest.h>

#include <string>

#include "tests/export_catalogue_fixture.h"
#include "tests/support/dbf_reader.h"

namespace tht {
namespace {


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
  EXPECT_EQ(test::dbfreadRows(work.file("ASIGNOMT.DBF")), joined(kSubjects));
  EXPECT_EQ(test::dbfreadRows(work.file("GRUPOST.DBF")), joined(kGroups));
}

}  // namespace
}  // namespace tht
