// Tables written by other programs, whole or damaged: dBase IV and 7
// headers and binary fields read right, and a header that lies about its
// lengths is an engine error, never a crash or a read out of bounds.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/error.h"
#include "tables/table.h"
#include "tests/support/temp_folder.h"

namespace tht::test {
namespace {

using tables::OpenMode;
using tables::Table;

std::string little(uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
  return out;
}

struct RawField {
  std::string name;
  char type;
  int width;
  int decimals;
};

// A dBase III/IV file (32-byte descriptors) with the given rows; the
// header's numbers may be overridden to lie.
std::string dbaseFile(const std::vector<RawField>& fields, const std::vector<std::string>& rows,
                      int recordCount = -1, int headerLength = -1, int recordLength = -1,
                      char version = 0x03) {
  int length = 1;
  for (const RawField& field : fields) length += field.width;
  const int realHeader = 32 + 32 * static_cast<int>(fields.size()) + 1;
  std::string bytes;
  bytes += version;
  bytes += std::string("\x7D\x0C\x09", 3);
  bytes += little(recordCount < 0 ? rows.size() : recordCount, 4);
  bytes += little(headerLength < 0 ? realHeader : headerLength, 2);
  bytes += little(recordLength < 0 ? length : recordLength, 2);
  bytes += std::string(20, '\0');
  for (const RawField& field : fields) {
    std::string descriptor(32, '\0');
    descriptor.replace(0, field.name.size(), field.name);
    descriptor[11] = field.type;
    descriptor[16] = static_cast<char>(field.width);
    descriptor[17] = static_cast<char>(field.decimals);
    bytes += descriptor;
  }
  bytes += '\x0D';
  for (const std::string& row : rows) bytes += row;
  return bytes + '\x1A';
}

class ForeignTable : public ::testing::Test {
 protected:
  TempFolder work;
  std::string openError(const std::string& bytes) {
    work.write("X.DBF", bytes);
    try {
      Table table;
      table.open(work.path(), "X.DBF", OpenMode::Shared);
      for (; !table.eof(); table.next()) table.asString(0);
    } catch (const Error& error) {
      return error.what();
    }
    return "opened";
  }
  std::string corrupt() const { return "Corrupt table/index header.\nTable: " + work.file("X.DBF"); }
};

TEST_F(ForeignTable, DbaseFourFieldKindsRead) {
  const std::vector<RawField> fields = {{"NAME", 'C', 5, 0}, {"N", 'N', 5, 0},  {"F", 'F', 8, 3},
                                        {"OK", 'L', 1, 0},   {"ON", 'D', 8, 0}, {"NOTE", 'M', 10, 0}};
  const std::vector<std::string> rows = {
      std::string(" ") + "Mu\xF1o " + "   12" + "   2.500" + "T" + "20261209" + "         1",
      std::string("*") + "gone " + "    1" + "   1.000" + "F" + "19991231" + "          ",
      std::string(" ") + "ab   " + "   -3" + "  -0.125" + "?" + "        " + "          "};
  work.write("X.DBF", dbaseFile(fields, rows, -1, -1, -1, '\x8B'));
  Table table;
  table.open(work.path(), "x.dbf", OpenMode::ReadOnlyShared);
  EXPECT_EQ(table.asString("name"), "Mu\xF1o");
  EXPECT_EQ(table.asInteger("N"), 12);
  EXPECT_EQ(table.asString("F"), "2.5");
  EXPECT_EQ(table.asString("OK"), "True");
  EXPECT_EQ(table.asString("ON"), "09/12/2026");
  EXPECT_EQ(table.asString("NOTE"), "");  // memo text lives elsewhere
  table.next();  // the deleted row is skipped
  EXPECT_EQ(table.asString("name"), "ab");
  EXPECT_EQ(table.asString("N"), "-3");
  EXPECT_EQ(table.asFloat("F"), -0.125);
  EXPECT_EQ(table.asInteger("F"), 0);
  EXPECT_EQ(table.asString("OK"), "");
  EXPECT_EQ(table.asString("ON"), "");
  table.next();
  EXPECT_TRUE(table.eof());
}

TEST_F(ForeignTable, DbaseSevenHeaderAndBinaryFieldsRead) {
  // 68-byte fixed part, 48-byte descriptors; I and O big-endian with the
  // sign bit turned, + the same as I.
  std::string header;
  header += '\x04';
  header += std::string("\x7D\x0C\x09", 3);
  header += little(2, 4);
  header += little(68 + 3 * 48 + 1, 2);
  header += little(1 + 3 + 4 + 8, 2);
  header += std::string(56, '\0');
  for (auto [name, type, width] : {std::tuple{"LONGNAME_FIELD", 'C', 3}, {"Id", 'I', 4}, {"VAL", 'O', 8}}) {
    std::string descriptor(48, '\0');
    descriptor.replace(0, std::string(name).size(), name);
    descriptor[32] = type;
    descriptor[33] = static_cast<char>(width);
    header += descriptor;
  }
  header += '\x0D';
  const std::string row1 = std::string(" abc") + std::string("\x80\x00\x00\x07", 4) +
                           std::string("\xC0\x04\x00\x00\x00\x00\x00\x00", 8);  // 7, 2.5
  const std::string row2 = std::string(" xy ") + std::string("\x7F\xFF\xFF\xFD", 4) +
                           std::string("\x3F\xFB\xFF\xFF\xFF\xFF\xFF\xFF", 8);  // -3, -2.5
  work.write("X.DBF", header + row1 + row2 + "\x1A");
  Table table;
  table.open(work.path(), "X.DBF", OpenMode::Shared);
  EXPECT_EQ(table.fieldName(0), "LONGNAME_FIELD");
  EXPECT_EQ(table.asString(0), "abc");
  EXPECT_EQ(table.asInteger("id"), 7);
  EXPECT_EQ(table.asFloat("val"), 2.5);
  table.next();
  EXPECT_EQ(table.asString("ID"), "-3");
  EXPECT_EQ(table.asString("VAL"), "-2.5");
  // Binary fields are read, never written.
  table.edit();
  const auto refused = [&](const std::function<void()>& write, const std::string& field) {
    try {
      write();
      ADD_FAILURE() << "written: " << field;
    } catch (const Error& error) {
      EXPECT_EQ(std::string(error.what()), "Capability not supported.\nField: " + field + "\nTable: " + work.file("X.DBF"));
    }
  };
  refused([&] { table.setInteger("Id", 1); }, "Id");
  refused([&] { table.setFloat("VAL", 1.5); }, "VAL");
  refused([&] { table.setString("VAL", ""); }, "VAL");
}

TEST_F(ForeignTable, LyingOrCutHeadersAreEngineErrors) {
  const std::vector<RawField> one = {{"A", 'C', 3, 0}};
  const std::vector<std::string> rows = {" abc", " def"};
  EXPECT_EQ(openError(dbaseFile(one, rows)), "opened");
  EXPECT_EQ(openError(""), corrupt());
  EXPECT_EQ(openError(dbaseFile(one, rows).substr(0, 20)), corrupt());
  EXPECT_EQ(openError(dbaseFile(one, rows, -1, 60000)), corrupt());          // header past the end
  EXPECT_EQ(openError(dbaseFile(one, rows, 2000000000)), corrupt());         // rows past the end
  EXPECT_EQ(openError(dbaseFile(one, rows).substr(0, 32 + 32 + 1 + 6)), corrupt());  // cut last row
  EXPECT_EQ(openError(dbaseFile({{"A", 'C', 0, 0}}, {" ", " "})), corrupt());         // width 0
  EXPECT_EQ(openError(dbaseFile(one, rows, -1, -1, 2)), corrupt());          // field wider than row
  EXPECT_EQ(openError(dbaseFile(one, rows, -1, -1, 0)), corrupt());          // no row length
  EXPECT_EQ(openError(dbaseFile({}, {})), corrupt());                         // no fields
  std::string unterminated = dbaseFile(one, {});
  unterminated[64] = 'x';
  EXPECT_EQ(openError(unterminated), corrupt());
}

}  // namespace
}  // namespace tht::test
