#include "export/export_run.h"

#include "export/steps.h"
#include "platform/files.h"
#include "core/notifier.h"

namespace tht {
namespace {

// The steps in the order the run calls them; each runs whatever the ones
// before it found, since a missing input file ends only its own step.
constexpr void (*kSteps[])(StepContext&) = {
    TraspasarAsignaturas, TraspasarProfesores,        TraspasarAulas,
    TraspasarGrupos,      TraspasarAsignaturasGrupos, TraspasarSesiones,
};

}  // namespace

std::string stepInput(StepContext& context, const TebaFile& file, const char* missingMessage) {
  const std::string path = resolveInFolder(context.session.CarpetaTxt, file.name);
  if (fileExists(path)) return path;
  context.env.notifier.message(missingMessage);
  context.session.ResultadoTraspaso = -1;
  return {};
}

bool BExportarClick(Session& session, const std::string& tebaFolder, const RunEnvironment& env) {
  // At the root the folder already ends in the separator ("/", "C:\"); the
  // doubled one is harmless: Windows takes "C:\\name" as "C:\name".
  session.CarpetaTxt = tebaFolder + pathSeparator();
  if (!folderExists(session.CarpetaTxt)) {
    env.notifier.message("No existe la carpeta");
    if (!session.hosted()) return false;
    session.ResultadoTraspaso = -1;
    return true;
  }

  {
    BusyPointer busy(env.notifier);
    session.ResultadoTraspaso = 1;
    StepContext context{session, env};
    try {
      for (auto step : kSteps) step(context);
    } catch (...) {
      // An export ended by an error has left its tables incomplete: the host
      // must not be told it went through.
      session.ResultadoTraspaso = -1;
      throw;
    }
  }  // The pointer is back to normal before the closing message.

  env.notifier.message("Proceso finalizado");
  return session.hosted();
}

}  // namespace tht
