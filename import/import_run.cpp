#include "import/import_run.h"

#include <memory>
#include <vector>

#include "import/lessons.h"
#include "import/timetable.h"
#include "platform/files.h"
#include "teba/records.h"
#include "teba/teba_files.h"
#include "teba/whole_file.h"

namespace tht {
namespace {

// Closes the six tables in the order they were opened, on every way out of
// the run; closing a table that never opened does nothing.
class OpenTables {
 public:
  explicit OpenTables(ImportTables& tables) : tables_(tables) {}
  ~OpenTables() { close(); }
  OpenTables(const OpenTables&) = delete;
  OpenTables& operator=(const OpenTables&) = delete;

  void open(const std::string& workFolder) {
    using tables::OpenMode;
    tables_.wwTableSoluc.open(workFolder, "SOLUC.DBF", OpenMode::Exclusive);
    tables_.wwTableGrupos.open(workFolder, "GRUPOST.DBF", OpenMode::Exclusive);
    tables_.wwTableProfesor.open(workFolder, "PROFT.DBF", OpenMode::Exclusive);
    tables_.wwTableAulas.open(workFolder, "AULAT.DBF", OpenMode::Exclusive);
    tables_.wwTableNomAsg.open(workFolder, "ASIGNOMT.DBF", OpenMode::Exclusive);
    tables_.wwTableTramos.open(workFolder, "DIASHORAST.DBF", OpenMode::Exclusive);
  }

  void close() {
    tables_.wwTableSoluc.close();
    tables_.wwTableGrupos.close();
    tables_.wwTableProfesor.close();
    tables_.wwTableAulas.close();
    tables_.wwTableNomAsg.close();
    tables_.wwTableTramos.close();
  }

 private:
  ImportTables& tables_;
};

// One data record per lesson of SOLUC, in table order.
void addLessons(ImportTables& tables, DayNotation notation, std::vector<std::string>& lines) {
  // Built at the first lesson that needs it, where a scan would first read
  // the day-and-period table.
  std::unique_ptr<SlotLookup> slots;
  const SlotOf slotOf = [&](const std::string& day, const std::string& period) {
    if (!slots) slots = std::make_unique<SlotLookup>(tables.wwTableTramos);
    return slots->find(day, period);
  };
  forEachLesson(tables.wwTableSoluc, notation, slotOf, [&](const Lesson& lesson) {
    lines.push_back(lessonRecord(lesson.slot, lesson.day, lesson.teacher, lesson.group, lesson.subject, lesson.room));
  });
}

}  // namespace

bool BImportarClick(Session& session, const std::string& tebaFolder, ImportTables& tables,
                    const RunEnvironment& env) {
  session.CarpetaTxt = tebaFolder + pathSeparator();
  if (!folderExists(session.CarpetaTxt)) {
    env.notifier.message("No existe la carpeta");
    if (!session.hosted()) return false;
    session.ResultadoTraspaso = 0;
    return true;
  }

  {
    BusyPointer busy(env.notifier);

    // Each file is walked only as far as needed, and read only that far.
    const std::string centre = [&] {
      WholeFile subjects(resolveInFolder(session.CarpetaTxt, kSubjectsFile.name), WholeFile::Reading::AsNeeded);
      return centreCode(subjects);
    }();
    const DayNotation notation = [&] {
      WholeFile sessions(resolveInFolder(session.CarpetaTxt, kSessionsFile.name), WholeFile::Reading::AsNeeded);
      return dayNotation(sessions);
    }();

    std::vector<std::string> lines;
    lines.push_back(headerRecord(kTimetableFileName, centre, env.timestamp()));
    {
      OpenTables open(tables);
      open.open(env.workFolder);
      addLessons(tables, notation, lines);
    }
    lines.push_back(trailerRecord(kTimetableFileName, centre, env.timestamp(), lines.size() - 1));

    // Replaced atomically: a save that fails part-way (a full disk) leaves
    // an earlier file whole. An existing file whose name differs only in
    // letter case is the one replaced, as the other system's files match.
    writeTebaFile(resolveInFolder(session.CarpetaTxt, kTimetableFileName), lines);
  }

  session.ResultadoTraspaso = 1;
  env.notifier.message("Proceso finalizado");
  return session.hosted();
}

}  // namespace tht
