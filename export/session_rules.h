// How the day and period grid step reads the slots of the sessions file:
// the two times of a slot (the end read first), its length in minutes, and
// the period number of each start time. The consistency report reads slots
// through these too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "export/teba_records.h"
#include "platform/cp1252.h"
#include "platform/error.h"

namespace tht {

struct SlotTimes {
  int32_t start;
  int32_t end;
};

// A time of a slot that is no decimal integer: the error "'%s' no es un
// valor entero válido" for that time's text, knowing which time it is.
class SlotTimeError : public Error {
 public:
  SlotTimeError(const std::string& message, bool isEnd) : Error(message), isEnd_(isEnd) {}
  bool isEnd() const { return isEnd_; }

 private:
  bool isEnd_;
};

// The slot's times as integers. The end is read first, so when both are no
// integers the error (a SlotTimeError) names the end.
SlotTimes slotTimes(const SessionRecord& record);

// MINUTOS of a slot: its length in minutes from its hhmm start and end
// times, negative when it ends before it starts. (Subtracting the hhmm
// numbers themselves would be right only for slots that cross exactly one
// full hour.)
int64_t slotMinutes(int32_t start, int32_t end);

// The week's period numbers: each distinct start time's rank, from 1, among
// all the start times added. Start times are ordered and told apart
// ignoring letter case; texts of digits keep plain character order ("1000"
// before "900"), whatever their length.
class PeriodNumbers {
 public:
  // Adds a start time; adding one again changes nothing.
  void add(const std::string& start) { starts_.emplace(start, 0); }
  // Ranks the start times added so far.
  void number();
  // The period number of `start` after number(); 0 when it was never added.
  size_t of(const std::string& start) const;

 private:
  struct IgnoringCase {
    bool operator()(const std::string& a, const std::string& b) const { return compareIgnoringCase(a, b) < 0; }
  };
  std::map<std::string, size_t, IgnoringCase> starts_;
};

}  // namespace tht
