// What the day and period grid step stops at or gets wrong, by its own
// reading of each slot, and the day notation the import takes from the
// sessions file.
#include "export/session_rules.h"
#include "platform/error.h"
#include "report/checks.h"
#include "teba/whole_file.h"

namespace tht::report {
namespace {

void checkSlotTimes(const TebaInput& sessions, Findings& findings) {
  for (const Record& record : sessions.records()) {
    const SessionRecord session = sessionRecord(record.line);
    SlotTimes times{};
    try {
      times = slotTimes(session);
    } catch (const SlotTimeError& error) {
      findings.problem(at(kSessionsFile, record.number),
                       std::string(error.isEnd() ? "la hora de fin " + quoted(session.end)
                                                 : "la hora de inicio " + quoted(session.start)) +
                           " no es un n\xFAmero entero: la exportaci\xF3n se detendr\xED" "a aqu\xED");
      continue;
    }
    if (slotMinutes(times.start, times.end) <= 0)
      findings.problem(at(kSessionsFile, record.number),
                       "el tramo " + quoted(session.slot) + " empieza a las " + session.start + " y acaba a las " +
                           session.end + ": su duraci\xF3n no es positiva");
  }
}

// The notation the import takes from the file, read as the import reads it.
std::optional<DayNotation> importNotation(const TebaInput& sessions, Findings& findings) {
  if (!sessions.readable()) return std::nullopt;
  try {
    WholeFile file(sessions.path(), WholeFile::Reading::AsNeeded);
    const DayNotation notation = dayNotation(file);
    findings.note(kSessionsFile.name, notation == DayNotation::Letters
                                          ? "la importaci\xF3n escribir\xE1 los d\xED" "as con letras (L, M, X, J, V, S, D)"
                                          : "la importaci\xF3n escribir\xE1 los d\xED" "as con cifras (1 a 7)");
    return notation;
  } catch (const Error& error) {
    findings.problem(kSessionsFile.name, std::string("tiene menos de dos l\xEDneas: la importaci\xF3n se detendr\xED" "a con \"") +
                                             error.what() + "\"");
    return std::nullopt;
  }
}

}  // namespace

std::optional<DayNotation> checkSessions(const TebaInput& sessions, Findings& findings) {
  checkSlotTimes(sessions, findings);
  return importNotation(sessions, findings);
}

}  // namespace tht::report
