#include "platform/clock.h"

#include <cstdio>

namespace tht {

std::string formatTimestamp(const std::tm& when) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d%02d%04d%02d%02d", when.tm_mday % 100,
                (when.tm_mon + 1) % 100, (when.tm_year + 1900) % 10000, when.tm_hour % 100,
                when.tm_min % 100);
  return text;
}

std::string currentTimestamp() { return formatTimestamp(localTimeNow()); }

}  // namespace tht
