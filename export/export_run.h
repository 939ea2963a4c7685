// The export from TEBA text files to the working tables.
#pragma once

#include <string>

#include "core/session.h"

namespace tht {

// The export button's run for the TEBA folder `tebaFolder` (no final "/").
// Sets CarpetaTxt, checks the folder, runs the six steps in order, tells the
// user "Proceso finalizado". Returns true when the window must close now
// (hosted). An error that ends the run is thrown as tht::Error after the
// result code has been set; the caller shows it and keeps the window open.
bool BExportarClick(Session& session, const std::string& tebaFolder, const RunEnvironment& env);

}  // namespace tht
