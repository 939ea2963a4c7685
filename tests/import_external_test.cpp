// SOLUC as the timetabling product would leave it: written by tools other
// than our engine (Python's dbf package, GDAL's ogr2ogr), with DIA and HORA
// as numbers or as text.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/import_fixture.h"

namespace tht::test {
namespace {

bool succeeds(const std::string& command) { return std::system(command.c_str()) == 0; }

// Debian's own interpreter first: the dbf package is installed for it.
std::string pythonWithDbf() {
  for (const char* python : {"/usr/bin/python3", "python3"}) {
    if (succeeds(std::string(python) + " -c 'import dbf' >/dev/null 2>&1")) return python;
  }
  return {};
}

struct Writer {
  const char* tool;
  bool numeric;
};

std::string describe(const ::testing::TestParamInfo<Writer>& info) {
  return std::string(info.param.tool) + (info.param.numeric ? "Numeric" : "Text");
}

class ForeignSoluc : public ImportFixture, public ::testing::WithParamInterface<Writer> {
 protected:
  // The same lessons for every writer; "MU\xD1O" checks that CP1252 bytes pass.
  void writeForeignSoluc() {
    std::filesystem::remove(work.file("SOLUC.DBF"));
    const Writer writer = GetParam();
    if (std::string(writer.tool) == "dbf") {
      const std::string python = pythonWithDbf();
      if (python.empty()) GTEST_SKIP() << "Python's dbf package is not installed (python3-dbf)";
      const std::string kinds = writer.numeric ? "DIA N(1,0); HORA N(2,0)" : "DIA C(1); HORA C(2)";
      const std::string day = writer.numeric ? "int" : "str";
      const std::string script = teba.write("soluc.py",
          "import dbf, sys\n"
          "t = dbf.Table(sys.argv[1], '" + kinds + "; PROF C(5); CODGRUPO C(4); ASIG C(4); AULA C(4)',"
          " dbf_type='db3', codepage='cp1252')\n"
          "t.open(dbf.READ_WRITE)\n"
          "for d, h, p, g, a, r in [(1, 1, 'MU\\u00d1O', '1A', 'MAT', 'A101'),"
          " (0, 3, 'PER', '1B', 'LEN', 'A102'), (2, 1, 'PER', '1B', 'LEN', 'A102'),"
          " (1, 2, 'ROD', '2A', 'EF', 'GIM'), (3, 2, 'ROD', '2A', 'EF', '')]:\n"
          "    t.append((" + day + "(d), " + day + "(h), p, g, a, r))\n"
          "t.close()\n");
      ASSERT_TRUE(succeeds(python + " " + script + " " + work.file("SOLUC.DBF")));
    } else {
      if (!succeeds("command -v ogr2ogr >/dev/null 2>&1"))
        GTEST_SKIP() << "GDAL's ogr2ogr is not installed (gdal-bin)";
      teba.write("soluc.csv",
                 "DIA,HORA,PROF,CODGRUPO,ASIG,AULA\n1,1,MU\xC3\x91O,1A,MAT,A101\n0,3,PER,1B,LEN,A102\n"
                 "2,1,PER,1B,LEN,A102\n1,2,ROD,2A,EF,GIM\n3,2,ROD,2A,EF,\n");
      teba.write("soluc.csvt", writer.numeric
                                   ? "Integer(1),Integer(2),String(5),String(4),String(4),String(4)\n"
                                   : "String(1),String(2),String(5),String(4),String(4),String(4)\n");
      ASSERT_TRUE(succeeds("ogr2ogr -f 'ESRI Shapefile' -lco ENCODING=CP1252 " +
                           work.file("SOLUC.dbf") + " " + teba.file("soluc.csv") + " >/dev/null 2>&1"));
    }
  }
};

TEST_P(ForeignSoluc, ImportsTheTimetable) {
  writeForeignSoluc();
  if (IsSkipped() || HasFatalFailure()) return;
  writeSlots({{"L", "1", "0001"}, {"L", "2", "0002"}, {"M", "1", "0007"}, {"X", "2", "0014"}});
  EXPECT_FALSE(run());
  EXPECT_EQ(output(), header() +
                          "10001LMU\xD1O1A  LEC MAT A101\r\n"
                          "10007MPER 1B  LEC LEN A102\r\n"
                          "10002LROD 2A  LEC EF  GIM \r\n"
                          "10014XROD 2A  LEC EF      \r\n" +
                          trailer(4));
}

INSTANTIATE_TEST_SUITE_P(Writers, ForeignSoluc,
                         ::testing::Values(Writer{"dbf", true}, Writer{"dbf", false},
                                           Writer{"ogr2ogr", true}, Writer{"ogr2ogr", false}),
                         describe);

}  // namespace
}  // namespace tht::test
