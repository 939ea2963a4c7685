// The rows of a table as Debian's python3-dbfread reads them, one "|"-joined
// line per row, numbers as Python prints them: another program's reading of
// the files our engine writes (Linux only: it starts python3).
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "tests/support/temp_folder.h"

namespace tht::test {

inline std::string dbfreadRows(const std::string& path) {
  const std::string command = "/usr/bin/python3 '" + sourceDir() + "/tests/support/dbf_rows.py' '" + path + "' 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
  if (!pipe) return "cannot run python3";
  std::string out;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) out.append(buffer, n);
  return out;
}

}  // namespace tht::test
