// The window's own widgets: the gradient panel, the button with a glyph, the
// folder list with its path label, and the drive list.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/gradient.h"
#include "qt/mounts.h"

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

enum class Glyph { Tick, Exit };

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

// Shows an input/output error the way the window's error box does.
using ErrorReporter = std::function<void(const std::string& message)>;

// The folder list: the root, the folders down to the current one, and the
// current folder's subfolders. Its current folder is the process's working
// directory; double-clicking a line moves there.
class FolderList : public QListWidget {
 public:
  FolderList(QWidget* parent, ErrorReporter reportError);
  // The current folder's text: the working directory, "/" at the root.
  std::string currentFolder() const { return current_; }
  // Makes `folder` the working directory and rebuilds the list; an error
  // leaves everything as it was, reports it and returns false.
  bool changeFolder(const std::string& folder);
  // Called after every change of folder.
  std::function<void()> folderChanged;
  // The x offset of the icon of line `row`, as the line is drawn.
  int iconIndent(int row) const;

 private:
  void rebuild();
  void openLine(QListWidgetItem* item);

  ErrorReporter reportError_;
  std::string current_;
  std::vector<std::string> targets_;  // the folder each line leads to
};

// The drive list: the mounted file systems; choosing one moves the folder
// list to the folder last visited there, or to its mount point.
class DriveList : public QComboBox {
 public:
  DriveList(QWidget* parent, FolderList& folders, std::vector<app::Drive> drives, ErrorReporter reportError);
  // Selects the drive of the folder list's current folder.
  void followFolderList();
  const std::vector<app::Drive>& drives() const { return drives_; }

 private:
  void choose(int index);

  FolderList& folders_;
  std::vector<app::Drive> drives_;
  std::map<std::string, std::string> lastVisited_;  // mount point -> folder
  ErrorReporter reportError_;
  bool following_ = false;
};

}  // namespace tht::qt
