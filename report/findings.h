// How the checks write their findings into a report: one line each,
// "<where>: <text>", notes marked "nota: " and not counted.
#pragma once

#include <string>
#include <string_view>

#include "report/report.h"
#include "teba/teba_files.h"

namespace tht::report {

class Findings {
 public:
  explicit Findings(Result& result) : result_(result) {}
  // Returns the finding's line number in the report, from 0.
  size_t problem(const std::string& where, const std::string& text) {
    result_.lines.push_back(where + ": " + text);
    ++result_.problems;
    return result_.lines.size() - 1;
  }
  // Adds to the end of a finding written before.
  void extend(size_t line, const std::string& text) { result_.lines[line] += text; }
  void note(const std::string& where, const std::string& text) {
    result_.lines.push_back("nota: " + where + ": " + text);
  }

 private:
  Result& result_;
};

// "<file>:<line>".
inline std::string at(const TebaFile& file, size_t line) { return std::string(file.name) + ":" + std::to_string(line); }
// The text between single quotes.
inline std::string quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

}  // namespace tht::report
