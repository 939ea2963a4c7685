#include "win32/tmform.h"

#include "app/command_line.h"
#include "win32/report_window.h"

namespace tht::win32 {
namespace {

using namespace tht::app;

constexpr int kFirstControlId = 100;
constexpr int kDriveListLines = 8;

HFONT createFont(int height, bool bold, const char* face) {
  return CreateFontA(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

// The window class of each kind of control, and its styles.
struct ControlClass {
  const char* name;
  DWORD style;
  DWORD exStyle;
};

ControlClass controlClass(ControlKind kind, const char* panelClass) {
  switch (kind) {
    case ControlKind::Panel:
      return {panelClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case ControlKind::FolderList:
      return {"LISTBOX",
              WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY |
                  LBS_NOINTEGRALHEIGHT,
              0};
    case ControlKind::DriveList:
      return {"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 0};
    case ControlKind::Button:
    case ControlKind::Label:
      break;
  }
  return {"BUTTON", WS_TABSTOP | BS_OWNERDRAW, 0};
}

}  // namespace

TMForm::TMForm(HINSTANCE instance, FormSettings settings)
    : instance_(instance),
      settings_(std::move(settings)),
      sink_(settings_.title),
      notifier_(sink_),
      controller_(settings_.iniPath, settings_.workFolder, notifier_, sink_),
      browser_(systemFolders()) {
  registerClasses(instance);
  // The window font, and the scale that its text height gives every measure.
  const HDC screen = GetDC(nullptr);
  const int pointHeight = MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
  fonts_.window = createFont(pointHeight, false, "MS Sans Serif");
  fonts_.bold = createFont(pointHeight, true, "MS Sans Serif");
  const HGDIOBJ previous = SelectObject(screen, fonts_.window);
  TEXTMETRICA metrics{};
  if (GetTextMetricsA(screen, &metrics) && metrics.tmHeight > 0) textHeight_ = metrics.tmHeight;
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  fonts_.heading = createFont(scaled(16, textHeight_), true, "Arial");
  listBrush_ = CreateSolidBrush(static_cast<COLORREF>(kListBackground));
  layout_ = standAloneLayout(textHeight_);
}

TMForm::~TMForm() {
  hosting_.detach();
  if (window_) DestroyWindow(window_);
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(fonts_.window), static_cast<HGDIOBJ>(fonts_.bold),
                         static_cast<HGDIOBJ>(fonts_.heading), static_cast<HGDIOBJ>(listBrush_)})
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
  showFolderLines();
  buildDriveList();

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
  hosting_.attach(window_, host, width, height, settings_.title, instance_);
  controller_.becameHosted(plan);
  place(hostedLayout(textHeight_, plan.direction, width, height));
  return true;
}

void TMForm::show() {
  if (!hosting_.show()) ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  if (hosting_.isChild()) focusFirst();  // a child window is never activated itself
}

void TMForm::createControls() {
  const auto& table = componentTable();
  for (int i = 0; i < kComponentCount; ++i) {
    if (table[i].kind == ControlKind::Label) continue;  // painted by their panels
    const HWND parent = table[i].parent < 0 ? window_ : controls_[table[i].parent];
    const ControlClass kind = controlClass(table[i].kind, kPanelClass);
    controls_[i] = CreateWindowExA(kind.exStyle, kind.name, table[i].caption,
                                   WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style, 0, 0, 0, 0, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)), instance_, this);
    SendMessageA(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.window), FALSE);
  }
}

int TMForm::componentOf(HWND control) const {
  for (int i = 0; i < kComponentCount; ++i)
    if (controls_[i] && controls_[i] == control) return i;
  return -1;
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

// ---- runs, keys and close

void TMForm::BExportarClick() {
  if (controller_.BExportarClick(browser_.currentFolder())) close();
}

void TMForm::BImportarClick() {
  if (controller_.BImportarClick(browser_.currentFolder())) close();
}

void TMForm::BCloseClick() { close(); }

// The report needs no run: the result code and the ini file stay as they are.
void TMForm::BComprobarClick() {
  const std::optional<std::string> report = controller_.BComprobarClick(browser_.currentFolder());
  if (!report) return;
  const ReportSettings settings{instance_, window_, settings_.title, browser_.currentFolder(), fonts_.window,
                                textHeight_};
  showReportWindow(settings, *report, sink_, [this](const std::string& path, const std::string& bytes) {
    return controller_.saveReport(path, bytes);
  });
}

// Every close goes through WM_CLOSE, and so through FormClose.
void TMForm::close() { SendMessageA(window_, WM_CLOSE, 0, 0); }

void TMForm::press(EnterPress what) {
  switch (what) {
    case EnterPress::ExportButton: return BExportarClick();
    case EnterPress::ImportButton: return BImportarClick();
    case EnterPress::CloseButton: return BCloseClick();
    case EnterPress::CheckButton: return BComprobarClick();
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
        switch (componentOf(focus)) {
          case kBExportar: focused = Focused::ExportButton; break;
          case kBImportar: focused = Focused::ImportButton; break;
          case kBClose: focused = Focused::CloseButton; break;
          case kBComprobar: focused = Focused::CheckButton; break;
          case kUnidades: focused = dropped ? Focused::OpenDriveList : Focused::DriveList; break;
          default: break;
        }
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
      BCloseClick();
      return true;
    }
    if (message.wParam == 'C') {  // "&Comprobar"
      BComprobarClick();
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

}  // namespace tht::win32
