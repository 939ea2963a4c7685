// The program's texts, code page 1252 bytes, as Qt shows them: every
// caption, line, label and box goes through here (the locale's codec would
// take the bytes for something else).
#pragma once

#include <QString>
#include <string>

#include "platform/cp1252.h"

namespace tht::qt {

inline QString qtText(const std::string& cp1252) { return QString::fromStdString(cp1252ToUtf8(cp1252)); }

}  // namespace tht::qt
