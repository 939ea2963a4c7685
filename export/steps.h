// The six steps of the export, in the order the run calls them. Each reads
// its TEBA files from session.CarpetaTxt, rebuilds one table in the work
// folder, reports its own missing input (result code -1) and lets errors
// pass to the caller after closing what it opened.
#pragma once

#include "platform/session.h"

namespace tht {

struct StepContext {
  Session& session;
  const RunEnvironment& env;
};

void TraspasarAsignaturas(StepContext& context);        // ASIGNOMT
void TraspasarProfesores(StepContext& context);         // PROFT
void TraspasarAulas(StepContext& context);              // AULAT
void TraspasarGrupos(StepContext& context);             // GRUPOST
void TraspasarAsignaturasGrupos(StepContext& context);  // ASIGT
void TraspasarSesiones(StepContext& context);           // DIASHORAST

}  // namespace tht
