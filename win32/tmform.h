// The main window TMForm in the Win32 API: three gradient panels that paint
// their own labels, the glyph buttons, the folder list and the drive list;
// "Comprobar" opens the report window (win32/report_window.*).
// Where things go and what keys and buttons do is decided in app/; this
// class creates the windows and wires their messages. Painting is in
// win32/painting.*, hosting in win32/hosting.*, the window procedures in
// win32/window_procs.cpp and the folder and drive lists in
// win32/folder_lists.cpp.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "app/folder_browser.h"
#include "app/keys.h"
#include "app/layout.h"
#include "app/run_controller.h"
#include "win32/boxes.h"
#include "win32/hosting.h"
#include "win32/painting.h"

namespace tht::win32 {

struct FormSettings {
  std::vector<std::string> parameters;  // as counted
  std::string iniPath;                  // "Horavent.ini" beside the program
  std::string workFolder;               // "C:\HTEMP"
  std::string title;                    // the application title
};

class TMForm {
 public:
  TMForm(HINSTANCE instance, FormSettings settings);
  ~TMForm();
  TMForm(const TMForm&) = delete;
  TMForm& operator=(const TMForm&) = delete;

  // Builds the window and fixes the mode. False when the window cannot be
  // shown where the host wants it: the program then ends.
  bool FormCreate();
  void show();

  // The window's own keys, taken before the controls see them: Enter, Tab,
  // Escape, Alt+S, Alt+F4. True when the message was handled.
  bool handleKey(const MSG& message);

  HWND handle() const { return window_; }

 private:
  static constexpr char kFormClass[] = "TMForm";
  static constexpr char kPanelClass[] = "TDraw3D";

  // win32/window_procs.cpp
  static void registerClasses(HINSTANCE instance);
  static LRESULT CALLBACK formProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK panelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT onPanelMessage(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);
  void onCommand(HWND control, int code);
  void onDrawItem(const DRAWITEMSTRUCT& item);
  void paint(HWND panel, HDC target);

  // win32/tmform.cpp
  void createControls();
  void place(const app::WindowLayout& layout);
  int componentOf(HWND control) const;
  void BExportarClick();
  void BImportarClick();
  void BCloseClick();
  void BComprobarClick();
  void press(app::EnterPress what);
  void focusFirst();
  void close();
  void hostGone();

  // win32/folder_lists.cpp
  void showFolderLines();
  void buildDriveList();
  void showSelectedDrive();
  void showFolderChange(const std::string& error);

  HINSTANCE instance_;
  FormSettings settings_;
  DialogSink sink_;
  WindowNotifier notifier_;
  app::RunController controller_;
  app::FolderBrowser browser_;
  Hosting hosting_;

  HWND window_ = nullptr;
  std::array<HWND, app::kComponentCount> controls_{};  // panels, buttons, lists; 0 for labels
  app::WindowLayout layout_;
  int textHeight_ = app::kDesignTextHeight;
  Fonts fonts_;
  HBRUSH listBrush_ = nullptr;
  std::string pathCaption_;  // Label2
  HWND lastFocus_ = nullptr;
  bool closing_ = false;
};

}  // namespace tht::win32
