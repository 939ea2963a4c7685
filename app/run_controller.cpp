#include "app/run_controller.h"

#include <exception>

#include "export/export_run.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/ini_file.h"
#include "report/report.h"

namespace tht::app {

RunController::RunController(std::string iniPath, std::string workFolder, Notifier& notifier, MessageSink& sink)
    : iniPath_(std::move(iniPath)), sink_(sink), env_{std::move(workFolder), notifier} {}

LaunchPlan RunController::FormCreate(const std::vector<std::string>& parameters) {
  session_.ResultadoTraspaso = 0;
  LaunchPlan plan = launchPlan(parameters);
  if (!plan.handleError.empty()) sink_.error(plan.handleError);
  return plan;
}

void RunController::becameHosted(const LaunchPlan& plan) { session_.ModoIntegrado = plan.parameterCount; }

bool RunController::BExportarClick(const std::string& folder) {
  try {
    return tht::BExportarClick(session_, folder, env_);
  } catch (const std::exception& error) {
    sink_.error(error.what());  // the window stays open, hosted too
    return false;
  }
}

bool RunController::BImportarClick(const std::string& folder) {
  try {
    return tht::BImportarClick(session_, folder, tables, env_);
  } catch (const std::exception& error) {
    sink_.error(error.what());
    return false;
  }
}

std::optional<std::string> RunController::BComprobarClick(const std::string& folder) {
  try {
    report::Result result;
    {
      BusyPointer busy(env_.notifier);
      result = report::check(folder, env_.workFolder);
    }
    if (!result.tebaFolderExists) {
      env_.notifier.message("No existe la carpeta");
      return std::nullopt;
    }
    return report::text(result);
  } catch (const std::exception& error) {
    sink_.error(error.what());
    return std::nullopt;
  }
}

bool RunController::saveReport(const std::string& path, const std::string& bytes) {
  try {
    replaceFileAtomically(path, bytes);
    return true;
  } catch (const std::exception& error) {
    sink_.error(error.what());
    return false;
  }
}

bool RunController::FormClose() {
  if (!session_.hosted()) return true;
  try {
    writeProfileString(iniPath_, "Transformadores", "Transformado", std::to_string(session_.ResultadoTraspaso));
  } catch (const Error& error) {
    sink_.error(error.what());  // every further close tries again
    return false;
  }
  return true;
}

}  // namespace tht::app
