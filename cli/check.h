// The consistency report: everything the export or the import would
// silently drop, default or get wrong, found by reading what exists and
// changing nothing.
#pragma once

#include <iosfwd>
#include <string>

namespace tht::cli {

// Reports on the TEBA files of `tebaFolder` and, when both are there, on
// SOLUC and DIASHORAST of `workFolder`. One line per finding, naming the
// file and its line (or table row); notes that are no problem start with
// "nota: ". Returns whether anything was found.
bool runCheck(const std::string& tebaFolder, const std::string& workFolder, std::ostream& out);

}  // namespace tht::cli
