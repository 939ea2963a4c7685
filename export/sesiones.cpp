#include "export/steps.h"

namespace tht {

// The day and period grid step (DIASHORAST) is built separately; until it
// arrives the run passes over it.
void TraspasarSesiones(StepContext& /*context*/) {}

}  // namespace tht
