#include "report/teba_input.h"

#include "platform/error.h"
#include "platform/files.h"
#include "teba/teba_lines.h"

namespace tht::report {

TebaInput::TebaInput(const std::string& folder, const TebaFile& file, Findings& findings)
    : file_(file), path_(resolveInFolder(folder, file.name)) {
  if (!fileExists(path_)) {
    findings.problem(file.name, "no existe; la exportaci\xF3n no lo puede leer");
    return;
  }
  present_ = true;
  try {
    TebaLines lines(path_, file);
    std::string line;
    while (lines.nextRecord(line)) records_.push_back({lines.lineNumber(), line});
    readable_ = true;
  } catch (const Error& error) {
    records_.clear();
    findings.problem(file.name, error.what());
  }
}

}  // namespace tht::report
