#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/clock.h"

namespace tht {
namespace {

TEST(Clock, TimestampIsDayMonthYearHourMinute) {
  std::tm when{};
  when.tm_mday = 3;
  when.tm_mon = 0;
  when.tm_year = 2026 - 1900;
  when.tm_hour = 7;
  when.tm_min = 5;
  EXPECT_EQ(formatTimestamp(when), "030120260705");
  EXPECT_EQ(currentTimestamp().size(), 12u);
}

}  // namespace
}  // namespace tht
