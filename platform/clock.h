// Local date and time in the form the TEBA header and trailer records carry.
#pragma once

#include <ctime>
#include <functional>
#include <string>

namespace tht {

// "ddmmyyyyhhnn" of a broken-down local time: day, month, four-digit year,
// hour 00-23 and minute, each with leading zeros.
std::string formatTimestamp(const std::tm& when);

// The current local time from the system's clock and time zone.
std::tm localTimeNow();

// The timestamp of the current local time.
std::string currentTimestamp();

// Where a run takes its timestamps from; tests give a fixed one.
using TimestampSource = std::function<std::string()>;

}  // namespace tht
