#include "report/report.h"

#include "platform/files.h"
#include "report/checks.h"

namespace tht::report {

Result check(const std::string& tebaFolder, const std::string& workFolder) {
  Result result;
  Findings findings(result);
  const std::string folder = tebaFolder + pathSeparator();
  if (!folderExists(folder)) {
    result.tebaFolderExists = false;
    findings.problem(tebaFolder, "no existe la carpeta");
    return result;
  }
  const TebaInputs inputs{{folder, kSubjectsFile, findings},     {folder, kTeachersFile, findings},
                          {folder, kRoomsFile, findings},        {folder, kGroupsFile, findings},
                          {folder, kAssignmentsFile, findings},  {folder, kSubjectCourseFile, findings},
                          {folder, kSessionsFile, findings}};
  checkCatalogues(inputs, findings);
  checkAssignments(inputs, findings);
  const std::optional<DayNotation> notation = checkSessions(inputs.sessions, findings);
  checkTimetable(workFolder, notation, cataloguesOf(inputs), findings);
  return result;
}

std::string countLine(const Result& result) {
  return result.problems == 0 ? std::string("Sin avisos.") : std::to_string(result.problems) + " aviso(s).";
}

std::string text(const Result& result) {
  std::string all;
  for (const std::string& line : result.lines) all.append(line).append(1, '\n');
  if (result.tebaFolderExists) all.append(countLine(result)).append(1, '\n');
  return all;
}

}  // namespace tht::report
