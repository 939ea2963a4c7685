// Our tables in other dBase readers (GDAL's ogrinfo, Python's dbfread), and
// tables of other writers (Python's dbf as dBase III and as Visual FoxPro,
// whose F fields dBase IV shares and whose header runs on past the fields;
// GDAL's
// ogr2ogr) in our engine.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tables/table.h"
#include "tests/support/temp_folder.h"

namespace tht::test {
namespace {

using tables::FieldDef;
using tables::FieldKind;
using tables::OpenMode;
using tables::Table;

bool succeeds(const std::string& command) { return std::system(command.c_str()) == 0; }

std::string output(const std::string& command) {
  std::string text;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, got);
    pclose(pipe);
  }
  return text;
}

// Debian's interpreter: python3-dbf and python3-dbfread are installed for it.
const char* kPython = "/usr/bin/python3";

bool hasPythonModule(const char* module) {
  return succeeds(std::string(kPython) + " -c 'import " + module + "' >/dev/null 2>&1");
}

class Interop : public ::testing::Test {
 protected:
  TempFolder work;

  // Every kind of field, CP1252 accents, a cut value, 2.5 and 2.25.
  void writeOurTable() {
    tables::createTable(work.path(), "OURS", {{"NOMBRE", FieldKind::String, 6},
                                              {"CUENTA", FieldKind::Integer, 0},
                                              {"HORAS", FieldKind::Float, 0}});
    tables::createTable(work.path(), "EMPTY", {{"X", FieldKind::String, 1}});
    Table table;
    table.open(work.path(), "OURS.DBF", OpenMode::Shared);
    const struct { const char* name; int32_t count; double hours; } rows[] = {
        {"Mat\xE9mati", 2147483647, 2.5}, {"\xD1u", -12, 2.25}, {"", 0, 0.1}};
    for (const auto& row : rows) {
      table.append();
      table.setString(0, row.name);
      table.setInteger(1, row.count);
      table.setFloat(2, row.hours);
      table.post();
    }
    table.close();
  }

  std::string rowsOf(const std::string& file) {
    Table table;
    table.open(work.path(), file, OpenMode::ReadOnlyShared);
    std::string text;
    for (; !table.eof(); table.next()) {
      for (size_t i = 0; i < table.fieldCount(); ++i) text += (i ? "|" : "") + table.asString(i);
      text += "\n";
    }
    return text;
  }
};

TEST_F(Interop, DbfreadReadsOurTables) {
  if (!hasPythonModule("dbfread")) GTEST_SKIP() << "python3-dbfread is not installed";
  writeOurTable();
  const std::string script = sourceDir() + "/tests/support/dbf_rows.py";
  EXPECT_EQ(output(std::string(kPython) + " " + script + " " + work.file("OURS.DBF") + " 2>&1"),
            "Mat\xE9ma|2147483647|2.5\n\xD1u|-12|2.25\n|0|0.1\n");
  EXPECT_EQ(output(std::string(kPython) + " " + script + " " + work.file("EMPTY.DBF") + " 2>&1"), "");
}

TEST_F(Interop, OgrinfoReadsOurTables) {
  if (!succeeds("command -v ogrinfo >/dev/null 2>&1")) GTEST_SKIP() << "gdal-bin is not installed";
  writeOurTable();
  const std::string info = output("ogrinfo -ro -al -q " + work.file("OURS.DBF") + " 2>&1");
  EXPECT_NE(info.find("NOMBRE (String) = Mat\xC3\xA9ma"), std::string::npos) << info;  // as UTF-8
  EXPECT_NE(info.find("CUENTA (Integer64) = 2147483647"), std::string::npos) << info;
  EXPECT_NE(info.find("HORAS (Real) = 2.5000\n"), std::string::npos) << info;
  EXPECT_NE(info.find("HORAS (Real) = 2.2500\n"), std::string::npos) << info;
  EXPECT_NE(info.find("NOMBRE (String) = \xC3\x91u"), std::string::npos) << info;
  EXPECT_EQ(info.find("ERROR"), std::string::npos) << info;
  const std::string empty = output("ogrinfo -ro -so -al " + work.file("EMPTY.DBF") + " 2>&1");
  EXPECT_NE(empty.find("Feature Count: 0"), std::string::npos) << empty;
}

TEST_F(Interop, WeReadTablesOfPythonsDbfInBothFlavours) {
  if (!hasPythonModule("dbf")) GTEST_SKIP() << "python3-dbf is not installed";
  for (const char* flavour : {"db3", "vfp"}) {
    const std::string fields = std::string(flavour) == "db3"
                                   ? "NAME C(8); N N(5,0); X N(8,3); OK L; ON D"
                                   : "NAME C(8); N N(5,0); X F(8,3); OK L; ON D";
    const std::string script = work.write("make.py",
        "import dbf, sys, datetime\n"
        "t = dbf.Table(sys.argv[1], '" + fields + "', dbf_type='" + flavour + "', codepage='cp1252')\n"
        "t.open(dbf.READ_WRITE)\n"
        "t.append(('Mu\\u00f1oz', 12, 2.25, True, datetime.date(2026, 12, 9)))\n"
        "t.append(('gone', 1, 1, False, None))\n"
        "dbf.delete(t[-1])\n"
        "t.append(('', -3, -0.5, False, None))\n"
        "t.close()\n");
    const std::string name = std::string(flavour) + ".DBF";
    ASSERT_TRUE(succeeds(std::string(kPython) + " " + script + " " + work.file(name))) << flavour;
    EXPECT_EQ(rowsOf(name), "Mu\xF1oz|12|2.25|True|09/12/2026\n|-3|-0.5|False|\n") << flavour;
  }
}

TEST_F(Interop, WeReadTablesOfOgr2ogr) {
  if (!succeeds("command -v ogr2ogr >/dev/null 2>&1")) GTEST_SKIP() << "gdal-bin is not installed";
  work.write("g.csv", "NAME,N,X\nAl\xC3\xADn,7,2.5\nB,-1,0.125\n");
  work.write("g.csvt", "String(10),Integer(4),Real(10.3)\n");
  ASSERT_TRUE(succeeds("ogr2ogr -f 'ESRI Shapefile' -lco ENCODING=CP1252 " + work.file("G.DBF") + " " +
                       work.file("g.csv") + " >/dev/null 2>&1"));
  EXPECT_EQ(rowsOf("G.DBF"), "Al\xEDn|7|2.5\nB|-1|0.125\n");
}

}  // namespace
}  // namespace tht::test
