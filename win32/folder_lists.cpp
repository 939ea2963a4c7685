// The folder list, its path label and the drive list of the Win32 window:
// they show the folder browser's lines and hand it the double-clicks and
// the drive choices.
#include "win32/tmform.h"

namespace tht::win32 {

using namespace tht::app;

void TMForm::showFolderLines() {
  const HWND list = controls_[kDirectorios];
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const FolderLine& line : browser_.folderLines())
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.text.c_str()));
  SendMessageA(list, LB_SETCURSEL, browser_.selectedFolderLine(), 0);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);

  const HDC dc = GetDC(window_);
  const HGDIOBJ previous = SelectObject(dc, fonts_.bold);
  pathCaption_ = browser_.pathLabel(scaled(kPathLabelWidth, textHeight_),
                                    [dc](const std::string& text) { return textWidth(dc, text); });
  SelectObject(dc, previous);
  ReleaseDC(window_, dc);
  InvalidateRect(controls_[kDraw3D1], nullptr, FALSE);
}

void TMForm::buildDriveList() {
  for (const DriveLine& line : browser_.driveLines())
    SendMessageA(controls_[kUnidades], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.text.c_str()));
  showSelectedDrive();
}

void TMForm::showSelectedDrive() {
  const size_t selected = browser_.selectedDriveLine();
  SendMessageA(controls_[kUnidades], CB_SETCURSEL,
               selected < browser_.driveLines().size() ? static_cast<WPARAM>(selected) : static_cast<WPARAM>(-1), 0);
}

// After a double-click or a drive choice: the lists and the path label as
// the browser has them now; after a failure the error box, and the folder
// list stays as it was.
void TMForm::showFolderChange(const std::string& error) {
  if (!error.empty()) {
    sink_.error(error);
    SendMessageA(controls_[kDirectorios], LB_SETCURSEL, browser_.selectedFolderLine(), 0);
  } else {
    showFolderLines();
  }
  showSelectedDrive();
}

}  // namespace tht::win32
