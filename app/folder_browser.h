// The folder list and the drive list as the window shows them: the current
// folder, the lines of both lists with the selected one of each, the path
// label, and what a double-click on a folder line or the choice of a drive
// does. The system is reached through a FolderSystem only, so that tests can
// stand in for it. Texts of lines and labels are code page 1252; folders are
// the system's own bytes (platform/names.h).
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/drives.h"
#include "platform/files.h"
#include "platform/system_error.h"

namespace tht::app {

// What the browser asks of the system: the platform calls of the same names.
class FolderSystem {
 public:
  virtual ~FolderSystem() = default;
  virtual PathStyle pathStyle() const = 0;
  virtual std::string workingDirectory() = 0;
  virtual SystemError changeWorkingDirectory(const std::string& folder) = 0;
  virtual std::vector<std::string> visibleSubfolders(const std::string& folder) = 0;
  virtual bool keepsLetterCase(const std::string& folder) = 0;
  virtual std::vector<DriveInfo> drives() = 0;
  virtual std::string folderHeldOnDrive(const std::string& root) = 0;
};

// The running system's calls.
class SystemFolders : public FolderSystem {
 public:
  PathStyle pathStyle() const override;
  std::string workingDirectory() override;
  SystemError changeWorkingDirectory(const std::string& folder) override;
  std::vector<std::string> visibleSubfolders(const std::string& folder) override;
  bool keepsLetterCase(const std::string& folder) override;
  std::vector<DriveInfo> drives() override;
  std::string folderHeldOnDrive(const std::string& root) override;
};
FolderSystem& systemFolders();

enum class FolderIcon { Open, Current, Closed };

struct FolderLine {
  std::string text;    // as shown
  std::string target;  // the folder a double-click makes current
  int indent = 0;      // the icon's distance from the line's left edge, in pixels
  FolderIcon icon = FolderIcon::Open;
};

struct DriveLine {
  std::string text;  // as shown
  DriveKind kind = DriveKind::Fixed;
};

class FolderBrowser {
 public:
  // Starts at the process's working directory; the drive list is built here,
  // once.
  explicit FolderBrowser(FolderSystem& system);

  // The current folder: a drive's root keeps its separator ("C:\", "/"),
  // any other folder has none at the end. The runs' TEBA folder.
  const std::string& currentFolder() const { return current_; }

  // The root, the folders down to the current one (its line selected), and
  // its subfolders sorted ignoring case; names in lower case on a volume
  // that does not keep letter case.
  const std::vector<FolderLine>& folderLines() const { return lines_; }
  size_t selectedFolderLine() const { return selectedLine_; }

  // One line per drive: "c: [label]" ("/media/usb [label]" for a mount
  // point), "a:" for a removable drive, "z: \\server\share" for a network
  // drive whose resource is known; label and resource in lower case.
  const std::vector<DriveLine>& driveLines() const { return driveLines_; }
  // The current folder's drive, or the drive last chosen when it could not
  // be entered; driveLines().size() when no drive holds the current folder.
  size_t selectedDriveLine() const { return selectedDrive_; }

  // The path label: the current folder as shown, shortened to fit
  // `maxWidth` as `width` measures a text in the label's font.
  std::string pathLabel(int maxWidth, const std::function<int(const std::string&)>& width) const;

  // A double-click on folder line `index`, and the choice of drive line
  // `index`: the line's folder, or the folder the system holds as current on
  // the drive, becomes the current folder and the working directory. Where
  // the system holds none on a drive (Linux), the folder last visited there,
  // else its root. Returns the error box's text ("Error de E/S %d") when the
  // folder cannot be entered, and then changes nothing but the drive list's
  // selection, which stays on the chosen drive; empty otherwise.
  std::string openFolderLine(size_t index);
  std::string chooseDrive(size_t index);

 private:
  std::string enter(const std::string& folder);
  void buildFolderLines();
  size_t driveOf(const std::string& folder) const;

  FolderSystem& system_;
  PathStyle style_;
  std::string current_;
  std::vector<FolderLine> lines_;
  size_t selectedLine_ = 0;
  std::vector<DriveInfo> drives_;
  std::vector<DriveLine> driveLines_;
  size_t selectedDrive_ = 0;
  std::map<std::string, std::string> lastVisited_;  // a drive's root -> the folder last current there
};

}  // namespace tht::app
