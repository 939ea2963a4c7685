// The report window of "Comprobar": the report in a read-only text box,
// "Guardar..." and "Cerrar". What it shows, writes and does with its keys
// comes from app/report_view.h; this class shows it and wires it.
#pragma once

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>
#include <string>

namespace tht::qt {

class ReportWindow : public QDialog {
 public:
  // Writes the bytes to the path the user picked; false after the error box.
  using Save = std::function<bool(const std::string& path, const std::string& bytes)>;

  // `report` as report::text() gives it; `folder` (the TEBA folder) is
  // where the save dialog starts; `textHeight` scales the window as the main
  // window's font scales that.
  ReportWindow(const std::string& report, const std::string& folder, int textHeight, Save save, QWidget* parent);

  QPlainTextEdit* text;
  QPushButton* saveButton;
  QPushButton* closeButton;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;  // in the middle of the screen, as the boxes are

 private:
  void saveAs();

  std::string report_;
  std::string folder_;
  Save save_;
};

}  // namespace tht::qt
