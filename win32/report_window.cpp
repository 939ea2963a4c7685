#include "win32/report_window.h"

#include <commdlg.h>

#include "app/report_view.h"

namespace tht::win32 {
namespace {

using namespace tht::app;

constexpr int kFirstControlId = 200;

struct ReportWindow {
  const ReportSettings* settings;
  const std::string* report;
  const SaveReport* save;
  HWND window = nullptr;
  HWND controls[kReportControlCount] = {};
  HFONT fixedFont = nullptr;
  HWND lastFocus = nullptr;  // the control that had the keyboard when another window took it
  bool done = false;
};

ReportWindow* stateOf(HWND window) { return reinterpret_cast<ReportWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

// GetSaveFileNameA, from comdlg32.dll loaded when first needed: linked in,
// the library and those it brings would load with every start of the
// program, which under Wine costs a good part of the time to the window.
BOOL saveFileDialog(OPENFILENAMEA* dialog) {
  using Function = BOOL(WINAPI*)(OPENFILENAMEA*);
  static const Function function = [] {
    const HMODULE library = LoadLibraryA("comdlg32.dll");
    return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, "GetSaveFileNameA")))
                   : nullptr;
  }();
  return function && function(dialog);
}

// The system's save dialog, starting in the TEBA folder; the file then
// goes through the platform's whole-file replacement.
void saveAs(ReportWindow& state) {
  char path[1024] = "";
  lstrcpynA(path, kReportFileName, sizeof path);
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = state.window;
  dialog.lpstrFilter = "Texto (*.txt)\0*.txt\0Todos los archivos (*.*)\0*.*\0";
  dialog.lpstrFile = path;
  dialog.nMaxFile = sizeof path;
  dialog.lpstrInitialDir = state.settings->folder.c_str();
  dialog.lpstrDefExt = "txt";
  // The working directory is the folder list's: the dialog must not move it.
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (saveFileDialog(&dialog)) (*state.save)(path, savedReport(*state.report, TextSystem::Windows));
}

void act(ReportWindow& state, ReportAction action) {
  if (action == ReportAction::Save) saveAs(state);
  if (action == ReportAction::Close) state.done = true;
}

LRESULT CALLBACK reportProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrA(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  ReportWindow* state = stateOf(window);
  if (!state) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && lParam) {
        const int control = LOWORD(wParam) - kFirstControlId;
        if (control == kReportSave) act(*state, ReportAction::Save);
        if (control == kReportClose) act(*state, ReportAction::Close);
      }
      return 0;
    case WM_CTLCOLORSTATIC:  // the read-only text box: the window colour, not the button face
      if (reinterpret_cast<HWND>(lParam) == state->controls[kReportText]) {
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      }
      break;
    case WM_ACTIVATE:  // back from the save dialog or a box: the keyboard where it was
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) state->lastFocus = focus;
      } else {
        SetFocus(state->lastFocus ? state->lastFocus : state->controls[kReportText]);
      }
      return 0;
    case WM_CLOSE:  // the close box, Alt+F4
      state->done = true;
      return 0;
    case WM_DESTROY:  // also when its owner goes
      state->done = true;
      state->window = nullptr;
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// Escape, Enter and Tab, before the controls see them. True when handled.
bool handleKey(ReportWindow& state, const MSG& message) {
  if (message.message != WM_KEYDOWN || !state.window ||
      (message.hwnd != state.window && !IsChild(state.window, message.hwnd)))
    return false;
  const HWND focus = GetFocus();
  int focused = kReportText;
  for (int i = 0; i < kReportControlCount; ++i)
    if (state.controls[i] == focus) focused = i;
  switch (message.wParam) {
    case VK_ESCAPE:
      act(state, reportKeyAction(ReportKey::Escape, static_cast<ReportControl>(focused)));
      return true;
    case VK_RETURN:
      act(state, reportKeyAction(ReportKey::Enter, static_cast<ReportControl>(focused)));
      return true;
    case VK_TAB: {
      const int step = GetKeyState(VK_SHIFT) < 0 ? kReportControlCount - 1 : 1;
      SetFocus(state.controls[(focused + step) % kReportControlCount]);
      return true;
    }
    default:
      return false;
  }
}

void create(ReportWindow& state) {
  const ReportSettings& settings = *state.settings;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = reportProc;
  windowClass.hInstance = settings.instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = kReportWindowClass;
  RegisterClassA(&windowClass);  // fails harmlessly the second time

  const ReportLayout layout = reportLayout(settings.textHeight);
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT outer{0, 0, layout.width, layout.height};
  AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  const int width = outer.right - outer.left, height = outer.bottom - outer.top;
  // A child of another program's window (hosted on Windows) cannot own it.
  const bool child = GetWindowLongA(settings.form, GWL_STYLE) & WS_CHILD;
  state.window = CreateWindowExA(exStyle, kReportWindowClass, settings.title.c_str(), style,
                                 (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
                                 width, height, child ? nullptr : settings.form, nullptr, settings.instance, &state);
  if (!state.window) return;

  const HDC screen = GetDC(nullptr);
  state.fixedFont = CreateFontA(-MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                FIXED_PITCH | FF_MODERN, "Courier New");
  ReleaseDC(nullptr, screen);
  struct Kind {
    const char* windowClass;
    const char* caption;
    DWORD style;
    DWORD exStyle;
    HFONT font;
  };
  const Kind kinds[kReportControlCount] = {
      {"EDIT", "",
       ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL | ES_NOHIDESEL,
       WS_EX_CLIENTEDGE, state.fixedFont},
      {"BUTTON", kReportSaveCaption, BS_PUSHBUTTON, 0, settings.buttonFont},
      {"BUTTON", kReportCloseCaption, BS_PUSHBUTTON, 0, settings.buttonFont},
  };
  for (int i = 0; i < kReportControlCount; ++i) {
    const Rect& box = layout.boxes[i];
    state.controls[i] = CreateWindowExA(kinds[i].exStyle, kinds[i].windowClass, kinds[i].caption,
                                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | kinds[i].style, box.left, box.top,
                                        box.width, box.height, state.window,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)),
                                        settings.instance, nullptr);
    SendMessageA(state.controls[i], WM_SETFONT, reinterpret_cast<WPARAM>(kinds[i].font), FALSE);
  }
  // The whole text in one call, with room for all of it (an EDIT control
  // otherwise takes some 30,000 characters). The control measures every
  // line as it takes the text, which under Wine takes a while for a
  // district's report (bench/RESULTS.md): the hourglass meanwhile.
  const HWND text = state.controls[kReportText];
  const HCURSOR pointer = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  SendMessageA(text, EM_SETLIMITTEXT, 0, 0);
  SendMessageA(text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(shownReport(*state.report, TextSystem::Windows).c_str()));
  SetCursor(pointer);
}

}  // namespace

void showReportWindow(const ReportSettings& settings, const std::string& report, DialogSink& sink,
                      const SaveReport& save) {
  ReportWindow state{&settings, &report, &save};
  create(state);
  if (!state.window) return;
  EnableWindow(settings.form, FALSE);
  sink.setWindow(state.window);
  ShowWindow(state.window, SW_SHOW);
  SetFocus(state.controls[kReportText]);
  MSG message;
  while (!state.done) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got <= 0) {  // the program ends (its host window went): the main loop must see it too
      PostQuitMessage(got == 0 ? static_cast<int>(message.wParam) : 0);
      break;
    }
    if (handleKey(state, message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  sink.setWindow(IsWindow(settings.form) ? settings.form : nullptr);
  if (IsWindow(settings.form)) EnableWindow(settings.form, TRUE);  // before the window goes, so that it is activated
  if (state.window) DestroyWindow(state.window);
  DeleteObject(state.fixedFont);
}

}  // namespace tht::win32
