// The import over arbitrary bytes as SOLUC, with the other tables and the
// TEBA files of a small school in place. Anything but a tht::Error is a
// finding, and so is a failed run that reports success.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/fuzz_support.h"
#include "import/import_run.h"
#include "platform/error.h"
#include "platform/files.h"
#include "tables/table.h"

namespace {

using tht::tables::FieldKind;

struct Quiet : tht::Notifier {
  void message(const std::string&) override {}
  void busy(bool) override {}
};

void writeText(const std::string& name, const std::string& text) {
  tht::fuzz::writeScratchFile(name, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

// The school every input is imported against, made once.
void prepare(const std::string& root) {
  std::filesystem::create_directories(root + "/teba");
  std::filesystem::create_directories(root + "/work");
  writeText("teba/teba_asignat.txt", "0TEBA_ASIGNAT.TXT                                  28040123150920250912\r\n");
  writeText("teba/teba_sesiones.txt", "0TEBA_SESIONES.TXT\r\n1   0001L08300925\r\n1   0002M08300925\r\n");
  for (const char* table : {"GRUPOST", "PROFT", "AULAT", "ASIGNOMT"})
    tht::tables::createTable(root + "/work", table, {{"ABREV", FieldKind::String, 4}});
  tht::tables::createTable(root + "/work", "DIASHORAST", {{"DIA", FieldKind::String, 20},
                                                          {"HORA", FieldKind::String, 8},
                                                          {"CODDIHO", FieldKind::String, 10}});
  tht::tables::Table slots;
  slots.open(root + "/work", "DIASHORAST.DBF", tht::tables::OpenMode::Shared);
  for (const char* day : {"L", "M"}) {
    slots.append();
    slots.setString(0, day);
    slots.setString(1, "1");
    slots.setString(2, std::string("00") + day);
    slots.post();
  }
  slots.close();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string root = [] {
    prepare(tht::fuzz::scratchFolder());
    return tht::fuzz::scratchFolder();
  }();
  tht::fuzz::writeScratchFile("work/SOLUC.DBF", data, size);
  Quiet quiet;
  tht::Session session;
  tht::RunEnvironment env{root + "/work", quiet};
  tht::ImportTables tables;
  std::filesystem::remove(root + "/teba/TEBA_HORARIO.TXT");
  try {
    tht::BImportarClick(session, root + "/teba", tables, env);
    // A run that went through wrote a whole file: the header first, the
    // trailer last with a count of digits, every line ended by CR LF.
    // (Lesson values may hold line ends of their own, so lines are not
    // counted here.)
    if (session.ResultadoTraspaso != 1) __builtin_trap();
    const std::string path = root + "/teba/TEBA_HORARIO.TXT";
    if (!tht::fileExists(path)) __builtin_trap();
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t trailer = bytes.rfind("\r\n9TEBA_HORARIO.TXT");
    if (bytes.rfind("0TEBA_HORARIO.TXT", 0) != 0 || trailer == std::string::npos) __builtin_trap();
    const std::string count = bytes.substr(std::min(bytes.size(), trailer + 2 + 71));
    if (count.size() < 3 || count.compare(count.size() - 2, 2, "\r\n") != 0 ||
        count.find_first_not_of("0123456789") != count.size() - 2)
      __builtin_trap();
  } catch (const tht::Error&) {
    if (session.ResultadoTraspaso != 0) __builtin_trap();
    if (std::filesystem::exists(root + "/teba/TEBA_HORARIO.TXT")) __builtin_trap();
  }
  return 0;
}
