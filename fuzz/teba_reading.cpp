// Reads arbitrary bytes as a TEBA file both ways, and puts every line
// through the skip test and the field rules; anything but a tht::Error is a
// finding.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "platform/error.h"
#include "teba/line_reader.h"
#include "teba/records.h"
#include "teba/whole_file.h"

namespace {

void useLine(const std::string& line) {
  tht::isSkipped(line, "TEBA_ASIGNAT.TXT");
  tht::trimmedField(line, 2, 4);
  tht::trimmedField(line, 26, 150);
  tht::field(line, static_cast<long>(line.size()), 1);
  tht::writeField(tht::trim(line), 4);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = tht::fuzz::writeScratchFile("teba.txt", data, size);
  try {
    tht::LineReader reader(path);
    while (!reader.eof()) useLine(reader.readLine());
  } catch (const tht::Error&) {
  }
  try {
    for (const std::string& line : tht::readWholeFile(path)) useLine(line);
  } catch (const tht::Error&) {
  }
  return 0;
}
