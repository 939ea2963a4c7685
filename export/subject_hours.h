// The subject-course file as the teaching assignments step uses it: a
// lookup from subject, level and course to the hours of the first data
// record that has them, which the export run may start reading ahead.
#pragma once

#include <cstdint>
#include <future>
#include <string>
#include <string_view>

#include "platform/first_match.h"

namespace tht {

// The lookup key of a subject, level and course: the three texts joined by
// line ends, which no trimmed field holds. Built into `joined`, so that a
// walk reuses one buffer.
std::string_view hoursKey(std::string& joined, std::string_view subject, std::string_view level,
                          std::string_view course);

// The hours text of a subject-course record (columns 28-33, so at most six
// characters) and, once a row has used it, the hours it gives: rows sharing
// a record share the work.
class Hours {
 public:
  explicit Hours(std::string_view text);
  // The hours, at least 1, a blank text giving 1. A text that is not a
  // number throws every time.
  double value();

 private:
  char text_[6];
  uint8_t size_;
  bool worked_ = false;
  double value_ = 0;
};

using HoursLookup = FirstMatch<Hours>;

// Reads the subject-course file at `path` into its lookup.
HoursLookup readHours(const std::string& path);

// The subject-course file read on a second thread, ahead of the step that
// needs it. Nothing is shown or changed from there: a read that failed, or
// one of another file than the step asks for, is made again when taken, so
// that any error is raised where the step raises it.
class HoursReadAhead {
 public:
  // Nothing is read ahead for an empty path.
  explicit HoursReadAhead(std::string path);
  HoursReadAhead(const HoursReadAhead&) = delete;
  HoursReadAhead& operator=(const HoursReadAhead&) = delete;

  // The lookup of the file at `path`. Once only.
  HoursLookup take(const std::string& path);

 private:
  std::string path_;
  std::future<HoursLookup> ahead_;  // waited for when dropped
};

}  // namespace tht
