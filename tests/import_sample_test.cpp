// Both directions on the sample school: export its TEBA files, take the
// SOLUC that Python's dbf package wrote for it (examples/sample-horavent),
// import, and compare TEBA_HORARIO.TXT byte for byte with the reviewed copy
// in tests/data (its timestamps masked).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "export/export_run.h"
#include "import/import_run.h"
#include "tests/export_fixture.h"

namespace tht {
namespace {

namespace fs = std::filesystem;

TEST(SampleSchoolBothWays, TimetableFileMatchesTheReviewedOne) {
  test::ExportFixture scene;
  const std::string source = test::sourceDir();
  fs::copy(source + "/examples/sample-school", scene.teba.path(),
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  ASSERT_FALSE(BExportarClick(scene.session, scene.teba.path(), scene.env));
  ASSERT_EQ(scene.session.ResultadoTraspaso, 1);
  fs::copy_file(source + "/examples/sample-horavent/SOLUC.DBF", scene.work.file("SOLUC.DBF"));

  scene.notifier.events.clear();
  ImportTables tables;
  EXPECT_FALSE(BImportarClick(scene.session, scene.teba.path(), tables, scene.env));
  EXPECT_EQ(scene.session.ResultadoTraspaso, 1);
  EXPECT_EQ(scene.notifier.events, (std::vector<std::string>{"busy on", "busy off", "Proceso finalizado"}));

  std::string written = test::readBytes(scene.teba.file("TEBA_HORARIO.TXT"));
  // Header and trailer carry the time of writing, "ddmmyyyyhhnn", at 60-71.
  const size_t trailer = written.rfind("\r\n9") + 2;
  // Day, month, year from 2000, hour and minute, each in its range.
  const auto isStamp = [](const std::string& text) {
    if (text.size() != 12 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    const auto number = [&text](size_t at, size_t width) { return std::stoi(text.substr(at, width)); };
    return number(0, 2) >= 1 && number(0, 2) <= 31 && number(2, 2) >= 1 && number(2, 2) <= 12 &&
           number(4, 4) >= 2000 && number(8, 2) <= 23 && number(10, 2) <= 59;
  };
  for (size_t at : {size_t{59}, trailer + 59}) {
    EXPECT_TRUE(isStamp(written.substr(at, 12))) << written.substr(at, 12);
    written.replace(at, 12, "############");
  }
  EXPECT_EQ(written, test::readBytes(source + "/tests/data/sample_teba_horario.txt"));
}

}  // namespace
}  // namespace tht
