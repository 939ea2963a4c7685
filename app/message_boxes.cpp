#include "app/message_boxes.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "platform/cp1252.h"
#include "platform/error.h"

namespace tht::app {
namespace {

void showBox(QMessageBox::Icon icon, const std::string& text) {
  QMessageBox box(icon, QApplication::applicationName(), QString::fromStdString(cp1252ToUtf8(text)),
                  QMessageBox::NoButton);
  box.addButton("Aceptar", QMessageBox::AcceptRole);
  box.adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    box.move(screen->geometry().center() - box.rect().center());
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

}  // namespace tht::app
