// The six steps of the export, in the order the run calls them. Each reads
// its TEBA files from session.CarpetaTxt, rebuilds one table in the work
// folder, reports its own missing input (result code -1) and lets errors
// pass to the caller after closing what it opened.
#pragma once

#include <string>

#include "core/session.h"
#include "teba/teba_files.h"

namespace tht {

struct StepContext {
  Session& session;
  const RunEnvironment& env;
};

// The path of a step's input file in the TEBA folder. When the file is not
// there, shows `missingMessage`, sets the result code to -1 and returns an
// empty path: the step then ends without touching the work folder, so an
// earlier table stays.
std::string stepInput(StepContext& context, const TebaFile& file, const char* missingMessage);

void TraspasarAsignaturas(StepContext& context);        // ASIGNOMT
void TraspasarProfesores(StepContext& context);         // PROFT
void TraspasarAulas(StepContext& context);              // AULAT
void TraspasarGrupos(StepContext& context);             // GRUPOST
void TraspasarAsignaturasGrupos(StepContext& context);  // ASIGT
void TraspasarSesiones(StepContext& context);           // DIASHORAST

}  // namespace tht
