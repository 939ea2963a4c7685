// The consistency report: each finding on a small TEBA folder built for it,
// the sample school's whole report, and a missing TEBA folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "report/report.h"
#include "tables/table.h"
#include "tests/support/temp_folder.h"

namespace tht::test {
namespace {

namespace fs = std::filesystem;

// Data records laid out in the columns the export reads.
std::string pad(const std::string& text, size_t width) { return text + std::string(width - std::min(width, text.size()), ' '); }
std::string subject(const std::string& code, const std::string& longCode, const std::string& name) {
  return "1" + pad(code, 4) + pad(longCode, 20) + name;
}
std::string teacher(const std::string& code, const std::string& name, const std::string& department) {
  return "1" + pad(code, 4) + pad(name, 90) + department;
}
std::string room(const std::string& code, const std::string& name) { return "1" + pad("", 10) + pad(code, 4) + pad("", 70) + name; }
std::string group(const std::string& unit, const std::string& code, const std::string& shift) {
  return "1" + pad(unit, 10) + pad(code, 4) + "ESO   1            " + shift;  // level ESO, course 1
}
std::string assignment(const std::string& groupCode, const std::string& subjectCode) {
  return "1" + pad("", 10) + pad(groupCode, 4) + subjectCode;
}
std::string hours(const std::string& subjectCode, const std::string& written) {
  return "1ESO   1               " + pad(subjectCode, 4) + written;
}
std::string slot(const std::string& code, const std::string& day, const std::string& start, const std::string& end) {
  return "1   " + pad(code, 4) + day + pad(start, 4) + end;
}

// A school whose report has no findings; each case replaces some files'
// data records.
const std::map<std::string, std::vector<std::string>> kCleanSchool = {
    {"teba_asignat.txt", {subject("MAT", "MAT01", "Matem\xE1ticas")}},
    {"teba_prof.txt", {teacher("GALM", "Garc\xED" "a L\xF3pez, Mar\xED" "a", "Matem\xE1ticas")}},
    {"teba_aulas.txt", {room("A11", "Aula 1.1")}},
    {"teba_grupo.txt", {group("1ESO A", "1A", "M")}},
    {"teba_asignatgrupo.txt", {assignment("1A", "MAT")}},
    {"teba_asignatcurso.txt", {hours("MAT", "4")}},
    {"teba_sesiones.txt", {slot("0001", "L", "0830", "0925")}},
};

struct PlacedLesson {
  int day, period;
  const char *teacher, *group, *subject, *room;
};

struct Case {
  const char* name;
  std::map<std::string, std::vector<std::string>> records;  // by file; a file listed without records has only its header
  std::vector<std::string> expected;                      // every line of the text; <work> for the work folder
  const char* removed = nullptr;                          // a file left out
  std::vector<PlacedLesson> lessons = {};                 // when any: SOLUC, and DIASHORAST with slot 0001 = L, 1
};

const std::string kLetters =
    "nota: teba_sesiones.txt: la importaci\xF3n escribir\xE1 los d\xED" "as con letras (L, M, X, J, V, S, D)";
const std::string kNoTimetable = "nota: <work>: no hay SOLUC.DBF y DIASHORAST.DBF: no se revisa el horario";

const Case kCases[] = {
    {"CleanSchool", {}, {kLetters, kNoTimetable, "Sin avisos."}},
    {"RepeatedCodes",
     {{"teba_asignat.txt", {subject("MAT", "", "Uno"), subject("mat", "", "Dos")}},
      {"teba_prof.txt", {teacher("GALM", "Uno", ""), teacher("galm", "Dos", "")}},
      {"teba_aulas.txt", {room("A11", "Uno"), room("a11", "Dos"), room("A11", "Tres")}},
      {"teba_grupo.txt", {group("1ESO A", "1A", "M"), group("1ESO B", "1A", "M")}}},
     {"teba_asignat.txt:3: c\xF3" "digo de asignatura 'mat' repetido: no se exporta, queda el de la l\xEDnea 2 ('MAT')",
      "teba_prof.txt:3: c\xF3" "digo de profesor 'galm' repetido: no se exporta, queda el de la l\xEDnea 2 ('GALM')",
      "teba_aulas.txt:4: c\xF3" "digo de aula 'A11' repetido: da otra fila en AULAT, adem\xE1s de la de la l\xEDnea 2",
      "teba_grupo.txt:3: c\xF3" "digo de grupo '1A' repetido: da otra fila en GRUPOST, adem\xE1s de la de la l\xEDnea 2",
      kLetters, kNoTimetable, "4 aviso(s)."}},
    {"ValuesCutByTheirField",
     {{"teba_asignat.txt", {subject("MAT", "MATEMATICAS1", "Matem\xE1ticas Orientadas a las Ense\xF1" "anzas Acad\xE9micas")}},
      {"teba_prof.txt", {teacher("GALM", "Garc\xED" "a L\xF3pez, Mar\xED" "a", "Departamento de Geograf\xED" "a e Historia y Filosof\xED" "a")}},
      {"teba_aulas.txt", {room("A11", "Laboratorio de Ciencias Naturales y del Medio")}},
      {"teba_grupo.txt", {group("1ESO A", "1A", "MA\xD1"), group("2ESO A", "2A", "MA\xD1")}}},
     {"teba_asignat.txt:2: CODLARGO de ASIGNOMT tiene 8 caracteres: 'MATEMATICAS1' se guarda como 'MATEMATI'",
      "teba_asignat.txt:2: NOMBRE de ASIGNOMT tiene 40 caracteres: 'Matem\xE1ticas Orientadas a las Ense\xF1" "anzas Acad\xE9micas' "
      "se guarda como 'Matem\xE1ticas Orientadas a las Ense\xF1" "anzas'",
      "teba_prof.txt:2: DEPART de PROFT tiene 40 caracteres: 'Departamento de Geograf\xED" "a e Historia y Filosof\xED" "a' "
      "se guarda como 'Departamento de Geograf\xED" "a e Historia y F'",
      "teba_aulas.txt:2: NOMBRE de AULAT tiene 40 caracteres: 'Laboratorio de Ciencias Naturales y del Medio' "
      "se guarda como 'Laboratorio de Ciencias Naturales y del'",  // without the blank it ends in
      "teba_grupo.txt:2: TURNO de GRUPOST tiene 1 car\xE1" "cter: 'MA\xD1' se guarda como 'M'; lo mismo en 1 l\xEDnea m\xE1s",
      kLetters, kNoTimetable, "5 aviso(s)."}},
    {"AssignmentsDefaultedOrRepeated",
     {{"teba_asignatgrupo.txt",
       {assignment("1A", "MAT"), assignment("1a", "MAT"), assignment("1A", "MUS"), assignment("1A", "MAT")}}},
     {"teba_asignatgrupo.txt:3: el grupo '1a' no est\xE1 en teba_grupo.txt: la asignaci\xF3n de 'MAT' queda sin turno, nivel, curso ni grupo",
      "teba_asignatgrupo.txt:3: no hay horas de 'MAT' para el nivel '' y el curso '' en teba_asignatcurso.txt: se le da 1 hora",
      "teba_asignatgrupo.txt:4: no hay horas de 'MUS' para el nivel 'ESO' y el curso '1' en teba_asignatcurso.txt: se le da 1 hora",
      "teba_asignatgrupo.txt:5: la asignatura 'MAT' del grupo '1A' repetida: da otra asignaci\xF3n en ASIGT, adem\xE1s de la de la l\xEDnea 2",
      kLetters, kNoTimetable, "4 aviso(s)."}},
    {"HoursTexts",
     {{"teba_asignatcurso.txt",
       {hours("MAT", "4,x"), hours("LEN", "2,25"), hours("ING", "2,5"), hours("FRA", ""), hours("REL", "0,25"),
        hours("EF", "15.75")}}},
     {"teba_asignatcurso.txt:2: las horas '4.x' no son un n\xFA" "mero: la exportaci\xF3n se detendr\xED" "a en la primera asignaci\xF3n que las use",
      "teba_asignatcurso.txt:3: las horas '2,25' de 'LEN' para el nivel 'ESO' y el curso '1' se guardan como 2.25 "
      "y se muestran 11\xBD (toda fracci\xF3n se muestra como \xBD)",
      "teba_asignatcurso.txt:7: las horas '15.75' de 'EF' para el nivel 'ESO' y el curso '1' se guardan como 15.75 "
      "y se muestran 21111111111111\xBD (toda fracci\xF3n se muestra como \xBD)",
      kLetters, kNoTimetable, "3 aviso(s)."}},
    {"SlotTimes",
     {{"teba_sesiones.txt",
       {slot("0001", "L", "0830", "0925"), slot("0002", "L", "0925", "9:25"), slot("0003", "L", "8.30", "1115"),
        slot("0004", "L", "1145", "1145"), slot("0005", "L", "900", "0955"), slot("0006", "L", "0900", "955")}}},
     {"teba_sesiones.txt:3: la hora de fin '9:25' no es un n\xFAmero entero: la exportaci\xF3n se detendr\xED" "a aqu\xED",
      "teba_sesiones.txt:4: la hora de inicio '8.30' no es un n\xFAmero entero: la exportaci\xF3n se detendr\xED" "a aqu\xED",
      "teba_sesiones.txt:5: el tramo '0004' empieza a las 1145 y acaba a las 1145: su duraci\xF3n no es positiva",
      "teba_sesiones.txt:6: la hora de inicio '900' no tiene cuatro cifras: se ordena como texto y el tramo '0005' "
      "recibe la hora 6; con '0900' ser\xED" "a la 2",
      "teba_sesiones.txt:7: la hora de fin '955' no tiene cuatro cifras: DIASHORAST la guarda as\xED en HORAHASTA",
      kLetters, kNoTimetable, "5 aviso(s)."}},
    {"DayNotationChangesAfterTheSecondLine",
     {{"teba_sesiones.txt",
       {slot("0001", "1", "0830", "0925"), slot("0002", "2", "0830", "0925"), slot("0003", "M", "0925", "1020")}}},
     {"teba_sesiones.txt:4: el d\xED" "a 'M' del tramo '0003' no est\xE1 escrito con cifras como en la l\xEDnea 2: "
      "la importaci\xF3n no dar\xE1 este tramo a ninguna clase",
      "nota: teba_sesiones.txt: la importaci\xF3n escribir\xE1 los d\xED" "as con cifras (1 a 7)", kNoTimetable,
      "1 aviso(s)."}},
    {"MissingFileAndSessionsFileOfOneLine",
     {{"teba_sesiones.txt", {}}},
     {"teba_aulas.txt: no existe; la exportaci\xF3n no lo puede leer",
      "teba_sesiones.txt: tiene menos de dos l\xEDneas: la importaci\xF3n se detendr\xED" "a con \"List index out of bounds (1)\"",
      kNoTimetable, "2 aviso(s)."},
     "teba_aulas.txt"},
    {"LessonsWithoutSlotOrWithUnknownCodes",
     {},
     {kLetters,
      "SOLUC.DBF:fila 2: la clase de 'MAT' con '1A' el d\xED" "a 'M', hora '1' no tiene tramo en DIASHORAST: se escribir\xED" "a sin c\xF3" "digo de tramo",
      "SOLUC.DBF:fila 4: el profesor 'NADIE' no est\xE1 en teba_prof.txt",
      "SOLUC.DBF:fila 4: el grupo '9Z' no est\xE1 en teba_grupo.txt",
      "SOLUC.DBF:fila 4: la asignatura 'XXX' no est\xE1 en teba_asignat.txt",
      "SOLUC.DBF:fila 4: el aula 'X' no est\xE1 en teba_aulas.txt",
      "5 aviso(s)."},
     nullptr,
     {{1, 1, "GALM", "1A", "MAT", "A11"},     // fine
      {2, 1, "GALM", "1A", "MAT", ""},        // no slot for Tuesday; no room is no problem
      {0, 9, "NADIE", "9Z", "XXX", "X"},      // not placed: not written, not checked
      {1, 1, "NADIE", "9Z", "XXX", "X"}}},
};

void writeTimetable(const std::string& work, const std::vector<PlacedLesson>& lessons) {
  using tables::FieldKind;
  tables::createTable(work, "DIASHORAST", {{"DIA", FieldKind::String, 20}, {"HORA", FieldKind::String, 8},
                                           {"CODDIHO", FieldKind::String, 10}});
  tables::createTable(work, "SOLUC", {{"DIA", FieldKind::Integer, 0}, {"HORA", FieldKind::Integer, 0},
                                      {"PROF", FieldKind::String, 5}, {"CODGRUPO", FieldKind::String, 4},
                                      {"ASIG", FieldKind::String, 4}, {"AULA", FieldKind::String, 4}});
  tables::Table slots;
  slots.open(work, "DIASHORAST.DBF", tables::OpenMode::Shared);
  slots.append();
  slots.setString("DIA", "L");
  slots.setString("HORA", "1");
  slots.setString("CODDIHO", "0001");
  slots.post();
  slots.close();
  tables::Table soluc;
  soluc.open(work, "SOLUC.DBF", tables::OpenMode::Shared);
  for (const PlacedLesson& lesson : lessons) {
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

TEST(Report, EachFindingOnASchoolBuiltForIt) {
  for (const Case& test : kCases) {
    SCOPED_TRACE(test.name);
    TempFolder teba;
    TempFolder work;
    std::map<std::string, std::vector<std::string>> files = kCleanSchool;
    for (const auto& [file, records] : test.records) files[file] = records;
    for (const auto& [file, records] : files) {
      if (test.removed && file == test.removed) continue;
      std::string text = "0" + file + "\r\n";  // the header
      for (const std::string& record : records) text += record + "\r\n";
      teba.write(file, text);
    }
    if (!test.lessons.empty()) writeTimetable(work.path(), test.lessons);

    std::string expected;
    for (const std::string& line : test.expected) expected += line + "\n";
    for (size_t at; (at = expected.find("<work>")) != std::string::npos;) expected.replace(at, 6, work.path());
    EXPECT_EQ(report::text(report::check(teba.path(), work.path())), expected);
  }
}

// The sample school keeps a few real-life gaps for the report to show.
TEST(Report, SampleSchool) {
  TempFolder work;
  std::string expected =
      "teba_asignat.txt:3: NOMBRE de ASIGNOMT tiene 40 caracteres: 'Matem\xE1ticas Orientadas a las Ense\xF1" "anzas Acad\xE9micas' "
      "se guarda como 'Matem\xE1ticas Orientadas a las Ense\xF1" "anzas'\n"
      "teba_asignat.txt:4: NOMBRE de ASIGNOMT tiene 40 caracteres: 'Matem\xE1ticas Orientadas a las Ense\xF1" "anzas Aplicadas' "
      "se guarda como 'Matem\xE1ticas Orientadas a las Ense\xF1" "anzas'\n"
      "teba_asignat.txt:21: NOMBRE de ASIGNOMT tiene 40 caracteres: 'Formaci\xF3n y Orientaci\xF3n Personal y Profesional' "
      "se guarda como 'Formaci\xF3n y Orientaci\xF3n Personal y Profe'\n"
      "teba_asignat.txt:31: NOMBRE de ASIGNOMT tiene 40 caracteres: 'Matem\xE1ticas Aplicadas a las Ciencias Sociales' "
      "se guarda como 'Matem\xE1ticas Aplicadas a las Ciencias Soc'\n"
      "teba_prof.txt:14: c\xF3" "digo de profesor 'galm' repetido: no se exporta, queda el de la l\xEDnea 2 ('GALM')\n";
  expected += "teba_grupo.txt:2: TURNO de GRUPOST tiene 1 car\xE1" "cter: 'MA\xD1' se guarda como 'M'; lo mismo en 11 l\xEDneas m\xE1s\n";
  for (const char* at : {"9: no hay horas de 'MUS' para el nivel 'ESO' y el curso '1'",
                         "21: no hay horas de 'MUS' para el nivel 'ESO' y el curso '1'",
                         "33: no hay horas de 'MUS' para el nivel 'ESO' y el curso '1'",
                         "108: no hay horas de 'REL' para el nivel 'ESO' y el curso '4'",
                         "120: no hay horas de 'REL' para el nivel 'ESO' y el curso '4'"})
    expected += std::string("teba_asignatgrupo.txt:") + at + " en teba_asignatcurso.txt: se le da 1 hora\n";
  expected += kLetters + "\nnota: " + work.path() + ": no hay SOLUC.DBF y DIASHORAST.DBF: no se revisa el horario\n11 aviso(s).\n";
  const report::Result result = report::check(sourceDir() + "/examples/sample-school", work.path());
  EXPECT_TRUE(result.tebaFolderExists);
  EXPECT_EQ(report::text(result), expected);
}

TEST(Report, MissingTebaFolder) {
  TempFolder work;
  const std::string missing = work.file("no-such-folder");
  const report::Result result = report::check(missing, work.path());
  EXPECT_FALSE(result.tebaFolderExists);
  EXPECT_EQ(result.problems, 1u);
  EXPECT_EQ(report::text(result), missing + ": no existe la carpeta\n");  // no count line, as ever
}

}  // namespace
}  // namespace tht::test
