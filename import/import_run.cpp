#include "import/import_run.h"

#include <memory>
#include <vector>

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

// A field of a table looked up by name the first time it is read, so that a
// missing field is reported where the walk first needs it.
class FieldOf {
 public:
  FieldOf(const tables::Table& table, const char* name) : table_(table), name_(name) {}
  size_t index() {
    if (index_ == kUnknown) index_ = table_.fieldIndex(name_);
    return index_;
  }

 private:
  const tables::Table& table_;
  const char* name_;
  static constexpr size_t kUnknown = static_cast<size_t>(-1);
  size_t index_ = kUnknown;
};

// One data record per lesson of SOLUC whose day is not 0, in table order.
void addLessons(ImportTables& tables, DayNotation notation, std::vector<std::string>& lines) {
  tables::Table& soluc = tables.wwTableSoluc;
  FieldOf dayField(soluc, "DIA");
  FieldOf periodField(soluc, "HORA");
  FieldOf teacherField(soluc, "PROF");
  FieldOf groupField(soluc, "CODGRUPO");
  FieldOf subjectField(soluc, "ASIG");
  FieldOf roomField(soluc, "AULA");
  // Built at the first lesson that needs it, where a scan would first read
  // the day-and-period table.
  std::unique_ptr<SlotLookup> slots;

  for (soluc.first(); !soluc.eof(); soluc.next()) {
    if (soluc.asInteger(dayField.index()) == 0) continue;
    const std::string period = soluc.asString(periodField.index());
    const std::string day = dayInNotation(soluc.asString(dayField.index()), notation);
    if (!slots) slots = std::make_unique<SlotLookup>(tables.wwTableTramos);
    // Looked up afresh for every lesson: a lesson without a slot never
    // carries the code of the one before it.
    const std::string slot = slots->find(day, period);
    const std::string teacher = soluc.asString(teacherField.index());
    const std::string group = soluc.asString(groupField.index());
    const std::string subject = soluc.asString(subjectField.index());
    const std::string room = soluc.asString(roomField.index());
    lines.push_back(lessonRecord(slot, day, teacher, group, subject, room));
  }
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
