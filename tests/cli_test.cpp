// The command-line companion: its arguments and the console notifier.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "cli/arguments.h"
#include "cli/console.h"

namespace tht::test {
namespace {

std::string usageError(const std::vector<std::string>& args) {
  try {
    cli::parseArguments(args);
  } catch (const cli::UsageError& error) {
    return error.what();
  }
  return "accepted";
}

TEST(CliArguments, CommandsTargetsAndOptions) {
  const cli::Invocation run = cli::parseArguments({"export", "/t", "--work-folder", "/w"});
  EXPECT_EQ(run.command, "export");
  EXPECT_EQ(run.target, "/t");
  EXPECT_EQ(run.workFolder, "/w");
  EXPECT_EQ(cli::parseArguments({"check", "--work-folder=/w", "/t"}).workFolder, "/w");
  EXPECT_TRUE(cli::parseArguments({"show-table", "A.DBF", "--csv"}).csv);
  EXPECT_TRUE(cli::parseArguments({"import", "--help"}).help);
  EXPECT_EQ(usageError({}), "falta la orden (export, import, check o show-table)");
  EXPECT_EQ(usageError({"exportar"}), "orden desconocida: exportar");
  EXPECT_EQ(usageError({"export"}), "falta la carpeta de TEBA");
  EXPECT_EQ(usageError({"show-table"}), "falta el archivo de la tabla");
  EXPECT_EQ(usageError({"export", "/t", "--work-folder"}), "--work-folder necesita una carpeta");
  EXPECT_EQ(usageError({"export", "/t", "/u"}), "sobra el argumento: /u");
  EXPECT_EQ(usageError({"show-table", "A.DBF", "--work-folder", "/w"}),
            "opci\xF3n desconocida para show-table: --work-folder");
}

TEST(CliConsole, MessagesOnLinesOfTheirOwnAndNoProgressLine) {
  std::ostringstream out;
  cli::ConsoleNotifier notifier(out);
  notifier.busy(true);
  notifier.message("Proceso finalizado");
  notifier.busy(false);
  notifier.message("No existe la carpeta");
  EXPECT_EQ(out.str(), "Proceso finalizado\nNo existe la carpeta\n");
}

}  // namespace
}  // namespace tht::test
