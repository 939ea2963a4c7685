// transhoraventteba-cli: the window's export and import runs without a
// window, a consistency report, and a table viewer.
#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/console.h"
#include "cli/show_table.h"
#include "export/export_run.h"
#include "import/import_run.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "report/report.h"

namespace {

using namespace tht;

constexpr int kUsageStatus = 64;
constexpr int kErrorStatus = 3;

// Exit status of a run by its result code: 0 for 1, 1 for -1, 2 for 0.
int statusOfResult(int32_t result) {
  if (result == 1) return 0;
  if (result == -1) return 1;
  return 2;
}

int reportError(const Error& error) {
  std::cerr << cli::toTerminal(messageWithFullStop(error.what())) << std::endl;
  return kErrorStatus;
}

int runTransfer(const cli::Invocation& call) {
  Session session;
  cli::ConsoleNotifier notifier(std::cerr);
  RunEnvironment env{call.workFolder.empty() ? defaultWorkFolder() : call.workFolder, notifier};
  const std::string folder = withoutFinalSeparator(call.target);
  try {
    if (call.command == "export") {
      BExportarClick(session, folder, env);
    } else {
      ImportTables tables;
      BImportarClick(session, folder, tables, env);
    }
  } catch (const Error& error) {
    std::cout << "ResultadoTraspaso: " << session.ResultadoTraspaso << std::endl;
    return reportError(error);
  }
  std::cout << "ResultadoTraspaso: " << session.ResultadoTraspaso << std::endl;
  return statusOfResult(session.ResultadoTraspaso);
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_CTYPE, "");
  cli::writeConsolesWide();
  std::vector<std::string> args(argv + 1, argv + argc);
  cli::Invocation call;
  try {
    call = cli::parseArguments(args);
  } catch (const cli::UsageError& error) {
    std::cerr << "transhoraventteba-cli: " << cli::toTerminal(error.what()) << "\n"
              << cli::toTerminal(cli::helpText(args.empty() ? "" : args[0]));
    return kUsageStatus;
  }
  if (call.help) {
    std::cout << cli::toTerminal(cli::helpText(call.command));
    return 0;
  }
  try {
    if (call.command == "show-table") {
      cli::showTable(call.target, call.csv, std::cout);
      return 0;
    }
    if (call.command == "check") {
      const std::string work = call.workFolder.empty() ? defaultWorkFolder() : call.workFolder;
      const report::Result result = report::check(withoutFinalSeparator(call.target), work);
      std::cout << cli::toTerminal(report::text(result));
      return result.problems > 0 ? 1 : 0;
    }
  } catch (const Error& error) {
    return reportError(error);
  }
  return runTransfer(call);
}
