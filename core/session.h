// The state a transfer run shares with the window that starts it, and the
// services a run needs from its surroundings. The window (or the command-line
// companion) owns one Session for the life of the process.
#pragma once

#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "core/notifier.h"

namespace tht {

struct Session {
  // 0 nothing done (also the import's code for a missing folder), 1 a run
  // went through, -1 the export failed to start or a step missed its input.
  int32_t ResultadoTraspaso = 0;
  // 2 when the program runs hosted inside the timetabling product, else 0.
  int32_t ModoIntegrado = 0;
  // The TEBA folder of the current run followed by the path separator
  // ("/"; "\" on Windows).
  std::string CarpetaTxt;

  bool hosted() const { return ModoIntegrado == 2; }
};

// Where a run finds its work folder and how it talks to the user.
struct RunEnvironment {
  std::string workFolder;                            // holds the working tables
  Notifier& notifier;                                // messages and hourglass
  TimestampSource timestamp = currentTimestamp;      // for written TEBA records
};

}  // namespace tht
