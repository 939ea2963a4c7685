// The window's decisions around the two runs and the close: the result
// code and the mode, running a direction (and closing after it when
// hosted), and the hand-over of the result through "Horavent.ini". The
// front ends call it from their buttons and their close handling.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "import/import_run.h"
#include "core/session.h"

namespace tht::app {

// Where the window's message boxes go. Texts are CP1252.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // The plain box: no icon, one button "Aceptar".
  virtual void plain(const std::string& text) = 0;
  // The error box: stop icon, the message with its full stop.
  virtual void error(const std::string& message) = 0;
};

// The runs' notices go to the plain box; the hourglass is the front end's.
class BoxNotifier : public Notifier {
 public:
  explicit BoxNotifier(MessageSink& sink) : sink_(sink) {}
  void message(const std::string& text) override { sink_.plain(text); }

 private:
  MessageSink& sink_;
};

class RunController {
 public:
  // `iniPath`: "Horavent.ini" beside the program; `notifier` shows the
  // runs' notices and the hourglass; errors go to `sink`'s error box.
  RunController(std::string iniPath, std::string workFolder, Notifier& notifier, MessageSink& sink);

  // The start of FormCreate: the result code 0 and what the command line
  // asks for. A handle that is no hexadecimal text is shown in the error
  // box here; the window then stays stand-alone.
  LaunchPlan FormCreate(const std::vector<std::string>& parameters);
  // The window now lives where the host wants it: the mode holds.
  void becameHosted(const LaunchPlan& plan);

  // The run buttons, for the TEBA folder `folder` (the folder list's
  // current folder). True when the window must close now (hosted). An
  // error that ends a run is shown in the error box; the window stays.
  bool BExportarClick(const std::string& folder);
  bool BImportarClick(const std::string& folder);

  // "Comprobar", for the TEBA folder `folder`: the report on it and on the
  // work folder, as report::text() writes it, made under the hourglass.
  // Nothing when the folder does not exist (the runs' plain box "No existe
  // la carpeta" has been shown) or the report ended in an error (the error
  // box). It runs no transfer, writes nothing and leaves the result code.
  std::optional<std::string> BComprobarClick(const std::string& folder);
  // "Guardar..." of the report window: `bytes` replace the file `path`
  // whole (platform/files.h). False when that fails: the error box has
  // been shown and the earlier file is untouched.
  bool saveReport(const std::string& path, const std::string& bytes);

  // FormClose: hosted, the result code is written into the ini file. False
  // when it cannot be written (the error is shown): the close is abandoned.
  bool FormClose();

  const Session& session() const { return session_; }
  ImportTables tables;  // wwTableSoluc, wwTableGrupos, ... (not shown)

 private:
  std::string iniPath_;
  MessageSink& sink_;
  Session session_;
  RunEnvironment env_;
};

}  // namespace tht::app
