// A table of three fields (text, integer, float) in a temporary folder, for
// the table engine's tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tables/table.h"
#include "tests/support/temp_folder.h"

namespace tht::test {

inline const std::vector<tables::FieldDef> kFields = {
    {"CODE", tables::FieldKind::String, 4}, {"NUM", tables::FieldKind::Integer, 0}, {"HOURS", tables::FieldKind::Float, 0}};

class TableTest : public ::testing::Test {
 protected:
  TempFolder work;
  std::string path() const { return work.file("T.DBF"); }
  void create() { tables::createTable(work.path(), "T", kFields); }
  void addRow(tables::Table& table, const std::string& code, int32_t num, double hours) {
    table.append();
    table.setString("code", code);
    table.setInteger("num", num);
    table.setFloat("hours", hours);
    table.post();
  }
};

}  // namespace tht::test
