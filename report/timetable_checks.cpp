// What the import would write without a slot code, and the codes of its
// lessons that the TEBA catalogues do not know: SOLUC walked as the import
// walks it.
#include "import/lessons.h"
#include "platform/error.h"
#include "platform/files.h"
#include "report/checks.h"

namespace tht::report {

void checkTimetable(const std::string& workFolder, std::optional<DayNotation> notation, const Catalogues& known,
                    Findings& findings) {
  if (!fileExists(resolveInFolder(workFolder, "SOLUC.DBF")) ||
      !fileExists(resolveInFolder(workFolder, "DIASHORAST.DBF"))) {
    findings.note(workFolder, "no hay SOLUC.DBF y DIASHORAST.DBF: no se revisa el horario");
    return;
  }
  if (!notation) return;  // the import would stop before the lessons
  try {
    tables::Table slotsTable;
    slotsTable.open(workFolder, "DIASHORAST.DBF", tables::OpenMode::ReadOnlyShared);
    const SlotLookup slots(slotsTable);
    tables::Table soluc;
    soluc.open(workFolder, "SOLUC.DBF", tables::OpenMode::ReadOnlyShared);
    const std::string where = "SOLUC.DBF:fila ";
    const SlotOf slotOf = [&](const std::string& day, const std::string& period) { return slots.find(day, period); };
    forEachLesson(soluc, *notation, slotOf, [&](const Lesson& lesson) {
      if (lesson.slot.empty())
        findings.problem(where + std::to_string(lesson.row),
                         "la clase de " + quoted(lesson.subject) + " con " + quoted(lesson.group) + " el d\xED" "a " +
                             quoted(lesson.day) + ", hora " + quoted(lesson.period) +
                             " no tiene tramo en DIASHORAST: se escribir\xED" "a sin c\xF3" "digo de tramo");
      const struct {
        const std::string& value;
        const char* what;
        const std::unordered_set<std::string>& codes;
        const char* file;
      } codes[] = {{lesson.teacher, "el profesor", known.teachers, kTeachersFile.name},
                   {lesson.group, "el grupo", known.groups, kGroupsFile.name},
                   {lesson.subject, "la asignatura", known.subjects, kSubjectsFile.name},
                   {lesson.room, "el aula", known.rooms, kRoomsFile.name}};
      for (const auto& code : codes) {
        if (!code.value.empty() && !code.codes.count(code.value))
          findings.problem(where + std::to_string(lesson.row),
                           std::string(code.what) + " " + quoted(code.value) + " no est\xE1 en " + code.file);
      }
    });
  } catch (const Error& error) {
    findings.problem(workFolder, error.what());
  }
}

}  // namespace tht::report
