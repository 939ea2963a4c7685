// The window procedures of the form and of its gradient panels: each
// message goes to what the form does with it.
#include "win32/tmform.h"

namespace tht::win32 {
namespace {

using namespace tht::app;

TMForm* formOf(HWND window) { return reinterpret_cast<TMForm*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

// Keeps the object passed to CreateWindowEx with the window.
void keepCreator(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrA(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
}

}  // namespace

void TMForm::registerClasses(HINSTANCE instance) {
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
}

LRESULT CALLBACK TMForm::formProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  keepCreator(window, message, lParam);
  TMForm* form = formOf(window);
  if (message == WM_NCCREATE && form) form->window_ = window;
  return form ? form->onMessage(message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK TMForm::panelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  keepCreator(window, message, lParam);
  TMForm* form = formOf(window);
  return form ? form->onPanelMessage(window, message, wParam, lParam)
              : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT TMForm::onPanelMessage(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_PAINT: {
      PAINTSTRUCT paintInfo;
      const HDC dc = BeginPaint(panel, &paintInfo);
      paint(panel, dc);
      EndPaint(panel, &paintInfo);
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

// A panel with the labels the component table puts on it.
void TMForm::paint(HWND panel, HDC target) {
  RECT area;
  GetClientRect(panel, &area);
  const int self = componentOf(panel);
  std::vector<PanelLabel> labels;
  const auto& table = componentTable();
  for (int i = 0; i < kComponentCount; ++i) {
    const ComponentSpec& entry = table[i];
    if (entry.kind != ControlKind::Label || entry.parent != self) continue;
    labels.push_back({i == kLabel2 ? pathCaption_ : entry.caption, layout_.boxes[i], entry.font, entry.textColour,
                      entry.background});
  }
  paintPanel(target, area.right, area.bottom, self == kDraw3D1 ? kFolderPanelGradient : kRunPanelGradient, labels,
             fonts_);
}

void TMForm::onDrawItem(const DRAWITEMSTRUCT& item) {
  const int component = componentOf(item.hwndItem);
  const bool valid = item.itemID != static_cast<UINT>(-1);
  switch (component) {
    case kDirectorios: {
      if (!valid || item.itemID >= browser_.folderLines().size()) return;
      const FolderLine& line = browser_.folderLines()[item.itemID];
      drawListLine(item, line.indent, [&line](HDC dc, int x, int y) { drawFolderIcon(dc, x, y, line.icon); },
                   line.text, fonts_.window, listBrush_);
      return;
    }
    case kUnidades: {
      if (!valid || item.itemID >= browser_.driveLines().size()) {
        FillRect(item.hDC, &item.rcItem, listBrush_);
        return;
      }
      const DriveLine& drive = browser_.driveLines()[item.itemID];
      drawListLine(item, 2, [&drive](HDC dc, int x, int y) { drawDriveIcon(dc, x, y, drive.kind); }, drive.text,
                   fonts_.window, listBrush_);
      return;
    }
    case kBExportar:
    case kBImportar:
      // The run buttons are default buttons: their dark outer frame.
      drawGlyphButton(item, componentTable()[component].caption, Glyph::Tick, true, fonts_.window);
      return;
    case kBClose:
    case kBComprobar:
      drawGlyphButton(item, componentTable()[component].caption,
                      component == kBClose ? Glyph::Exit : Glyph::Magnifier, false, fonts_.window);
      return;
    default:
      return;
  }
}

void TMForm::onCommand(HWND control, int code) {
  switch (componentOf(control)) {
    case kBExportar:
      if (code == BN_CLICKED) BExportarClick();
      return;
    case kBImportar:
      if (code == BN_CLICKED) BImportarClick();
      return;
    case kBClose:
      if (code == BN_CLICKED) BCloseClick();
      return;
    case kBComprobar:
      if (code == BN_CLICKED) BComprobarClick();
      return;
    case kDirectorios:
      if (code == LBN_DBLCLK) {
        const LRESULT line = SendMessageA(control, LB_GETCURSEL, 0, 0);
        if (line >= 0) showFolderChange(browser_.openFolderLine(static_cast<size_t>(line)));
      }
      return;
    case kUnidades:
      if (code == CBN_SELCHANGE) {
        const LRESULT index = SendMessageA(control, CB_GETCURSEL, 0, 0);
        if (index >= 0) showFolderChange(browser_.chooseDrive(static_cast<size_t>(index)));
      }
      return;
    default:
      return;
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
    case WM_DRAWITEM:
      onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLORLISTBOX:
      SetBkColor(reinterpret_cast<HDC>(wParam), static_cast<COLORREF>(kListBackground));
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
      if (wParam == Hosting::kHostWatch && !hosting_.watch()) hostGone();
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
      hosting_.detach();
      if (!closing_) {  // destroyed with the host window
        closing_ = true;
        controller_.FormClose();
      }
      window_ = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace tht::win32
