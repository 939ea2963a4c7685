// The consistency report: what the export or the import would silently
// drop, cut, default or get wrong, found by reading what exists and
// changing nothing. The command line prints it; the windows show it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tht::report {

struct Result {
  // False when the TEBA folder does not exist: nothing else was looked at,
  // and the one line says so. (The windows then show the runs' message
  // "No existe la carpeta" instead.)
  bool tebaFolderExists = true;
  // One finding a line, naming the file and its line (or table row) first;
  // lines that are no problem start with "nota: ". Code page 1252, without
  // line ends.
  std::vector<std::string> lines;
  // How many lines are findings (notes are not counted).
  size_t problems = 0;
};

// Reports on the TEBA files of `tebaFolder` (no final separator needed)
// and, when SOLUC and DIASHORAST are both there, on the timetable in
// `workFolder`.
Result check(const std::string& tebaFolder, const std::string& workFolder);

// "N aviso(s)." or "Sin avisos.".
std::string countLine(const Result& result);

// The whole report as one text: every line followed by "\n", then the
// count line and "\n" (no count line for a missing TEBA folder).
std::string text(const Result& result);

}  // namespace tht::report
