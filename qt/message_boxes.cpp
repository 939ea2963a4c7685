#include "qt/message_boxes.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "platform/error.h"
#include "qt/text.h"

namespace tht::qt {

using namespace tht::app;
namespace {

// A message box that centres itself on the screen once it has taken its
// final size, which it only does while it is being shown.
class CentredBox : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    // Frame included, as far as the system knows it by now.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      QRect frame = frameGeometry();
      frame.moveCenter(screen->geometry().center());
      move(frame.topLeft());
    }
  }
};

void showBox(QMessageBox::Icon icon, const std::string& text) {
  CentredBox box(icon, QApplication::applicationName(), qtText(text), QMessageBox::NoButton);
  box.addButton("Aceptar", QMessageBox::AcceptRole);
  box.exec();
}

}  // namespace

void DialogSink::plain(const std::string& text) { showBox(QMessageBox::NoIcon, text); }

void DialogSink::error(const std::string& message) { showBox(QMessageBox::Critical, messageWithFullStop(message)); }

void WindowNotifier::busy(bool on) {
  if (on)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

}  // namespace tht::qt
