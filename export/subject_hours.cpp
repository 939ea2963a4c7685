#include "export/subject_hours.h"

#include <algorithm>
#include <cstring>
#include <system_error>
#include <utility>

#include "export/hours.h"
#include "export/teba_files.h"
#include "platform/error.h"
#include "teba/records.h"
#include "teba/whole_file.h"

namespace tht {

std::string_view hoursKey(std::string& joined, std::string_view subject, std::string_view level,
                          std::string_view course) {
  joined.assign(subject).append(1, '\n').append(level).append(1, '\n').append(course);
  return joined;
}

Hours::Hours(std::string_view text) : size_(static_cast<uint8_t>(std::min(text.size(), sizeof text_))) {
  if (size_ > 0) std::memcpy(text_, text.data(), size_);  // an empty view may have no data
}

double Hours::value() {
  if (!worked_) {
    std::string number = size_ == 0 ? std::string("1") : std::string(text_, size_);
    for (char& c : number)
      if (c == ',') c = '.';
    value_ = parseHours(number);
    if (!(value_ >= 1)) value_ = 1;
    worked_ = true;
  }
  return value_;
}

HoursLookup readHours(const std::string& path) {
  // Every line is taken before any row uses one: no need to hold them all.
  WholeFile lines(path, WholeFile::Reading::AsNeeded);
  HoursLookup firstHours;
  std::string line;
  std::string joined;
  while (lines.nextLine(line)) {
    if (isSkipped(line, kSubjectCourseFile.expectedName)) continue;
    const SubjectCourseRecord record = subjectCourseRecord(line);
    firstHours.add(hoursKey(joined, record.subject, record.level, record.course), Hours(record.hours));
  }
  return firstHours;
}

HoursReadAhead::HoursReadAhead(std::string path) : path_(std::move(path)) {
  if (path_.empty()) return;
  try {
    ahead_ = std::async(std::launch::async, readHours, path_);
  } catch (const std::system_error&) {
    // No thread to spare: take() reads the file itself.
  }
}

HoursLookup HoursReadAhead::take(const std::string& path) {
  if (ahead_.valid() && path == path_) {
    try {
      return ahead_.get();
    } catch (const Error&) {
      // Read again below, to raise the error as it stands now.
    }
  }
  return readHours(path);
}

}  // namespace tht
