#include "qt/report_window.h"

#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

#include "app/report_view.h"
#include "platform/files.h"
#include "qt/text.h"

namespace tht::qt {

using namespace tht::app;

ReportWindow::ReportWindow(const std::string& report, const std::string& folder, int textHeight, Save save,
                           QWidget* parent)
    : QDialog(parent), report_(report), folder_(folder), save_(std::move(save)) {
  setWindowTitle(QApplication::applicationName());
  setModal(true);
  text = new QPlainTextEdit(this);
  text->setReadOnly(true);
  text->setLineWrapMode(QPlainTextEdit::NoWrap);
  text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  QFont fixed;
  fixed.setFamilies({"Courier New", "Liberation Mono", "DejaVu Sans Mono"});
  fixed.setStyleHint(QFont::TypeWriter);
  fixed.setPixelSize(12);
  text->setFont(fixed);
  // One call for the whole text: a district's report of many thousands of
  // lines is laid out once.
  text->setPlainText(qtText(shownReport(report, kThisSystem)));
  saveButton = new QPushButton(qtText(kReportSaveCaption), this);
  closeButton = new QPushButton(qtText(kReportCloseCaption), this);
  const ReportLayout layout = reportLayout(textHeight);
  QWidget* const controls[kReportControlCount] = {text, saveButton, closeButton};
  for (int i = 0; i < kReportControlCount; ++i) {
    const Rect& box = layout.boxes[i];
    controls[i]->setGeometry(box.left, box.top, box.width, box.height);
    controls[i]->installEventFilter(this);
    if (i > 0) setTabOrder(controls[i - 1], controls[i]);
  }
  // No default button: Enter presses only a focused button (see eventFilter).
  saveButton->setAutoDefault(false);
  closeButton->setAutoDefault(false);
  setFixedSize(layout.width, layout.height);
  connect(saveButton, &QPushButton::clicked, this, [this] { saveAs(); });
  connect(closeButton, &QPushButton::clicked, this, [this] { reject(); });
  text->setFocus();
}

bool ReportWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  ReportKey pressed;
  if (key == Qt::Key_Return || key == Qt::Key_Enter)
    pressed = ReportKey::Enter;
  else if (key == Qt::Key_Escape)
    pressed = ReportKey::Escape;
  else
    return QDialog::eventFilter(watched, event);
  const ReportControl focused = watched == saveButton ? kReportSave : watched == closeButton ? kReportClose : kReportText;
  switch (reportKeyAction(pressed, focused)) {
    case ReportAction::Save: saveAs(); break;
    case ReportAction::Close: reject(); break;
    case ReportAction::Nothing: break;
  }
  return true;
}

void ReportWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->geometry().center());
    move(frame.topLeft());
  }
}

void ReportWindow::saveAs() {
  const QString path = QFileDialog::getSaveFileName(this, qtText(kReportSaveCaption),
                                                    QString::fromStdString(joinPath(folder_, kReportFileName)),
                                                    "Texto (*.txt);;Todos los archivos (*)");
  if (!path.isEmpty()) save_(path.toStdString(), savedReport(report_, kThisSystem));
}

}  // namespace tht::qt
