// The window's own widgets: the gradient panel, the button with a glyph, the
// folder list with its path label, and the drive list.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>

#include "app/folder_browser.h"
#include "app/gradient.h"

namespace tht::qt {

// A panel painted with the three-colour gradient and a raised one-pixel
// bevel, drawn into an off-screen image and copied in one step.
class GradientPanel : public QWidget {
 public:
  GradientPanel(const app::GradientColours& colours, QWidget* parent);
  // The panel as painted, for tests and screenshots.
  QImage render() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  app::GradientColours colours_;
};

enum class Glyph { Tick, Exit, Magnifier };

// The glyph images, 18 x 18, olive (RGB 80 80 00) made transparent.
QPixmap glyphPixmap(Glyph glyph);

// A push button showing its glyph left of its caption, the pair centred
// with 4 pixels between them.
class GlyphButton : public QPushButton {
 public:
  GlyphButton(const QString& caption, Glyph glyph, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap glyph_;
};

// The folder list: the browser's folder lines, each `lineHeight` high, its
// icon at its indent and its name 4 pixels after the icon.
class FolderList : public QListWidget {
 public:
  FolderList(QWidget* parent, int lineHeight);
  void showLines(const app::FolderBrowser& browser);
  // The x offset of the icon of line `row`, as the line is drawn.
  int iconIndent(int row) const;
};

// The drive list: the browser's drive lines, built once; showSelection()
// follows the browser's selected drive.
class DriveList : public QComboBox {
 public:
  DriveList(QWidget* parent, const app::FolderBrowser& browser);
  void showSelection(const app::FolderBrowser& browser);
};

}  // namespace tht::qt
