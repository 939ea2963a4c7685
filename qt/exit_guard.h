// The program ends with exit code 0 whatever happens: the host reads the
// result from "Horavent.ini" only, and treats any other exit code as a
// program that did not run properly.
#pragma once

namespace tht::qt {

// From here on a fatal error of the window system (no display to connect
// to, no platform plugin) and an exception that nothing caught end the
// process with code 0 after their text has gone to the error output,
// instead of aborting with a signal.
void endWithZeroOnFatalErrors();

}  // namespace tht::qt
