#include "cli/arguments.h"

#include "platform/files.h"
#include "platform/names.h"

namespace tht::cli {
namespace {

bool isRun(const std::string& command) {
  return command == "export" || command == "import" || command == "check";
}

}  // namespace

Invocation parseArguments(const std::vector<std::string>& args) {
  Invocation call;
  if (args.empty()) throw UsageError("falta la orden (export, import, check o show-table)");
  call.command = args[0];
  if (call.command == "--help" || call.command == "-h" || call.command == "help") {
    call.command.clear();
    call.help = true;
    return call;
  }
  if (!isRun(call.command) && call.command != "show-table")
    throw UsageError("orden desconocida: " + shownName(call.command));
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      call.help = true;
    } else if (arg == "--work-folder" && isRun(call.command)) {
      if (i + 1 == args.size() || args[i + 1].empty())
        throw UsageError("--work-folder necesita una carpeta");
      call.workFolder = args[++i];
    } else if (arg.rfind("--work-folder=", 0) == 0 && isRun(call.command)) {
      call.workFolder = arg.substr(14);
      if (call.workFolder.empty()) throw UsageError("--work-folder necesita una carpeta");
    } else if (arg == "--csv" && call.command == "show-table") {
      call.csv = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      throw UsageError("opci\xF3n desconocida para " + call.command + ": " + shownName(arg));
    } else if (call.target.empty() && !arg.empty()) {
      call.target = arg;
    } else {
      throw UsageError("sobra el argumento: " + shownName(arg));
    }
  }
  if (!call.help && call.target.empty())
    throw UsageError(call.command == "show-table" ? "falta el archivo de la tabla"
                                                  : "falta la carpeta de TEBA");
  return call;
}

std::string helpText(const std::string& command) {
  // Windows has the host's own work folder; Linux the one Wine gives it.
  const std::string work =
      std::string("  --work-folder DIR  carpeta de trabajo de las tablas (por omisi\xF3n la del programa:\n") +
      (systemPathStyle().drives ? "                     C:\\HTEMP)\n"
                                : "                     $WINEPREFIX/drive_c/HTEMP, o ~/.wine/drive_c/HTEMP)\n");
  if (command == "export")
    return "uso: transhoraventteba-cli export CARPETA_TEBA [--work-folder DIR]\n"
           "Transforma los archivos TXT de TEBA de la carpeta en las tablas de Horavent.\n" +
           work +
           "Estado de salida: 0 hecho, 1 faltaba un archivo, 2 nada hecho, 3 error.\n";
  if (command == "import")
    return "uso: transhoraventteba-cli import CARPETA_TEBA [--work-folder DIR]\n"
           "Escribe TEBA_HORARIO.TXT en la carpeta a partir del horario de Horavent (SOLUC).\n" +
           work +
           "Estado de salida: 0 hecho, 2 nada hecho, 3 error.\n";
  if (command == "check")
    return "uso: transhoraventteba-cli check CARPETA_TEBA [--work-folder DIR]\n"
           "Informa de lo que la exportaci\xF3n o la importaci\xF3n perder\xED" "an o cambiar\xED" "an,\n"
           "sin modificar nada.\n" +
           work + "Estado de salida: 0 nada que informar, 1 hay avisos, 3 error.\n";
  if (command == "show-table")
    return "uso: transhoraventteba-cli show-table ARCHIVO.DBF [--csv]\n"
           "Muestra los campos y las filas de una tabla dBase.\n"
           "  --csv  en formato CSV (en UTF-8, sea cual sea la configuraci\xF3n regional)\n"
           "         en lugar de columnas alineadas\n";
  return "uso: transhoraventteba-cli ORDEN ...\n"
         "\xD3rdenes:\n"
         "  export CARPETA_TEBA      de TEBA hacia Horavent\n"
         "  import CARPETA_TEBA      de Horavent hacia TEBA\n"
         "  check CARPETA_TEBA       informe de coherencia de los datos\n"
         "  show-table ARCHIVO.DBF   muestra una tabla\n"
         "transhoraventteba-cli ORDEN --help da la ayuda de cada orden.\n";
}

}  // namespace tht::cli
