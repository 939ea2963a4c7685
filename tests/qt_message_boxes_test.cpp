// The window's message boxes on Qt's offscreen platform, shown for real
// and read while they wait. Part of qt_window_test, whose main() runs the
// application.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <functional>

#include "qt/message_boxes.h"

namespace tht::test {
namespace {

using namespace tht::qt;

// What a real box showed, read while it waits and then dismissed.
struct ShownBox {
  QString caption, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
  bool modal = false;
  QPoint centre;
  QSize size;
};

ShownBox showAndDismiss(const std::function<void()>& show) {
  ShownBox shown;
  QTimer poll;
  int tries = 0;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
      // No box after a second: fail rather than wait for ever.
      if (++tries == 100)
        for (QWidget* widget : QApplication::topLevelWidgets())
          if (auto* other = qobject_cast<QMessageBox*>(widget)) other->done(0);
      return;
    }
    poll.stop();
    shown.caption = box->windowTitle();
    shown.text = box->text();
    shown.icon = box->icon();
    shown.modal = box->isModal();
    shown.centre = box->frameGeometry().center();
    shown.size = box->size();
    for (QAbstractButton* button : box->buttons()) shown.buttons << button->text();
    box->buttons().front()->click();
  });
  poll.start(10);
  show();
  return shown;
}

// The plain box and the error box as the user sees them: the application
// title, CP1252 text shown as such, one "Aceptar", and the error's stop
// icon and full stop.
TEST(MessageBoxes, PlainAndErrorBoxes) {
  QApplication::setApplicationName("Transhoraventteba");
  DialogSink sink;
  const ShownBox plain = showAndDismiss([&] { sink.plain("Proceso finalizado"); });
  EXPECT_EQ(plain.caption, "Transhoraventteba");
  EXPECT_EQ(plain.text, "Proceso finalizado");
  EXPECT_EQ(plain.icon, QMessageBox::NoIcon);
  EXPECT_EQ(plain.buttons, QStringList{"Aceptar"});
  EXPECT_TRUE(plain.modal);
  const QPoint screenCentre = QGuiApplication::primaryScreen()->geometry().center();
  EXPECT_LE((plain.centre - screenCentre).manhattanLength(), 2) << plain.centre.x() << "," << plain.centre.y() << " size " << plain.size.width() << "x" << plain.size.height();

  const ShownBox error = showAndDismiss([&] { sink.error("'$x' no es un valor entero v\xE1lido"); });
  EXPECT_EQ(error.caption, "Transhoraventteba");
  EXPECT_EQ(error.text, QString::fromUtf8("'$x' no es un valor entero v\u00E1lido."));
  EXPECT_EQ(error.icon, QMessageBox::Critical);
  EXPECT_EQ(error.buttons, QStringList{"Aceptar"});

  // No full stop after a closing parenthesis or quote.
  EXPECT_EQ(showAndDismiss([&] { sink.error("No se encuentra el campo 'HORA'"); }).text,
            "No se encuentra el campo 'HORA'");
}

}  // namespace
}  // namespace tht::test
