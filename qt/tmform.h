// The main window: the export and import panels, the folder panel with the
// folder and drive lists, the close and check buttons, and the hosted mode.
#pragma once

#include <QLabel>
#include <QWidget>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/folder_browser.h"
#include "app/layout.h"
#include "app/run_controller.h"
#include "qt/message_boxes.h"
#include "qt/widgets.h"

namespace tht::qt {

struct FormSettings {
  std::vector<std::string> parameters;  // as counted
  std::string iniPath;                  // "Horavent.ini" beside the program
  std::string workFolder;               // the tables' folder
  app::FolderSystem* folders = &app::systemFolders();  // what the folder and drive lists show
};

class TMForm : public QWidget {
 public:
  TMForm(FormSettings settings, app::MessageSink& sink);

  // Fixes the mode from the parameters. Returns false when the window
  // cannot be shown where the host wants it; the program then ends.
  bool FormCreate();

  // The handlers of the buttons.
  void BExportarClick();
  void BImportarClick();
  void BCloseClick() { close(); }
  // "Comprobar": the report window, modal (qt/report_window.h).
  void BComprobarClick();

  const Session& session() const { return controller_.session(); }
  const app::FolderBrowser& browser() const { return browser_; }
  // A double-click on a line of the folder list; the choice of a drive.
  void openFolderLine(int row);
  void chooseDrive(int index);
  // The client area's scale: the window font's text height over 13.
  double scale() const { return scale_; }

  // The components, named as the program has always named them.
  GradientPanel* Draw3D2;
  QLabel* Label3;
  GlyphButton* BExportar;
  GradientPanel* Draw3D3;
  QLabel* Label4;
  GlyphButton* BImportar;
  GradientPanel* Draw3D1;
  QLabel* Label1;
  QLabel* Label2;
  GlyphButton* BClose;
  FolderList* Directorios;
  DriveList* Unidades;
  QLabel* Label5;
  QLabel* Label6;
  GlyphButton* BComprobar;

 protected:
  void closeEvent(QCloseEvent* event) override;  // FormClose
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int px(int value) const;
  QWidget* widgetOf(app::Component component) const;
  void place(const app::WindowLayout& layout);
  void focusFirst(const app::WindowLayout& layout);
  void showFolderChange(const std::string& error);
  void updatePathLabel();

  FormSettings settings_;
  app::MessageSink& sink_;
  WindowNotifier notifier_;
  app::RunController controller_;
  app::FolderBrowser browser_;
  int textHeight_ = app::kDesignTextHeight;
  double scale_ = 1.0;
};

}  // namespace tht::qt
