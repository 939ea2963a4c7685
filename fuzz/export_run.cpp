// The whole export over a TEBA folder made of arbitrary bytes: the input is
// cut at every 0xFE byte into the seven files, in the order of the steps
// that read them. Anything but a tht::Error ending the run is a finding.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "export/export_run.h"
#include "fuzz/fuzz_support.h"
#include "platform/error.h"
#include "tables/table.h"

namespace {

struct Quiet : tht::Notifier {
  void message(const std::string&) override {}
  void busy(bool) override {}
};

const char* const kFiles[] = {"teba_asignat.txt",      "teba_prof.txt",         "teba_aulas.txt",
                              "teba_grupo.txt",        "teba_asignatgrupo.txt", "teba_asignatcurso.txt",
                              "teba_sesiones.txt"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string root = tht::fuzz::scratchFolder();
  const std::string teba = root + "/teba", work = root + "/work";
  std::filesystem::remove_all(teba);
  std::filesystem::create_directories(teba);
  std::filesystem::create_directories(work);

  const std::string bytes(reinterpret_cast<const char*>(data), size);
  size_t start = 0;
  for (const char* name : kFiles) {
    if (start > bytes.size()) break;  // the later files are missing
    size_t end = bytes.find('\xFE', start);
    if (end == std::string::npos) end = bytes.size();
    const std::string part = bytes.substr(start, end - start);
    tht::fuzz::writeScratchFile(std::string("teba/") + name, reinterpret_cast<const uint8_t*>(part.data()), part.size());
    start = end + 1;
  }

  Quiet quiet;
  tht::Session session;
  tht::RunEnvironment env{work, quiet};
  try {
    tht::BExportarClick(session, teba, env);
    if (session.ResultadoTraspaso != 1 && session.ResultadoTraspaso != -1) __builtin_trap();
  } catch (const tht::Error&) {
    if (session.ResultadoTraspaso != -1) __builtin_trap();  // an error must not look like success
  }
  // However the run ended, every table it left opens and walks whole.
  for (const auto& entry : std::filesystem::directory_iterator(work)) {
    if (entry.path().extension() != ".DBF") continue;
    tht::tables::Table table;
    table.open(work, entry.path().filename().string(), tht::tables::OpenMode::ReadOnlyShared);
    for (; !table.eof(); table.next())
      for (size_t field = 0; field < table.fieldCount(); ++field) table.asString(field);
  }
  return 0;
}
