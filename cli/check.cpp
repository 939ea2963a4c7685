#include "cli/check.h"

#include <functional>
#include <ostream>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "export/assignment_rules.h"
#include "export/hours.h"
#include "export/steps.h"
#include "export/teba_records.h"
#include "import/timetable.h"
#include "platform/cp1252.h"
#include "core/error_texts.h"
#include "platform/error.h"
#include "platform/files.h"
#include "tables/table.h"
#include "teba/line_reader.h"
#include "teba/records.h"
#include "teba/whole_file.h"

namespace tht::cli {
namespace {

class Report {
 public:
  explicit Report(std::ostream& out) : out_(out) {}
  void problem(const std::string& where, const std::string& text) {
    out_ << where << ": " << text << "\n";
    ++problems_;
  }
  void note(const std::string& where, const std::string& text) {
    out_ << "nota: " << where << ": " << text << "\n";
  }
  int problems() const { return problems_; }

 private:
  std::ostream& out_;
  int problems_ = 0;
};

std::string at(const TebaFile& file, size_t line) { return std::string(file.name) + ":" + std::to_string(line); }
std::string quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

struct Numbered {
  size_t number;  // from 1
  std::string line;
};

// The data records of a TEBA file, read the way its export step reads it;
// empty when the file is missing (reported once).
class TebaInput {
 public:
  TebaInput(const std::string& folder, const TebaFile& file, bool wholeFile, Report& report) {
    const std::string path = resolveInFolder(folder, file.name);
    if (!fileExists(path)) {
      report.problem(file.name, "no existe; la exportaci\xF3n no lo puede leer");
      return;
    }
    present_ = true;
    try {
      std::vector<std::string> lines;
      if (wholeFile) {
        lines = readWholeFile(path);
      } else {
        LineReader reader(path);
        while (!reader.eof()) lines.push_back(reader.readLine());
      }
      allLines_ = lines.size();
      for (size_t i = 0; i < lines.size(); ++i)
        if (!isSkipped(lines[i], file.expectedName)) records_.push_back({i + 1, lines[i]});
      if (wholeFile) secondLine_ = lines.size() >= 2 ? lines[1] : std::string();
    } catch (const Error& error) {
      report.problem(file.name, error.what());
    }
  }
  bool present() const { return present_; }
  const std::vector<Numbered>& records() const { return records_; }
  size_t allLines() const { return allLines_; }
  const std::string& secondLine() const { return secondLine_; }

 private:
  bool present_ = false;
  size_t allLines_ = 0;
  std::string secondLine_;
  std::vector<Numbered> records_;
};

// Records the catalogue steps drop because an earlier one has the same code
// (letter case aside), naming the record that stays.
void checkRepeatedCodes(const TebaInput& input, const TebaFile& file, const char* what,
                        std::vector<std::string> (*values)(const std::string&), Report& report) {
  std::unordered_map<std::string, Numbered> first;
  for (const Numbered& record : input.records()) {
    const std::string code = values(record.line).front();
    const auto [kept, inserted] = first.emplace(foldCase(code), Numbered{record.number, code});
    if (!inserted)
      report.problem(at(file, record.number),
                     std::string(what) + " " + quoted(code) + " repetido: no se exporta, queda el de la l\xEDnea " +
                         std::to_string(kept->second.number) + " (" + quoted(kept->second.line) + ")");
  }
}

std::unordered_set<std::string> codesOf(const TebaInput& input,
                                        std::vector<std::string> (*values)(const std::string&)) {
  std::unordered_set<std::string> codes;
  for (const Numbered& record : input.records()) codes.insert(values(record.line).front());
  return codes;
}

void checkAssignments(const TebaInput& assignments, const TebaInput& groups, const TebaInput& courses,
                      Report& report) {
  // The groups file's records are GRUPOST's rows, in the same order.
  GroupJoin join;
  for (const Numbered& record : groups.records()) {
    const std::vector<std::string> values = groupValues(record.line);
    join.add(values[0], {values[1], values[2], values[3], values[4]});
  }
  SubjectHours hours;
  for (const Numbered& record : courses.records()) hours.add(subjectCourseRecord(record.line));
  for (const Numbered& record : assignments.records()) {
    const AssignmentRecord assignment = assignmentRecord(record.line);
    const GroupFields* group = join.find(std::string(assignment.group));
    if (!group && groups.present())
      report.problem(at(kAssignmentsFile, record.number),
                     "el grupo " + quoted(assignment.group) + " no est\xE1 en " + kGroupsFile.name +
                         ": la asignaci\xF3n de " + quoted(assignment.subject) +
                         " queda sin turno, nivel, curso ni grupo");
    const std::string level = group ? group->nivel : std::string();
    const std::string course = group ? group->curso : std::string();
    if (courses.present() && !hours.find(assignment.subject, level, course))
      report.problem(at(kAssignmentsFile, record.number),
                     "no hay horas de " + quoted(assignment.subject) + " para el nivel " + quoted(level) +
                         " y el curso " + quoted(course) + " en " + kSubjectCourseFile.name +
                         ": se le da 1 hora");
  }
}

// Hours texts the export cannot read: the first assignment that uses one
// ends the export with an error.
void checkHoursTexts(const TebaInput& courses, Report& report) {
  for (const Numbered& record : courses.records()) {
    const std::string_view written = subjectCourseRecord(record.line).hours;
    try {
      weeklyHours(written);
    } catch (const Error&) {
      report.problem(at(kSubjectCourseFile, record.number),
                     "las horas " + quoted(hoursNumberText(written)) +
                         " no son un n\xFA" "mero: la exportaci\xF3n se detendr\xED" "a en la primera asignaci\xF3n que las use");
    }
  }
}

void checkSessions(const TebaInput& sessions, Report& report) {
  for (const Numbered& record : sessions.records()) {
    const SessionRecord session = sessionRecord(record.line);
    int end = 0;
    int start = 0;
    try {
      end = parseInteger32(session.end);  // read first, as the export does
    } catch (const Error&) {
      report.problem(at(kSessionsFile, record.number),
                     "la hora de fin " + quoted(session.end) +
                         " no es un n\xFAmero entero: la exportaci\xF3n se detendr\xED" "a aqu\xED");
      continue;
    }
    try {
      start = parseInteger32(session.start);
    } catch (const Error&) {
      report.problem(at(kSessionsFile, record.number),
                     "la hora de inicio " + quoted(session.start) +
                         " no es un n\xFAmero entero: la exportaci\xF3n se detendr\xED" "a aqu\xED");
      continue;
    }
    if (slotMinutes(start, end) <= 0)
      report.problem(at(kSessionsFile, record.number),
                     "el tramo " + quoted(session.slot) + " empieza a las " + session.start +
                         " y acaba a las " + session.end + ": su duraci\xF3n no es positiva");
  }
  if (!sessions.present()) return;
  if (sessions.allLines() < 2) {
    report.problem(kSessionsFile.name,
                   "tiene menos de dos l\xEDneas: la importaci\xF3n se detendr\xED" "a con "
                   "\"List index out of bounds (1)\"");
    return;
  }
  const bool letters = dayNotation({"", sessions.secondLine()}) == DayNotation::Letters;
  report.note(kSessionsFile.name, letters ? "la importaci\xF3n escribir\xE1 los d\xED" "as con letras (L, M, X, J, V, S, D)"
                                          : "la importaci\xF3n escribir\xE1 los d\xED" "as con cifras (1 a 7)");
}

struct Catalogues {
  std::unordered_set<std::string> teachers, groups, subjects, rooms;
};

// The lessons of SOLUC that the import would write without a slot code, and
// codes of lessons that the TEBA catalogues do not know.
void checkTimetable(const std::string& workFolder, const TebaInput& sessions, const Catalogues& known,
                    Report& report) {
  const std::string solucPath = resolveInFolder(workFolder, "SOLUC.DBF");
  if (!fileExists(solucPath) || !fileExists(resolveInFolder(workFolder, "DIASHORAST.DBF"))) {
    report.note(workFolder, "no hay SOLUC.DBF y DIASHORAST.DBF: no se revisa el horario");
    return;
  }
  if (sessions.allLines() < 2) return;  // the import would stop before the lessons
  const DayNotation notation = dayNotation({"", sessions.secondLine()});
  try {
    tables::Table slotsTable;
    slotsTable.open(workFolder, "DIASHORAST.DBF", tables::OpenMode::ReadOnlyShared);
    const SlotLookup slots(slotsTable);
    tables::Table soluc;
    soluc.open(workFolder, "SOLUC.DBF", tables::OpenMode::ReadOnlyShared);
    const std::string where = "SOLUC.DBF:fila ";
    size_t row = 0;
    for (; !soluc.eof(); soluc.next()) {
      ++row;
      if (soluc.asInteger("DIA") == 0) continue;
      const std::string day = dayInNotation(soluc.asString("DIA"), notation);
      const std::string period = soluc.asString("HORA");
      const std::string subject = soluc.asString("ASIG");
      const std::string group = soluc.asString("CODGRUPO");
      if (slots.find(day, period).empty())
        report.problem(where + std::to_string(row),
                       "la clase de " + quoted(subject) + " con " + quoted(group) + " el d\xED" "a " + quoted(day) +
                           ", hora " + quoted(period) +
                           " no tiene tramo en DIASHORAST: se escribir\xED" "a sin c\xF3" "digo de tramo");
      const struct {
        const char* field;
        const char* what;
        const std::unordered_set<std::string>& codes;
        const char* file;
      } codes[] = {{"PROF", "el profesor", known.teachers, kTeachersFile.name},
                   {"CODGRUPO", "el grupo", known.groups, kGroupsFile.name},
                   {"ASIG", "la asignatura", known.subjects, kSubjectsFile.name},
                   {"AULA", "el aula", known.rooms, kRoomsFile.name}};
      for (const auto& code : codes) {
        const std::string value = soluc.asString(code.field);
        if (!value.empty() && !code.codes.count(value))
          report.problem(where + std::to_string(row),
                         std::string(code.what) + " " + quoted(value) + " no est\xE1 en " + code.file);
      }
    }
  } catch (const Error& error) {
    report.problem(workFolder, error.what());
  }
}

}  // namespace

bool runCheck(const std::string& tebaFolder, const std::string& workFolder, std::ostream& out) {
  Report report(out);
  const std::string folder = tebaFolder + pathSeparator();
  if (!folderExists(folder)) {
    report.problem(tebaFolder, "no existe la carpeta");
    return true;
  }
  const TebaInput subjects(folder, kSubjectsFile, false, report);
  const TebaInput teachers(folder, kTeachersFile, false, report);
  const TebaInput rooms(folder, kRoomsFile, false, report);
  const TebaInput groups(folder, kGroupsFile, false, report);
  const TebaInput assignments(folder, kAssignmentsFile, false, report);
  const TebaInput courses(folder, kSubjectCourseFile, true, report);
  const TebaInput sessions(folder, kSessionsFile, true, report);

  checkRepeatedCodes(subjects, kSubjectsFile, "c\xF3" "digo de asignatura", subjectValues, report);
  checkRepeatedCodes(teachers, kTeachersFile, "c\xF3" "digo de profesor", teacherValues, report);
  checkAssignments(assignments, groups, courses, report);
  checkHoursTexts(courses, report);
  checkSessions(sessions, report);
  checkTimetable(workFolder, sessions,
                 {codesOf(teachers, teacherValues), codesOf(groups, groupValues),
                  codesOf(subjects, subjectValues), codesOf(rooms, roomValues)},
                 report);

  out << (report.problems() == 0 ? std::string("Sin avisos.")
                                 : std::to_string(report.problems()) + " aviso(s).")
      << "\n";
  return report.problems() > 0;
}

}  // namespace tht::cli
