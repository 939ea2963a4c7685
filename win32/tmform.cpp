#include "win32/tmform.h"

#include <cstring>

#include "app/command_line.h"
#include "app/gradient.h"
#include "app/path_label.h"
#include "win32/glyphs.h"

namespace tht::win32 {
namespace {

using namespace tht::app;

constexpr char kFormClass[] = "TMForm";
constexpr char kPanelClass[] = "TDraw3D";
constexpr char kTaskbarClass[] = "TApplication";
constexpr int kFirstControlId = 100;
constexpr UINT_PTR kHostWatch = 1;
constexpr int kGlyphGap = 4;
constexpr int kDriveListLines = 8;

bool isPanel(int component) { return component == kDraw3D1 || component == kDraw3D2 || component == kDraw3D3; }
bool isLabel(int component) { return componentTable()[component].name[0] == 'L'; }

COLORREF colourOf(int32_t value) { return static_cast<COLORREF>(value); }

HFONT createFont(int height, bool bold, const char* face) {
  return CreateFontA(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

int textWidth(HDC dc, const std::string& text) {
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

std::string withoutMnemonic(std::string caption) {
  const size_t amp = caption.find('&');
  if (amp != std::string::npos) caption.erase(amp, 1);
  return caption;
}

std::string workingDirectory() {
  char buffer[MAX_PATH + 1];
  const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
  return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

char upperLetter(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string ioError(DWORD code) { return "Error de E/S " + std::to_string(code); }

void fillRect(HDC dc, const RECT& box, COLORREF colour) {
  const HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &box, brush);
  DeleteObject(brush);
}

TMForm* formOf(HWND window) { return reinterpret_cast<TMForm*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

}  // namespace

TMForm::TMForm(HINSTANCE instance, FormSettings settings)
    : instance_(instance),
      settings_(std::move(settings)),
      sink_(settings_.title),
      notifier_(sink_),
      controller_(settings_.iniPath, settings_.workFolder, notifier_, sink_) {
  WNDCLASSA form{};
  form.lpfnWndProc = formProc;
  form.hInstance = instance;
  form.hCursor = LoadCursor(nullptr, IDC_ARROW);
  form.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  form.lpszClassName = kFormClass;
  RegisterClassA(&form);
  WNDCLASSA panel{};
  panel.lpfnWndProc = panelProc;
  panel.hInstance = instance;
  panel.hCursor = LoadCursor(nullptr, IDC_ARROW);
  panel.lpszClassName = kPanelClass;
  RegisterClassA(&panel);
  WNDCLASSA taskbar{};
  taskbar.lpfnWndProc = taskbarProc;
  taskbar.hInstance = instance;
  taskbar.lpszClassName = kTaskbarClass;
  RegisterClassA(&taskbar);

  // The window font, and the scale that its text height gives every measure.
  const HDC screen = GetDC(nullptr);
  const int pointHeight = MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
  windowFont_ = createFont(pointHeight, false, "MS Sans Serif");
  boldFont_ = createFont(pointHeight, true, "MS Sans Serif");
  const HGDIOBJ previous = SelectObject(screen, windowFont_);
  TEXTMETRICA metrics{};
  if (GetTextMetricsA(screen, &metrics) && metrics.tmHeight > 0) textHeight_ = metrics.tmHeight;
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  headingFont_ = createFont(scaled(16, textHeight_), true, "Arial");
  listBrush_ = CreateSolidBrush(colourOf(kListBackground));
  layout_ = standAloneLayout(textHeight_);
}

TMForm::~TMForm() {
  if (window_) DestroyWindow(window_);
  if (taskbarButton_) DestroyWindow(taskbarButton_);
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(windowFont_), static_cast<HGDIOBJ>(boldFont_),
                         static_cast<HGDIOBJ>(headingFont_), static_cast<HGDIOBJ>(listBrush_)})
    if (object) DeleteObject(object);
}

bool TMForm::FormCreate() {
  // The window as built: a fixed dialog frame, a caption bar with only the
  // close box, the client area of the layout.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;
  RECT outer{0, 0, layout_.width, layout_.height};
  AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  window_ = CreateWindowExA(exStyle, kFormClass, kWindowCaption, style, CW_USEDEFAULT, CW_USEDEFAULT,
                            outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance_, this);
  if (!window_) return false;
  sink_.setWindow(window_);
  createControls();
  place(layout_);
  currentFolder_ = workingDirectory();
  rebuildFolderList();
  buildDriveList();
  updatePathLabel();

  const LaunchPlan plan = controller_.FormCreate(settings_.parameters);
  if (!plan.hosted) return true;
  const HWND host = reinterpret_cast<HWND>(static_cast<UINT_PTR>(plan.handle));
  if (host && !IsWindow(host)) {
    sink_.error(noHostWindowMessage(plan.handle));
    return false;
  }
  // Hosted: the stand-alone window's outer size, all of it client area now.
  const int width = layout_.width + 2 * GetSystemMetrics(SM_CXDLGFRAME);
  const int height = layout_.height + GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYDLGFRAME);
  DWORD hostedStyle = GetWindowLongA(window_, GWL_STYLE) & ~(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_POPUP);
  hostedStyle |= host ? WS_CHILD : WS_POPUP;
  SetWindowLongA(window_, GWL_STYLE, static_cast<LONG>(hostedStyle));
  SetWindowLongA(window_, GWL_EXSTYLE,
                 GetWindowLongA(window_, GWL_EXSTYLE) & ~(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_APPWINDOW));
  if (host) {
    SetParent(window_, host);
    host_ = host;
    // A host window that goes away takes this one with it; should its
    // destruction not reach this window, the watch notices it.
    SetTimer(window_, kHostWatch, 250, nullptr);
    // A child window has no taskbar button: an empty top-level window with
    // the application title stands for the program there.
    taskbarButton_ = CreateWindowExA(WS_EX_APPWINDOW, kTaskbarClass, settings_.title.c_str(),
                                     WS_POPUP | WS_CAPTION | WS_SYSMENU, GetSystemMetrics(SM_CXSCREEN) / 2,
                                     GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr, nullptr, instance_, this);
  }
  SetWindowPos(window_, nullptr, 2, 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  controller_.becameHosted(plan);
  place(hostedLayout(textHeight_, plan.direction, width, height));
  return true;
}

void TMForm::show() {
  if (taskbarButton_) ShowWindow(taskbarButton_, SW_SHOWNOACTIVATE);
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  if (host_) focusFirst();  // a child window is never activated itself
}

void TMForm::createControls() {
  const auto& table = componentTable();
  for (int i = 0; i < kComponentCount; ++i) {
    if (isLabel(i)) continue;  // painted by their panels
    const HWND parent = table[i].parent < 0 ? window_ : controls_[table[i].parent];
    const char* windowClass = "BUTTON";
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    if (isPanel(i)) {
      windowClass = kPanelClass;
      style |= WS_CLIPCHILDREN;
    } else if (i == kDirectorios) {
      windowClass = "LISTBOX";
      style |= WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY |
               LBS_NOINTEGRALHEIGHT;
    } else if (i == kUnidades) {
      windowClass = "COMBOBOX";
      style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
    } else {
      style |= WS_TABSTOP | BS_OWNERDRAW;
    }
    controls_[i] = CreateWindowExA(isPanel(i) ? WS_EX_CONTROLPARENT : 0, windowClass, table[i].caption, style, 0, 0,
                                   0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)),
                                   instance_, this);
    SendMessageA(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_), FALSE);
  }
}

void TMForm::place(const WindowLayout& layout) {
  layout_ = layout;
  for (int i = 0; i < kComponentCount; ++i) {
    if (!controls_[i]) continue;
    const Rect& box = layout.boxes[i];
    int height = box.height;
    if (i == kUnidades) height = (kDriveListLines + 1) * scaled(kFolderLineHeight, textHeight_) + 8;
    MoveWindow(controls_[i], box.left, box.top, box.width, height, TRUE);
  }
  ShowWindow(controls_[kDraw3D2], layout.exportShown ? SW_SHOW : SW_HIDE);
  ShowWindow(controls_[kDraw3D3], layout.importShown ? SW_SHOW : SW_HIDE);
}

// ---- painting

void TMForm::paintPanel(HWND panel, HDC target) {
  RECT area;
  GetClientRect(panel, &area);
  const int width = area.right, height = area.bottom;
  const HDC image = CreateCompatibleDC(target);
  const HBITMAP bitmap = CreateCompatibleBitmap(target, width, height);
  const HGDIOBJ previousBitmap = SelectObject(image, bitmap);

  // The gradient, in runs of rows of one colour.
  const bool folderPanel = panel == controls_[kDraw3D1];
  const std::vector<Rgb> rows = gradientRows(height, folderPanel ? kFolderPanelGradient : kRunPanelGradient);
  for (int top = 0; top < height;) {
    int bottom = top + 1;
    while (bottom < height && rows[bottom] == rows[top]) ++bottom;
    fillRect(image, {0, top, width, bottom}, RGB(rows[top].red, rows[top].green, rows[top].blue));
    top = bottom;
  }
  // The raised bevel, one pixel wide.
  fillRect(image, {0, 0, width, 1}, GetSysColor(COLOR_BTNHIGHLIGHT));
  fillRect(image, {0, 0, 1, height}, GetSysColor(COLOR_BTNHIGHLIGHT));
  fillRect(image, {0, height - 1, width, height}, GetSysColor(COLOR_BTNSHADOW));
  fillRect(image, {width - 1, 0, width, height}, GetSysColor(COLOR_BTNSHADOW));

  // The panel's labels, the opaque ones first so that none hides another's text.
  int self = kDraw3D1;
  for (int i : {kDraw3D1, kDraw3D2, kDraw3D3})
    if (controls_[i] == panel) self = i;
  const auto& table = componentTable();
  for (bool opaquePass : {true, false}) {
    for (int i = 0; i < kComponentCount; ++i) {
      const ComponentSpec& entry = table[i];
      if (!isLabel(i) || entry.parent != self || (entry.background >= 0) != opaquePass) continue;
      const std::string text = i == kLabel2 ? pathCaption_ : entry.caption;
      const Rect& box = layout_.boxes[i];
      const HGDIOBJ previousFont = SelectObject(
          image, entry.font == FontKind::Heading ? headingFont_ : entry.font == FontKind::Bold ? boldFont_ : windowFont_);
      SetTextColor(image, entry.textColour < 0 ? GetSysColor(COLOR_WINDOWTEXT) : colourOf(entry.textColour));
      if (entry.background >= 0) {
        SetBkMode(image, OPAQUE);
        SetBkColor(image, colourOf(entry.background));
      } else {
        SetBkMode(image, TRANSPARENT);
      }
      if (box.width > 0) {
        RECT wrap{box.left, box.top, box.left + box.width, box.top + box.height};
        DrawTextA(image, text.c_str(), static_cast<int>(text.size()), &wrap, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
      } else {
        TextOutA(image, box.left, box.top, text.c_str(), static_cast<int>(text.size()));
      }
      SelectObject(image, previousFont);
    }
  }
  BitBlt(target, 0, 0, width, height, image, 0, 0, SRCCOPY);  // in one step: no flicker
  SelectObject(image, previousBitmap);
  DeleteObject(bitmap);
  DeleteDC(image);
}

void TMForm::drawButton(const DRAWITEMSTRUCT& item) {
  const HDC dc = item.hDC;
  RECT box = item.rcItem;
  const bool pushed = item.itemState & ODS_SELECTED;
  const int component = static_cast<int>(item.CtlID) - kFirstControlId;
  if (component != kBClose) {  // a default button: the dark outer frame
    FrameRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&box, -1, -1);
  }
  DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
  const std::string caption = componentTable()[component].caption;
  const HGDIOBJ previousFont = SelectObject(dc, windowFont_);
  const int captionWidth = textWidth(dc, withoutMnemonic(caption));
  const int width = item.rcItem.right - item.rcItem.left, height = item.rcItem.bottom - item.rcItem.top;
  const int shift = pushed ? 1 : 0;
  const int left = (width - (kGlyphSize + kGlyphGap + captionWidth)) / 2 + shift;
  drawGlyph(dc, left, (height - kGlyphSize) / 2 + shift, component == kBClose ? Glyph::Exit : Glyph::Tick);
  RECT text{left + kGlyphSize + kGlyphGap, shift, left + kGlyphSize + kGlyphGap + captionWidth + 1, height + shift};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, previousFont);
  if (item.itemState & ODS_FOCUS) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -4, -4);
    DrawFocusRect(dc, &focus);
  }
}

// A list line's text, `left` pixels from the line's left, vertically
// centred, in the window font and the colour of a selected or plain line.
void TMForm::drawLineText(const DRAWITEMSTRUCT& item, int left, const std::string& text) {
  const HDC dc = item.hDC;
  RECT box = item.rcItem;
  box.left += left;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor((item.itemState & ODS_SELECTED) ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const HGDIOBJ previousFont = SelectObject(dc, windowFont_);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, previousFont);
}

void TMForm::drawFolderLine(const DRAWITEMSTRUCT& item) {
  if (item.itemID >= folders_.lines.size()) return;
  const FolderLine& line = folders_.lines[item.itemID];
  const bool selected = item.itemState & ODS_SELECTED;
  const HDC dc = item.hDC;
  FillRect(dc, &item.rcItem, selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : listBrush_);
  const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - kIconSize) / 2;
  drawFolderIcon(dc, item.rcItem.left + line.indent, top, line.icon);
  drawLineText(item, line.indent + kIconSize + 4, line.text);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &item.rcItem);
}

void TMForm::drawDriveLine(const DRAWITEMSTRUCT& item) {
  const bool selected = item.itemState & ODS_SELECTED;
  const HDC dc = item.hDC;
  FillRect(dc, &item.rcItem, selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : listBrush_);
  if (item.itemID >= drives_.size()) return;
  const Drive& drive = drives_[item.itemID];
  const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - kIconSize) / 2;
  drawDriveIcon(dc, item.rcItem.left + 2, top, drive.kind);
  drawLineText(item, 2 + kIconSize + 4, drive.text);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_COMBOBOXEDIT)) DrawFocusRect(dc, &item.rcItem);
}

// ---- folder list, path label and drive list

bool TMForm::changeFolder(const std::string& folder) {
  if (!SetCurrentDirectoryA(folder.c_str())) {
    sink_.error(ioError(GetLastError()));
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
  const HGDIOBJ previous = SelectObject(dc, boldFont_);
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

// ---- runs, keys and close

void TMForm::BExportarClick() { closeAfterRun(controller_.BExportarClick(currentFolder_)); }

void TMForm::BImportarClick() { closeAfterRun(controller_.BImportarClick(currentFolder_)); }

void TMForm::closeAfterRun(bool closeNow) {
  if (closeNow) SendMessageA(window_, WM_CLOSE, 0, 0);
}

void TMForm::press(EnterPress what) {
  switch (what) {
    case EnterPress::ExportButton: return BExportarClick();
    case EnterPress::ImportButton: return BImportarClick();
    case EnterPress::CloseButton: SendMessageA(window_, WM_CLOSE, 0, 0); return;
    case EnterPress::Nothing:
    case EnterPress::Control: return;
  }
}

void TMForm::focusFirst() {
  const std::vector<Component> order = tabOrder(layout_.exportShown, layout_.importShown);
  SetFocus(lastFocus_ && IsWindowVisible(lastFocus_) ? lastFocus_ : controls_[order.front()]);
}

bool TMForm::handleKey(const MSG& message) {
  if (!window_ || (message.hwnd != window_ && !IsChild(window_, message.hwnd))) return false;
  const HWND focus = GetFocus();
  const bool dropped = focus == controls_[kUnidades] && SendMessageA(focus, CB_GETDROPPEDSTATE, 0, 0);
  if (message.message == WM_KEYDOWN) {
    switch (message.wParam) {
      case VK_RETURN: {
        Focused focused = Focused::FolderList;
        if (focus == controls_[kBExportar]) focused = Focused::ExportButton;
        else if (focus == controls_[kBImportar]) focused = Focused::ImportButton;
        else if (focus == controls_[kBClose]) focused = Focused::CloseButton;
        else if (focus == controls_[kUnidades]) focused = dropped ? Focused::OpenDriveList : Focused::DriveList;
        const EnterPress what = enterPresses(focused, layout_.exportShown, layout_.importShown);
        if (what == EnterPress::Control) return false;
        press(what);
        return true;
      }
      case VK_ESCAPE:
        return !dropped;  // nothing, but an open drive list closes
      case VK_TAB: {
        const std::vector<Component> order = tabOrder(layout_.exportShown, layout_.importShown);
        const int count = static_cast<int>(order.size());
        int at = -1;
        for (int i = 0; i < count; ++i)
          if (controls_[order[i]] == focus) at = i;
        const bool back = GetKeyState(VK_SHIFT) < 0;
        const int next = at < 0 ? 0 : (at + (back ? count - 1 : 1)) % count;
        SetFocus(controls_[order[next]]);
        return true;
      }
      default:
        return false;
    }
  }
  if (message.message == WM_SYSKEYDOWN) {
    if (message.wParam == 'S') {  // "&Salir"
      press(EnterPress::CloseButton);
      return true;
    }
    if (message.wParam == VK_F4) {  // hosted, the system would close the host's window
      PostMessageA(window_, WM_CLOSE, 0, 0);
      return true;
    }
  }
  return false;
}

void TMForm::hostGone() {
  if (closing_) return;
  closing_ = true;
  controller_.FormClose();  // the result is handed over; there is no window to keep
  if (IsWindow(window_)) DestroyWindow(window_);
  PostQuitMessage(0);
}

void TMForm::onCommand(HWND control, int code) {
  if (control == controls_[kBExportar] && code == BN_CLICKED) BExportarClick();
  else if (control == controls_[kBImportar] && code == BN_CLICKED) BImportarClick();
  else if (control == controls_[kBClose] && code == BN_CLICKED) SendMessageA(window_, WM_CLOSE, 0, 0);
  else if (control == controls_[kDirectorios] && code == LBN_DBLCLK) {
    const LRESULT line = SendMessageA(control, LB_GETCURSEL, 0, 0);
    if (line >= 0 && static_cast<size_t>(line) < folders_.lines.size()) changeFolder(folders_.lines[line].target);
  } else if (control == controls_[kUnidades] && code == CBN_SELCHANGE) {
    chooseDrive(static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0)));
  }
}

// ---- window procedures

LRESULT CALLBACK TMForm::formProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<TMForm*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    form->window_ = window;
  }
  TMForm* form = formOf(window);
  return form ? form->onMessage(message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

// The taskbar button's window: closing it from the taskbar closes the form.
LRESULT CALLBACK TMForm::taskbarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrA(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  TMForm* form = formOf(window);
  if (message == WM_CLOSE && form && form->window_) {
    PostMessageA(form->window_, WM_CLOSE, 0, 0);
    return 0;
  }
  if (message == WM_NCDESTROY && form) form->taskbarButton_ = nullptr;
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK TMForm::panelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrA(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  TMForm* form = formOf(window);
  return form ? form->onPanelMessage(window, message, wParam, lParam)
              : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT TMForm::onPanelMessage(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(panel, &paint);
      paintPanel(panel, dc);
      EndPaint(panel, &paint);
      return 0;
    }
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORLISTBOX:
      return onMessage(message, wParam, lParam);  // the controls' notices are the window's
    default:
      return DefWindowProcA(panel, message, wParam, lParam);
  }
}

LRESULT TMForm::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam) onCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
      return 0;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = scaled(kFolderLineHeight, textHeight_);
      return TRUE;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const int component = static_cast<int>(item.CtlID) - kFirstControlId;
      if (component == kDirectorios) drawFolderLine(item);
      else if (component == kUnidades) drawDriveLine(item);
      else drawButton(item);
      return TRUE;
    }
    case WM_CTLCOLORLISTBOX:
      SetBkColor(reinterpret_cast<HDC>(wParam), colourOf(kListBackground));
      return reinterpret_cast<LRESULT>(listBrush_);
    case WM_SETCURSOR:
      if (notifier_.isBusy()) {
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) lastFocus_ = focus;
      } else {
        focusFirst();
        return 0;
      }
      break;
    case WM_SETFOCUS:
      focusFirst();
      return 0;
    case WM_TIMER:
      if (wParam == kHostWatch && host_ && !IsWindow(host_)) hostGone();
      return 0;
    case WM_CLOSE:
      // Every close: the close box, Alt+F4, "&Salir", another program's
      // request, a hosted run's end.
      if (closing_) return 0;
      if (controller_.FormClose()) {
        closing_ = true;
        DestroyWindow(window_);
      }
      return 0;
    case WM_DESTROY:
      KillTimer(window_, kHostWatch);
      if (!closing_) {  // destroyed with the host window
        closing_ = true;
        controller_.FormClose();
      }
      window_ = nullptr;
      if (taskbarButton_) DestroyWindow(taskbarButton_);
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace tht::win32
