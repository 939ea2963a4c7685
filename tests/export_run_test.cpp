// The export run: the folder check, the hourglass, the result code, the
// missing-file messages, and how a missing input leaves the tables.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "export/export_run.h"
#include "platform/files.h"
#include "tests/export_run_fixture.h"

namespace tht {
namespace {

TEST_F(ExportRun, MissingFolderStandAloneChangesNothing) {
  writeOldTables();
  for (int32_t before : {0, 1, -1}) {
    session.ResultadoTraspaso = before;
    EXPECT_FALSE(BExportarClick(session, teba.file("absent"), env));
    EXPECT_EQ(session.ResultadoTraspaso, before);
  }
  EXPECT_EQ(session.CarpetaTxt, teba.file("absent") + pathSeparator());
  EXPECT_EQ(notifier.events, Events(3, "No existe la carpeta"));
  for (const Catalogue& c : kCatalogues) expectOldTable(c);
}

TEST_F(ExportRun, MissingFolderHostedFailsAndCloses) {
  session.ModoIntegrado = 2;
  session.ResultadoTraspaso = 0;
  writeAllInputs();
  // A file is no folder.
  EXPECT_TRUE(BExportarClick(session, teba.file("teba_prof.txt"), env));
  EXPECT_EQ(session.ResultadoTraspaso, -1);
  EXPECT_EQ(notifier.events, Events{"No existe la carpeta"});
  EXPECT_FALSE(fileExists(work.file("ASIGNOMT.DBF")));
}

TEST_F(ExportRun, AllInputsRebuildEveryTable) {
  writeAllInputs();
  writeOldTables();
  EXPECT_FALSE(BExportarClick(session, teba.path(), env));
  EXPECT_EQ(session.ResultadoTraspaso, 1);
  EXPECT_EQ(session.CarpetaTxt, teba.path() + pathSeparator());
  EXPECT_EQ(notifier.events, kWentThrough);
  // Subjects and teachers drop the repeated code; rooms and groups keep it.
  for (const Catalogue& c : kCatalogues) expectRebuilt(c, c.rows);

  // Hosted, the window closes after the closing message.
  session.ModoIntegrado = 2;
  notifier.events.clear();
  EXPECT_TRUE(BExportarClick(session, teba.path(), env));
  EXPECT_EQ(session.ResultadoTraspaso, 1);
  EXPECT_EQ(notifier.events, kWentThrough);
}

TEST_F(ExportRun, EachMissingInputEndsOnlyItsOwnStep) {
  // Without the groups file the assignments step would join with the old
  // GRUPOST, which here is no table: that case has a test of its own.
  for (size_t missing : {0, 1, 2, 4, 5}) {
    SCOPED_TRACE(kCatalogues[missing].input);
    Scene run;
    for (size_t i = 0; i < kCatalogues.size(); ++i)
      if (i != missing) run.writeInput(kCatalogues[i]);
    run.teba.write("teba_asignatcurso.txt", kHoursFile);
    // A folder with the input's name does not count as the file.
    if (missing == 2) {
      ASSERT_TRUE(std::filesystem::create_directory(run.teba.file(kCatalogues[2].input)));
    }
    run.writeOldTables();
    run.session.ModoIntegrado = missing == 5 ? 2 : 0;

    EXPECT_EQ(BExportarClick(run.session, run.teba.path(), run.env), missing == 5);
    EXPECT_EQ(run.session.ResultadoTraspaso, -1);
    EXPECT_EQ(run.notifier.events,
              (Events{"busy on", kCatalogues[missing].missingMessage, "busy off", "Proceso finalizado"}));
    for (size_t i = 0; i < kCatalogues.size(); ++i) {
      if (i == missing)
        run.expectOldTable(kCatalogues[i]);
      else
        run.expectRebuilt(kCatalogues[i], kCatalogues[i].rows);
    }
  }
}

}  // namespace
}  // namespace tht
