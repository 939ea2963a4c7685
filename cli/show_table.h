// Printing a dBase table for the user: aligned columns or CSV.
#pragma once

#include <iosfwd>
#include <string>

namespace tht::cli {

// Prints the fields and rows of the table file `path`: aligned columns in
// the terminal's encoding, or CSV in UTF-8 whatever the locale. Throws tht::Error
// when the table cannot be opened or read.
void showTable(const std::string& path, bool csv, std::ostream& out);

}  // namespace tht::cli
