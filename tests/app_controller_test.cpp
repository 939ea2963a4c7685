// The runs, the report and the close behind the window's buttons, with the
// boxes and the hourglass recorded: what each hands over through
// "Horavent.ini", and what the report window shows and saves.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/report_view.h"
#include "app/run_controller.h"
#include "platform/files.h"
#include "report/report.h"
#include "tests/support/temp_folder.h"

namespace tht::test {
namespace {

using namespace tht::app;

// Records the boxes and the hourglass instead of showing them.
struct Recorder : MessageSink, Notifier {
  void plain(const std::string& text) override { events.push_back("plain " + text); }
  void error(const std::string& message) override { events.push_back("error " + message); }
  void message(const std::string& text) override { plain(text); }
  void busy(bool on) override { events.push_back(on ? "busy" : "idle"); }
  std::vector<std::string> events;
};

class Controller : public ::testing::Test {
 protected:
  TempFolder program, work, teba;
  Recorder recorder;
  RunController controller{program.file("Horavent.ini"), work.path(), recorder, recorder};
  std::string ini() const { return readBytes(program.file("Horavent.ini")); }
};

TEST_F(Controller, StandAloneClosesWithoutWritingAndAnInvalidHandleIsShown) {
  const LaunchPlan plan = controller.FormCreate({"importar", "x"});
  EXPECT_FALSE(plan.hosted);
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"error '$x' no es un valor entero v\xE1lido"}));
  EXPECT_EQ(controller.session().ModoIntegrado, 0);
  EXPECT_FALSE(controller.BImportarClick(teba.path())) << "stand-alone the window stays";
  EXPECT_TRUE(controller.FormClose());
  EXPECT_FALSE(std::filesystem::exists(program.file("Horavent.ini")));
}

TEST_F(Controller, HostedExportWithMissingFilesClosesAndHandsOverMinusOne) {
  program.write("Horavent.ini", "[General]\r\nRuta=C:\\HTEMP\r\n");
  const LaunchPlan plan = controller.FormCreate({"exportar", "1A2B"});
  ASSERT_TRUE(plan.hosted);
  controller.becameHosted(plan);
  EXPECT_EQ(controller.session().ModoIntegrado, 2);
  EXPECT_TRUE(controller.BExportarClick(teba.path()));
  EXPECT_EQ(controller.session().ResultadoTraspaso, -1);
  EXPECT_EQ(recorder.events.back(), "plain Proceso finalizado");
  EXPECT_EQ(recorder.events[1], "plain No existe archivo de asignaturas (TEBA_ASIGNAT.TXT)");
  EXPECT_TRUE(controller.FormClose());
  EXPECT_EQ(ini(), "[General]\r\nRuta=C:\\HTEMP\r\n[Transformadores]\r\nTransformado=-1\r\n");
}

TEST_F(Controller, AnErrorInARunKeepsTheHostedWindowAndItsResult) {
  const LaunchPlan plan = controller.FormCreate({"importar", "0"});
  controller.becameHosted(plan);
  // No "teba_asignat.txt": the import's first read fails.
  EXPECT_FALSE(controller.BImportarClick(teba.path()));
  ASSERT_EQ(recorder.events.size(), 3u);
  EXPECT_EQ(recorder.events[0], "busy");
  EXPECT_EQ(recorder.events[1], "idle") << "the hourglass is down before the error box";
  EXPECT_EQ(recorder.events[2].rfind("error ", 0), 0u);
  EXPECT_EQ(controller.session().ResultadoTraspaso, 0);
  // A missing folder: hosted, the import closes with 0.
  EXPECT_TRUE(controller.BImportarClick(teba.file("gone")));
  EXPECT_EQ(recorder.events.back(), "plain No existe la carpeta");
  EXPECT_TRUE(controller.FormClose());
  EXPECT_EQ(ini(), "[Transformadores]\r\nTransformado=0\r\n");
}

TEST_F(Controller, AnIniThatCannotBeWrittenAbandonsEveryClose) {
  const std::string unreachable = program.file("no-such-folder") + "/Horavent.ini";
  RunController hosted(unreachable, work.path(), recorder, recorder);
  hosted.becameHosted(hosted.FormCreate({"exportar", "0"}));
  EXPECT_FALSE(hosted.FormClose());
  EXPECT_FALSE(hosted.FormClose());
  EXPECT_EQ(recorder.events, (std::vector<std::string>(2, "error Unable to write to " + unreachable)));
}

// "Comprobar" runs nothing: a missing folder gives the runs' plain box, an
// existing one the report on it and on the work folder; neither writes a
// file or changes what the close hands over. "Guardar..." writes the file
// whole, or shows the error and creates nothing.
TEST_F(Controller, ComprobarReportsWithoutChangingTheHandOverAndGuardarSavesOrShowsTheError) {
  controller.becameHosted(controller.FormCreate({"exportar", "0"}));
  EXPECT_EQ(controller.BComprobarClick(teba.file("gone")), std::nullopt);
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"busy", "idle", "plain No existe la carpeta"}));
  recorder.events.clear();
  const std::optional<std::string> text = controller.BComprobarClick(teba.path());
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text, report::text(report::check(teba.path(), work.path())));
  EXPECT_NE(text->find("\nnota: " + work.path() + ": no hay SOLUC.DBF"), std::string::npos) << "not the work folder";
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"busy", "idle"}));
  EXPECT_EQ(controller.session().ResultadoTraspaso, 0);
  for (const TempFolder* folder : {&teba, &work, &program})
    EXPECT_TRUE(std::filesystem::is_empty(folder->path())) << folder->path() << " written to";

  const std::string bytes = savedReport(*text, kThisSystem);
  EXPECT_TRUE(controller.saveReport(program.file("comprobacion.txt"), bytes));
  EXPECT_EQ(readBytes(program.file("comprobacion.txt")), bytes);
  const std::string unreachable = joinPath(program.file("no-such-folder"), "comprobacion.txt");
  EXPECT_FALSE(controller.saveReport(unreachable, bytes));
  ASSERT_EQ(recorder.events.size(), 3u);
  EXPECT_EQ(recorder.events[2].rfind("error Cannot create file \"" + unreachable + "\".", 0), 0u) << recorder.events[2];
  EXPECT_FALSE(std::filesystem::exists(program.file("no-such-folder")));
  std::filesystem::remove(program.file("comprobacion.txt"));
  EXPECT_TRUE(controller.FormClose());
  EXPECT_EQ(ini(), "[Transformadores]\r\nTransformado=0\r\n");
}

// The report window's text per system, the file "Guardar..." writes, where
// its controls stand and what Escape and Enter do.
TEST(ReportView, TextSavedBytesLayoutAndKeys) {
  const std::string finding = "teba_prof.txt:14: c\xF3" "digo 'galm' repetido\nnota: \x80\n1 aviso(s).\n";
  const std::string nul("x\0y\nSin avisos.\n", 16);
  struct Case {
    const char* what;
    std::string report;
    TextSystem system;
    std::string shown, saved;
  };
  const Case cases[] = {
      {"Windows: CR LF, code page 1252", finding, TextSystem::Windows,
       "teba_prof.txt:14: c\xF3" "digo 'galm' repetido\r\nnota: \x80\r\n1 aviso(s).\r\n",
       "teba_prof.txt:14: c\xF3" "digo 'galm' repetido\r\nnota: \x80\r\n1 aviso(s).\r\n"},
      {"Linux: LF, saved as UTF-8", finding, TextSystem::Linux, finding,
       "teba_prof.txt:14: c\xC3\xB3" "digo 'galm' repetido\nnota: \xE2\x82\xAC\n1 aviso(s).\n"},
      {"Windows: a NUL shown as '?', saved", nul, TextSystem::Windows, "x?y\r\nSin avisos.\r\n",
       std::string("x\0y\r\nSin avisos.\r\n", 18)},
      {"Linux: a NUL shown as '?', saved", nul, TextSystem::Linux, "x?y\nSin avisos.\n", nul},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(shownReport(c.report, c.system), c.shown);
    EXPECT_EQ(savedReport(c.report, c.system), c.saved);
  }
  const ReportLayout at13 = reportLayout(13);
  EXPECT_EQ(at13.width, 640);
  EXPECT_EQ(at13.height, 400);
  EXPECT_EQ(at13.boxes[kReportText], (Rect{8, 8, 624, 351}));
  EXPECT_EQ(at13.boxes[kReportSave], (Rect{446, 367, 89, 25}));
  EXPECT_EQ(at13.boxes[kReportClose], (Rect{543, 367, 89, 25}));
  EXPECT_EQ(reportLayout(12).boxes[kReportClose], (Rect{501, 339, 82, 23}));
  for (const ReportControl focused : {kReportText, kReportSave, kReportClose})
    EXPECT_EQ(reportKeyAction(ReportKey::Escape, focused), ReportAction::Close);
  EXPECT_EQ(reportKeyAction(ReportKey::Enter, kReportText), ReportAction::Nothing) << "Enter saves";
  EXPECT_EQ(reportKeyAction(ReportKey::Enter, kReportSave), ReportAction::Save);
  EXPECT_EQ(reportKeyAction(ReportKey::Enter, kReportClose), ReportAction::Close);
}

}  // namespace
}  // namespace tht::test
