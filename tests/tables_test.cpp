// The table engine on its own: the bytes of the files it creates, the
// reading and writing rules, walking and editing, and locks.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/error.h"
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

std::string messageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& error) {
    return error.what();
  }
  return "no error";
}


TEST_F(TableTest, CreatedFileIsADbaseThreeTableWithCodePage1252) {
  create();
  const std::string bytes = readBytes(path());
  ASSERT_EQ(bytes.size(), 32u + 3 * 32 + 1 + 1);
  EXPECT_EQ(bytes[0], '\x03');
  EXPECT_EQ(bytes.substr(4, 4), std::string("\0\0\0\0", 4));  // no rows
  EXPECT_EQ(bytes.substr(8, 4), std::string("\x81\0\x24\0", 4));  // 129, 1+4+11+20
  EXPECT_EQ(bytes[29], '\x57');
  EXPECT_EQ(bytes.substr(32, 12), std::string("CODE\0\0\0\0\0\0\0C", 12));
  EXPECT_EQ(bytes.substr(48, 2), std::string("\x04\x00", 2));
  EXPECT_EQ(bytes.substr(64 + 11, 1), "N");
  EXPECT_EQ(bytes.substr(64 + 16, 2), std::string("\x0B\x00", 2));
  EXPECT_EQ(bytes.substr(96 + 16, 2), std::string("\x14\x04", 2));
  EXPECT_EQ(bytes.substr(128), "\x0D\x1A");
}

TEST_F(TableTest, RowsAreStoredAsFixedWidthTextAfterTheHeader) {
  create();
  Table table;
  table.open(work.path(), "t.dbf", OpenMode::Shared);
  addRow(table, "M\xC1TEMATICAS", -2147483647 - 1, 2.5);
  addRow(table, "L", 7, 2.25);
  addRow(table, "", 0, 1.0 / 3);
  table.append();  // unset fields stay empty
  table.post();
  table.close();
  const std::string bytes = readBytes(path());
  EXPECT_EQ(bytes.substr(4, 4), std::string("\x04\0\0\0", 4));
  EXPECT_EQ(bytes.substr(129),
            " M\xC1TE-2147483648              2.5000"
            " L             7              2.2500"
            "               0  0.3333333333333333"
            "                                    "
            "\x1A");
}

TEST_F(TableTest, ValuesReadBackByTheRules) {
  create();
  Table table;
  table.open(work.path(), "T.DBF", OpenMode::Exclusive);
  addRow(table, "AB  ", 42, 2.5);
  addRow(table, "", 0, 3.0);
  addRow(table, "12", -5, 2.25);
  table.append();
  table.post();
  table.close();

  table.open(work.path(), "T.DBF", OpenMode::ReadOnlyShared);
  EXPECT_EQ(table.asString(0), "AB");  // trailing spaces dropped
  EXPECT_EQ(table.text(0), "AB");
  EXPECT_EQ(messageOf([&] { table.text(1); }), "Field 'NUM' is not a text field");
  EXPECT_EQ(table.asString(1), "42");
  EXPECT_EQ(table.asString(2), "2.5");
  EXPECT_EQ(table.asFloat(2), 2.5);
  EXPECT_EQ(table.asInteger(2), 2);  // ties to even
  EXPECT_EQ(messageOf([&] { table.asInteger(0); }), "'AB' no es un valor entero v\xE1lido");
  table.next();
  EXPECT_EQ(table.asString(2), "3");  // no bare separator
  EXPECT_EQ(table.asString(0), "");
  EXPECT_EQ(table.text(0), "");
  table.next();
  EXPECT_EQ(table.asInteger(0), 12);
  EXPECT_EQ(table.asFloat(2), 2.25);
  EXPECT_EQ(table.asInteger(1), -5);
  table.next();
  EXPECT_EQ(table.asString(1), "");  // empty numeric field
  EXPECT_EQ(table.asInteger(1), 0);
  EXPECT_EQ(table.asFloat(2), 0.0);
  table.next();
  EXPECT_TRUE(table.eof());
}

TEST_F(TableTest, NumbersKeepFifteenSignificantDigitsAsText) {
  create();
  Table table;
  table.open(work.path(), "T.DBF", OpenMode::Shared);
  const double values[] = {3.5, 0.1, 1.0 / 3, 123456789012.25, 1e300, -0.000125};
  for (double value : values) addRow(table, "", 0, value);
  table.first();
  std::vector<std::string> texts;
  for (; !table.eof(); table.next()) {
    texts.push_back(table.asString(2));
    EXPECT_EQ(table.asFloat(2), values[texts.size() - 1]);  // stored unchanged
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"3.5", "0.1", "0.333333333333333", "123456789012.25",
                                             "1e+300", "-0.000125"}));
  table.first();
  table.next();
  table.next();
  table.next();
  table.next();
  table.edit();
  EXPECT_EQ(messageOf([&] { table.asInteger(2); }), "'1e+300' no es un valor entero v\xE1lido");
  EXPECT_EQ(messageOf([&] { table.setFloat(2, 1.0 / 0.0); }),
            "Field value out of range.\nField: HOURS\nTable: " + path());
}

// Whatever path the engine takes to its text, a float is stored as its four
// decimals, correctly rounded, when those read back as the value, and
// otherwise in the shortest text that does.
TEST_F(TableTest, FloatsAreStoredWithFourDecimalsWhenTheyHoldTheValueExactly) {
  std::vector<double> values = {0.0, -0.0, 0.5, -0.5, 2.25, 0.0001, -0.0001, 0.00005, 0.1, 0.3, 1.0 / 3,
                                999999999.9999, 1e9, -1e9, 1e9 + 0.5, 123456789012.25, 1e-7, 5e-5,
                                99999999999.9999, -99999999.9999, 1.00005, 2.00015};
  uint64_t seed = 12345;
  auto nextRandom = [&seed] { return seed = seed * 6364136223846793005u + 1442695040888963407u; };
  for (int i = 0; i < 3000; ++i) {
    const int64_t tenThousandths = static_cast<int64_t>(nextRandom() >> 24) % 20000000000000 - 10000000000000;
    values.push_back(static_cast<double>(tenThousandths) / 10000);
    values.push_back(static_cast<double>(tenThousandths) / 10000 + 1e-9);
    values.push_back(std::ldexp(static_cast<double>(nextRandom() >> 11), static_cast<int>(nextRandom() % 80) - 70));
  }
  create();
  Table table;
  table.open(work.path(), "T.DBF", OpenMode::Shared);
  for (double value : values) addRow(table, "", 0, value);
  table.close();

  const std::string bytes = readBytes(path());
  for (size_t row = 0; row < values.size(); ++row) {
    const double value = values[row];
    char text[64];
    std::string expected(text, std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 4).ptr);
    double back = 0;
    std::from_chars(expected.data(), expected.data() + expected.size(), back);
    if (expected.size() > 20 || back != value)
      expected.assign(text, std::to_chars(text, text + sizeof text, value).ptr);
    if (expected.size() > 20) continue;  // scientific texts are covered elsewhere
    const std::string stored = bytes.substr(129 + row * 36 + 16, 20);
    EXPECT_EQ(stored, std::string(20 - expected.size(), ' ') + expected) << "value " << value;
  }
}

TEST_F(TableTest, TextIsCutToTheFieldAndNumbersParseFromText) {
  create();
  Table table;
  table.open(work.path(), "T.DBF", OpenMode::Shared);
  table.append();
  table.setString(0, "ABCDEFG");
  table.setString(1, "-17");
  table.setString(2, "2.75");
  EXPECT_EQ(table.asString(0), "ABCD");  // read during the append
  EXPECT_EQ(table.text(0), "ABCD");
  EXPECT_EQ(table.asInteger(1), -17);
  EXPECT_EQ(messageOf([&] { table.setString(1, "8.30"); }), "'8.30' no es un valor entero v\xE1lido");
  EXPECT_EQ(messageOf([&] { table.setString(2, "x"); }), "'x' no es un valor punto flotante v\xE1lido");
  table.post();
  table.close();
  EXPECT_EQ(readBytes(path()).substr(129, 36), " ABCD        -17              2.7500");
}

TEST_F(TableTest, WalkingEditingAndDeletedRows) {
  create();
  {
    Table table;
    table.open(work.path(), "T.DBF", OpenMode::Shared);
    for (const char* code : {"A", "B", "C", "D"}) addRow(table, code, 1, 1);
    table.close();
  }
  // Mark B deleted, as another dBase program would.
  std::string bytes = readBytes(path());
  bytes[129 + 36] = '*';
  work.write("T.DBF", bytes);

  Table table;
  table.open(work.path(), "T.DBF", OpenMode::Shared);
  EXPECT_EQ(table.asString(0), "A");
  table.next();
  EXPECT_EQ(table.asString(0), "C");  // B skipped
  table.edit();
  table.setString(0, "CC");
  EXPECT_EQ(table.asString(0), "CC");
  table.next();  // stores the edit
  table.edit();
  table.setString(0, "DD");
  table.close();  // drops the pending edit

  table.open(work.path(), "T.DBF", OpenMode::Shared);
  std::string codes;
  for (; !table.eof(); table.next()) codes += table.asString(0) + ",";
  EXPECT_EQ(codes, "A,CC,D,");
  addRow(table, "E", 1, 1);  // appended rows come last
  table.first();
  codes.clear();
  for (; !table.eof(); table.next()) codes += table.asString(0) + ",";
  EXPECT_EQ(codes, "A,CC,D,E,");
}

TEST_F(TableTest, FieldsAreFoundIgnoringCaseAndMissingOnesNamed) {
  create();
  Table plain;
  plain.open(work.path(), "T.DBF", OpenMode::Shared);
  EXPECT_EQ(plain.fieldIndex("hOuRs"), 2u);
  EXPECT_EQ(plain.fieldName(1), "NUM");
  EXPECT_EQ(messageOf([&] { plain.fieldIndex("DIA"); }), "No se encuentra el campo 'DIA'");
  Table named("wwTableSoluc");
  named.open(work.path(), "T.DBF", OpenMode::Shared);
  EXPECT_EQ(messageOf([&] { named.fieldIndex("Dia"); }), "wwTableSoluc: No se encuentra el campo 'Dia'");
}

TEST_F(TableTest, OpenFailuresGiveEngineTexts) {
  EXPECT_EQ(messageOf([&] { Table().open(work.path(), "NONE.DBF", OpenMode::Shared); }),
            "Table does not exist.\nTable: " + work.file("NONE.DBF"));
  EXPECT_EQ(messageOf([&] { createTable(work.file("missing"), "T", kFields); }),
            "Directory does not exist.\nTable: " + (std::filesystem::path(work.file("missing")) / "T.DBF").string());
  create();
  Table readOnly;
  readOnly.open(work.path(), "T.DBF", OpenMode::ReadOnlyShared);
  EXPECT_EQ(messageOf([&] { readOnly.append(); }), "Table is read only.\nTable: " + path());
}

TEST_F(TableTest, LocksKeepExclusiveAndSharedOpenersApart) {
  create();
  Table first;
  first.open(work.path(), "T.DBF", OpenMode::Shared);
  Table second;
  second.open(work.path(), "T.DBF", OpenMode::ReadOnlyShared);  // shared with shared
  EXPECT_EQ(messageOf([&] { Table().open(work.path(), "T.DBF", OpenMode::Exclusive); }),
            "Table is busy.\nTable: " + path());
  EXPECT_EQ(messageOf([&] { create(); }), "Table is busy.\nTable: " + path());
  first.close();
  second.close();
  Table exclusive;
  exclusive.open(work.path(), "T.DBF", OpenMode::Exclusive);
  EXPECT_EQ(messageOf([&] { Table().open(work.path(), "T.DBF", OpenMode::ReadOnlyShared); }),
            "Table is busy.\nTable: " + path());
}

TEST_F(TableTest, CreateReplacesTheTableAndRemovesItsIndex) {
  work.write("t.dbf", "old");
  work.write("T.mdx", "index");
  create();
  // One file is left, the new table (on Windows under the old name's case).
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(work.path()))
    names.push_back(entry.path().filename().string());
  ASSERT_EQ(names.size(), 1u);
  EXPECT_TRUE(names[0] == "T.DBF" || names[0] == "t.dbf") << names[0];
  EXPECT_EQ(readBytes(path()).size(), 130u);
}

}  // namespace
}  // namespace tht::test
