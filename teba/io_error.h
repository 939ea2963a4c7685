// The messages of input/output errors, by the Windows-style error code the
// rest of the program uses (see platform/files.h).
#pragma once

#include <string>

namespace tht {

// "No se encuentra el archivo" for 2, ..., "Error de E/S %d" for codes
// without a text of their own.
std::string ioErrorMessage(int code);

}  // namespace tht
