// What the day and period grid step stops at or gets wrong, by its own
// reading of each slot, and the day notation the import takes from the
// sessions file.
#include "export/session_rules.h"
#include "platform/error.h"
#include "report/checks.h"
#include "teba/whole_file.h"

namespace tht::report {
namespace {

// How the import reads the file's day notation: the notation, or the
// finding that it would stop there.
struct ImportNotation {
  std::optional<DayNotation> notation;
  std::string stop;  // the import's error when it would stop
};

ImportNotation importNotation(const TebaInput& sessions) {
  if (!sessions.readable()) return {};
  try {
    WholeFile file(sessions.path(), WholeFile::Reading::AsNeeded);
    return {dayNotation(file), {}};
  } catch (const Error& error) {
    return {std::nullopt, error.what()};
  }
}

const char* writtenIn(DayNotation notation) { return notation == DayNotation::Letters ? "con letras" : "con cifras"; }

bool hasFourDigits(const std::string& time) {
  return time.size() == 4 && time.find_first_not_of("0123456789") == std::string::npos;
}

// A time of one to three digits as four ("900" as "0900"); others as they are.
std::string inFourDigits(const std::string& time) {
  if (time.empty() || time.size() > 4 || time.find_first_not_of("0123456789") != std::string::npos) return time;
  return std::string(4 - time.size(), '0') + time;
}

// The period numbers the step gives, and those it would give had every
// start time four digits.
struct Periods {
  PeriodNumbers given, inFour;
};

Periods periodsOf(const TebaInput& sessions) {
  Periods periods;
  for (const Record& record : sessions.records()) {
    const std::string start = sessionRecord(record.line).start;
    periods.given.add(start);
    periods.inFour.add(inFourDigits(start));
  }
  periods.given.number();
  periods.inFour.number();
  return periods;
}

// A start or end time the step reads as a number but that has not four
// digits: start times are ordered as texts to number the periods.
void checkFourDigits(const SessionRecord& session, const Periods& periods, const std::string& where,
                     Findings& findings) {
  if (!hasFourDigits(session.start)) {
    const size_t given = periods.given.of(session.start);
    const size_t inFour = periods.inFour.of(inFourDigits(session.start));
    std::string text = "la hora de inicio " + quoted(session.start) +
                       " no tiene cuatro cifras: se ordena como texto y el tramo " + quoted(session.slot) +
                       " recibe la hora " + std::to_string(given);
    if (inFour != given)
      text += "; con " + quoted(inFourDigits(session.start)) + " ser\xED" "a la " + std::to_string(inFour);
    findings.problem(where, text);
  }
  if (!hasFourDigits(session.end))
    findings.problem(where, "la hora de fin " + quoted(session.end) +
                                " no tiene cuatro cifras: DIASHORAST la guarda as\xED en HORAHASTA");
}

void checkSlots(const TebaInput& sessions, std::optional<DayNotation> notation, Findings& findings) {
  const Periods periods = periodsOf(sessions);
  for (const Record& record : sessions.records()) {
    const SessionRecord session = sessionRecord(record.line);
    const std::string where = at(kSessionsFile, record.number);
    SlotTimes times{};
    try {
      times = slotTimes(session);
    } catch (const SlotTimeError& error) {
      findings.problem(where, std::string(error.isEnd() ? "la hora de fin " + quoted(session.end)
                                                        : "la hora de inicio " + quoted(session.start)) +
                                  " no es un n\xFAmero entero: la exportaci\xF3n se detendr\xED" "a aqu\xED");
      continue;
    }
    if (slotMinutes(times.start, times.end) <= 0)
      findings.problem(where, "el tramo " + quoted(session.slot) + " empieza a las " + session.start +
                                  " y acaba a las " + session.end + ": su duraci\xF3n no es positiva");
    checkFourDigits(session, periods, where, findings);
    if (notation && record.number > 2 && dayNotationOfLine(record.line) != *notation)
      findings.problem(where, "el d\xED" "a " + quoted(session.day) + " del tramo " + quoted(session.slot) +
                                  " no est\xE1 escrito " + writtenIn(*notation) +
                                  " como en la l\xEDnea 2: la importaci\xF3n no dar\xE1 este tramo a ninguna clase");
  }
}

}  // namespace

std::optional<DayNotation> checkSessions(const TebaInput& sessions, Findings& findings) {
  const ImportNotation read = importNotation(sessions);
  checkSlots(sessions, read.notation, findings);
  if (read.notation)
    findings.note(kSessionsFile.name, std::string("la importaci\xF3n escribir\xE1 los d\xED" "as ") +
                                          (*read.notation == DayNotation::Letters ? "con letras (L, M, X, J, V, S, D)"
                                                                                  : "con cifras (1 a 7)"));
  else if (!read.stop.empty())
    findings.problem(kSessionsFile.name,
                     "tiene menos de dos l\xEDneas: la importaci\xF3n se detendr\xED" "a con \"" + read.stop + "\"");
  return read.notation;
}

}  // namespace tht::report
