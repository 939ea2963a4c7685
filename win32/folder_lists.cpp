// The folder list, its path label and the drive list of the Win32 window.
#include <cstring>

#include "app/path_label.h"
#include "core/error_texts.h"
#include "platform/folders.h"
#include "win32/tmform.h"

namespace tht::win32 {
namespace {

using namespace tht::app;

char upperLetter(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool TMForm::changeFolder(const std::string& folder) {
  if (!SetCurrentDirectoryA(folder.c_str())) {
    sink_.error(inOutErrorMessage(static_cast<int>(GetLastError())));
    SendMessageA(controls_[kDirectorios], LB_SETCURSEL, folders_.selected, 0);  // the list stays
    return false;
  }
  currentFolder_ = workingDirectory();
  rebuildFolderList();
  updatePathLabel();
  followFolderList();
  return true;
}

void TMForm::rebuildFolderList() {
  std::vector<std::string> subfolders;
  const std::string pattern = currentFolder_ + (!currentFolder_.empty() && currentFolder_.back() == '\\' ? "*" : "\\*");
  WIN32_FIND_DATAA entry;
  const HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const DWORD attributes = entry.dwFileAttributes;
      if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) || (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
        continue;
      if (std::strcmp(entry.cFileName, ".") == 0 || std::strcmp(entry.cFileName, "..") == 0) continue;
      subfolders.emplace_back(entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  DWORD flags = FS_CASE_IS_PRESERVED;
  const std::string root = currentFolder_.substr(0, 3);
  if (!GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0))
    flags = FS_CASE_IS_PRESERVED;
  folders_ = folderLines(currentFolder_, '\\', std::move(subfolders), (flags & FS_CASE_IS_PRESERVED) != 0);

  const HWND list = controls_[kDirectorios];
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const FolderLine& line : folders_.lines)
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.text.c_str()));
  SendMessageA(list, LB_SETCURSEL, folders_.selected, 0);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void TMForm::updatePathLabel() {
  const HDC dc = GetDC(window_);
  const HGDIOBJ previous = SelectObject(dc, fonts_.bold);
  pathCaption_ = shortenPath(
      currentFolder_, scaled(kPathLabelWidth, textHeight_), [dc](const std::string& text) { return textWidth(dc, text); },
      '\\');
  SelectObject(dc, previous);
  ReleaseDC(window_, dc);
  InvalidateRect(controls_[kDraw3D1], nullptr, FALSE);
}
void TMForm::buildDriveList() {
  const DWORD present = GetLogicalDrives();
  for (int letter = 0; letter < 26; ++letter) {
    if (!(present & (1u << letter))) continue;
    const std::string root = std::string(1, static_cast<char>('A' + letter)) + ":\\";
    DriveKind kind;
    switch (GetDriveTypeA(root.c_str())) {
      case DRIVE_REMOVABLE: kind = DriveKind::Removable; break;
      case DRIVE_FIXED: kind = DriveKind::Fixed; break;
      case DRIVE_REMOTE: kind = DriveKind::Network; break;
      case DRIVE_CDROM: kind = DriveKind::Optical; break;
      case DRIVE_RAMDISK: kind = DriveKind::RamDisk; break;
      default: continue;
    }
    std::string network, label;
    if (kind == DriveKind::Network) {
      char remote[MAX_PATH + 1];
      DWORD length = sizeof remote;
      if (WNetGetConnectionA(root.substr(0, 2).c_str(), remote, &length) == NO_ERROR) network = remote;
    }
    if (kind != DriveKind::Removable && network.empty()) {
      char volume[MAX_PATH + 1];
      if (GetVolumeInformationA(root.c_str(), volume, sizeof volume, nullptr, nullptr, nullptr, nullptr, 0))
        label = volume;
    }
    const std::string name = std::string(1, static_cast<char>('a' + letter)) + ":";
    drives_.push_back({root, kind, driveText(name, kind, label, network)});
    SendMessageA(controls_[kUnidades], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drives_.back().text.c_str()));
  }
  followFolderList();
}

void TMForm::followFolderList() {
  if (currentFolder_.size() < 2 || currentFolder_[1] != ':') return;
  for (size_t i = 0; i < drives_.size(); ++i)
    if (drives_[i].root[0] == upperLetter(currentFolder_[0])) SendMessageA(controls_[kUnidades], CB_SETCURSEL, i, 0);
}

// The folder the system holds as current on the chosen drive (its root when
// it holds none). A drive that cannot be entered keeps its line; the folder
// list stays where it was.
void TMForm::chooseDrive(int index) {
  if (index < 0 || static_cast<size_t>(index) >= drives_.size()) return;
  const std::string drive = drives_[index].root.substr(0, 2);
  if (!currentFolder_.empty() && upperLetter(currentFolder_[0]) == drive[0]) return;  // already there
  char full[MAX_PATH + 1];
  const DWORD length = GetFullPathNameA(drive.c_str(), sizeof full, full, nullptr);
  const std::string target = length > 0 && length < sizeof full ? std::string(full, length) : drive + "\\";
  changeFolder(target);
}

}  // namespace tht::win32
