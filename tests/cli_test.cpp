// The command-line companion: its arguments, the consistency report on the
// sample school and on broken copies of it, and the console notifier.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>

#include "cli/arguments.h"
#include "cli/check.h"
#include "cli/console.h"
#include "tables/table.h"
#include "tests/support/temp_folder.h"

namespace tht::test {
namespace {

namespace fs = std::filesystem;

std::string usageError(const std::vector<std::string>& args) {
  try {
    cli::parseArguments(args);
  } catch (const cli::UsageError& error) {
    return error.what();
  }
  return "accepted";
}

TEST(CliArguments, CommandsTargetsAndOptions) {
  const cli::Invocation run = cli::parseArguments({"export", "/t", "--work-folder", "/w"});
  EXPECT_EQ(run.command, "export");
  EXPECT_EQ(run.target, "/t");
  EXPECT_EQ(run.workFolder, "/w");
  EXPECT_EQ(cli::parseArguments({"check", "--work-folder=/w", "/t"}).workFolder, "/w");
  EXPECT_TRUE(cli::parseArguments({"show-table", "A.DBF", "--csv"}).csv);
  EXPECT_TRUE(cli::parseArguments({"import", "--help"}).help);
  EXPECT_EQ(usageError({}), "falta la orden (export, import, check o show-table)");
  EXPECT_EQ(usageError({"exportar"}), "orden desconocida: exportar");
  EXPECT_EQ(usageError({"export"}), "falta la carpeta de TEBA");
  EXPECT_EQ(usageError({"show-table"}), "falta el archivo de la tabla");
  EXPECT_EQ(usageError({"export", "/t", "--work-folder"}), "--work-folder necesita una carpeta");
  EXPECT_EQ(usageError({"export", "/t", "/u"}), "sobra el argumento: /u");
  EXPECT_EQ(usageError({"show-table", "A.DBF", "--work-folder", "/w"}),
            "opci\xF3n desconocida para show-table: --work-folder");
}

// A copy of the sample school, to break one thing at a time.
class CheckReport : public ::testing::Test {
 protected:
  TempFolder teba;
  TempFolder work;
  void SetUp() override {
    fs::copy(sourceDir() + "/examples/sample-school", teba.path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  }
  // Replaces the line `number` (from 1) of a TEBA file.
  void replaceLine(const std::string& file, size_t number, const std::string& line) {
    std::string text = readBytes(teba.file(file));
    size_t begin = 0;
    for (size_t i = 1; i < number; ++i) begin = text.find("\r\n", begin) + 2;
    text.replace(begin, text.find("\r\n", begin) - begin, line);
    teba.write(file, text);
  }
  std::string report(bool expectFindings = true) {
    std::ostringstream out;
    EXPECT_EQ(cli::runCheck(teba.path(), work.path(), out), expectFindings);
    return out.str();
  }
};

const char kSampleFindings[] =
    "teba_prof.txt:14: c\xF3" "digo de profesor 'galm' repetido: no se exporta, queda el de la l\xEDnea 2 ('GALM')\n"
    "teba_asignatgrupo.txt:9: no hay horas de 'MUS' para el nivel 'ESO' y el curso '1' en teba_asignatcurso.txt: se le da 1 hora\n"
    "teba_asignatgrupo.txt:21: no hay horas de 'MUS' para el nivel 'ESO' y el curso '1' en teba_asignatcurso.txt: se le da 1 hora\n"
    "teba_asignatgrupo.txt:33: no hay horas de 'MUS' para el nivel 'ESO' y el curso '1' en teba_asignatcurso.txt: se le da 1 hora\n"
    "teba_asignatgrupo.txt:108: no hay horas de 'REL' para el nivel 'ESO' y el curso '4' en teba_asignatcurso.txt: se le da 1 hora\n"
    "teba_asignatgrupo.txt:120: no hay horas de 'REL' para el nivel 'ESO' y el curso '4' en teba_asignatcurso.txt: se le da 1 hora\n";

const char kLettersNote[] =
    "nota: teba_sesiones.txt: la importaci\xF3n escribir\xE1 los d\xED" "as con letras (L, M, X, J, V, S, D)\n";

TEST_F(CheckReport, SampleSchoolReportsItsMissingHours) {
  EXPECT_EQ(report(), std::string(kSampleFindings) + kLettersNote + "nota: " + work.path() +
                          ": no hay SOLUC.DBF y DIASHORAST.DBF: no se revisa el horario\n6 aviso(s).\n");
}

TEST_F(CheckReport, RepeatedCodesNameTheRecordThatStays) {
  replaceLine("teba_asignat.txt", 4, "1mat ESOMAT09            Otra");
  replaceLine("teba_prof.txt", 5, "1GALMOtro profesor");
  const std::string text = report();
  EXPECT_NE(text.find("teba_asignat.txt:4: c\xF3" "digo de asignatura 'mat' repetido: no se exporta, queda el de la l\xEDnea 2 ('MAT')\n"),
            std::string::npos) << text;
  EXPECT_NE(text.find("teba_prof.txt:5: c\xF3" "digo de profesor 'GALM' repetido: no se exporta, queda el de la l\xEDnea 2 ('GALM')\n"),
            std::string::npos) << text;
}

TEST_F(CheckReport, AssignmentOfAnUnknownGroup) {
  replaceLine("teba_asignatgrupo.txt", 2, "11ESO A    1a  MAT ");
  const std::string text = report();
  EXPECT_NE(text.find("teba_asignatgrupo.txt:2: el grupo '1a' no est\xE1 en teba_grupo.txt: la asignaci\xF3n de 'MAT' queda sin turno, nivel, curso ni grupo\n"
                      "teba_asignatgrupo.txt:2: no hay horas de 'MAT' para el nivel '' y el curso '' en teba_asignatcurso.txt: se le da 1 hora\n"),
            std::string::npos) << text;
}

TEST_F(CheckReport, HoursTextsTheExportCannotRead) {
  replaceLine("teba_asignatcurso.txt", 3, "1ESO   1               LEN 4,x   ");
  replaceLine("teba_asignatcurso.txt", 4, "1ESO   1               ING       ");
  const std::string text = report();
  EXPECT_NE(text.find("teba_asignatcurso.txt:3: las horas '4.x' no son un n\xFA" "mero: la exportaci\xF3n se detendr\xED" "a en la primera asignaci\xF3n que las use\n"),
            std::string::npos) << text;
  EXPECT_EQ(text.find("teba_asignatcurso.txt:4"), std::string::npos) << text;
}

TEST_F(CheckReport, SessionTimesThatStopTheExportOrGiveNoTime) {
  replaceLine("teba_sesiones.txt", 3, "1   0002L09259:25");
  replaceLine("teba_sesiones.txt", 4, "1   0003L8.301115");
  replaceLine("teba_sesiones.txt", 5, "1   0004L11451145");
  replaceLine("teba_sesiones.txt", 6, "1   0005L12401159");
  const std::string text = report();
  EXPECT_NE(text.find("teba_sesiones.txt:3: la hora de fin '9:25' no es un n\xFAmero entero: la exportaci\xF3n se detendr\xED" "a aqu\xED\n"
                      "teba_sesiones.txt:4: la hora de inicio '8.30' no es un n\xFAmero entero: la exportaci\xF3n se detendr\xED" "a aqu\xED\n"
                      "teba_sesiones.txt:5: el tramo '0004' empieza a las 1145 y acaba a las 1145: su duraci\xF3n no es positiva\n"
                      "teba_sesiones.txt:6: el tramo '0005' empieza a las 1240 y acaba a las 1159: su duraci\xF3n no es positiva\n"),
            std::string::npos) << text;
}

TEST_F(CheckReport, DayNotationAndShortSessionsFile) {
  std::string sessions = readBytes(teba.file("teba_sesiones.txt"));
  teba.write("teba_sesiones.txt", sessions.substr(0, sessions.find("\r\n") + 2));
  fs::remove(teba.file("teba_aulas.txt"));
  const std::string text = report();
  EXPECT_NE(text.find("teba_aulas.txt: no existe; la exportaci\xF3n no lo puede leer\n"), std::string::npos) << text;
  EXPECT_NE(text.find("teba_sesiones.txt: tiene menos de dos l\xEDneas: la importaci\xF3n se detendr\xED" "a con \"List index out of bounds (1)\"\n"),
            std::string::npos) << text;

  teba.write("teba_sesiones.txt", "0TEBA_SESIONES.TXT\r\n1   000110830\r\n");
  EXPECT_NE(report().find("nota: teba_sesiones.txt: la importaci\xF3n escribir\xE1 los d\xED" "as con cifras (1 a 7)\n"),
            std::string::npos);
}

TEST_F(CheckReport, LessonsWithoutSlotOrWithUnknownCodes) {
  tables::createTable(work.path(), "DIASHORAST", {{"DIA", tables::FieldKind::String, 20},
                                                  {"HORA", tables::FieldKind::String, 8},
                                                  {"CODDIHO", tables::FieldKind::String, 10}});
  tables::createTable(work.path(), "SOLUC", {{"DIA", tables::FieldKind::Integer, 0},
                                             {"HORA", tables::FieldKind::Integer, 0},
                                             {"PROF", tables::FieldKind::String, 5},
                                             {"CODGRUPO", tables::FieldKind::String, 4},
                                             {"ASIG", tables::FieldKind::String, 4},
                                             {"AULA", tables::FieldKind::String, 4}});
  {
    tables::Table slots;
    slots.open(work.path(), "DIASHORAST.DBF", tables::OpenMode::Shared);
    slots.append();
    slots.setString("DIA", "L");
    slots.setString("HORA", "1");
    slots.setString("CODDIHO", "0001");
    slots.post();
    slots.close();
    tables::Table soluc;
    soluc.open(work.path(), "SOLUC.DBF", tables::OpenMode::Shared);
    const struct { int day, period; const char *teacher, *group, *subject, *room; } lessons[] = {
        {1, 1, "GALM", "1A", "MAT", "A11"},  // fine
        {2, 1, "GALM", "1A", "MAT", ""},     // no slot for Tuesday; no room is no problem
        {0, 9, "NADIE", "9Z", "XXX", "X"},   // not placed: not written, not checked
        {1, 1, "NADIE", "9Z", "XXX", "X"}};
    for (const auto& lesson : lessons) {
      soluc.append();
      soluc.setInteger("DIA", lesson.day);
      soluc.setInteger("HORA", lesson.period);
      soluc.setString("PROF", lesson.teacher);
      soluc.setString("CODGRUPO", lesson.group);
      soluc.setString("ASIG", lesson.subject);
      soluc.setString("AULA", lesson.room);
      soluc.post();
    }
    soluc.close();
  }
  const std::string text = report();
  EXPECT_NE(text.find(std::string(kLettersNote) +
                      "SOLUC.DBF:fila 2: la clase de 'MAT' con '1A' el d\xED" "a 'M', hora '1' no tiene tramo en DIASHORAST: se escribir\xED" "a sin c\xF3" "digo de tramo\n"
                      "SOLUC.DBF:fila 4: el profesor 'NADIE' no est\xE1 en teba_prof.txt\n"
                      "SOLUC.DBF:fila 4: el grupo '9Z' no est\xE1 en teba_grupo.txt\n"
                      "SOLUC.DBF:fila 4: la asignatura 'XXX' no est\xE1 en teba_asignat.txt\n"
                      "SOLUC.DBF:fila 4: el aula 'X' no est\xE1 en teba_aulas.txt\n"
                      "11 aviso(s).\n"),
            std::string::npos) << text;
}

TEST(CliConsole, MessagesOnLinesOfTheirOwnAndNoProgressLine) {
  std::ostringstream out;
  cli::ConsoleNotifier notifier(out);
  notifier.busy(true);
  notifier.message("Proceso finalizado");
  notifier.busy(false);
  notifier.message("No existe la carpeta");
  EXPECT_EQ(out.str(), "Proceso finalizado\nNo existe la carpeta\n");
}

}  // namespace
}  // namespace tht::test
