// Opens arbitrary bytes as a table and walks it, reading every field every
// way and changing a row; anything but a tht::Error is a finding.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "platform/error.h"
#include "tables/table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tht::fuzz::writeScratchFile("FUZZ.DBF", data, size);
  try {
    tht::tables::Table table;
    table.open(tht::fuzz::scratchFolder(), "FUZZ.DBF", tht::tables::OpenMode::Exclusive);
    for (int row = 0; !table.eof() && row < 1000; table.next(), ++row) {
      for (size_t field = 0; field < table.fieldCount(); ++field) {
        table.asString(field);
        try {
          table.asInteger(field);
        } catch (const tht::Error&) {
        }
        try {
          table.asFloat(field);
        } catch (const tht::Error&) {
        }
      }
      if (row == 0 && table.fieldCount() > 0) {
        table.edit();
        table.setString(0, table.asString(0) + "x");
        table.post();
      }
    }
    table.append();
    table.post();
    table.close();
  } catch (const tht::Error&) {
  }
  return 0;
}
