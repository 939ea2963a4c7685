// The report window of "Comprobar" in the Win32 API: the report in a
// read-only EDIT control, "Guardar..." (the system's save dialog) and
// "Cerrar". Modal: the main window is disabled while it is up, and owns it
// when it is a top-level window (stand-alone, and hosted under Wine, where
// it stands over the host), so that it stays in front of it. What it shows,
// writes and does with its keys comes from app/report_view.h.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "win32/boxes.h"

namespace tht::win32 {

struct ReportSettings {
  HINSTANCE instance = nullptr;
  HWND form = nullptr;   // the main window
  std::string title;     // the application title
  std::string folder;    // the TEBA folder: where the save dialog starts
  HFONT buttonFont = nullptr;
  int textHeight = 13;   // the main window font's, which scales the layout
};

// Writes the bytes to the path the user picked; false after the error box.
using SaveReport = std::function<bool(const std::string& path, const std::string& bytes)>;

// Shows `report` (as report::text() gives it) until the user closes the
// window; meanwhile the error boxes of `sink` (a failed save) belong to it.
// Should the program be told to quit meanwhile, the quit is passed on.
void showReportWindow(const ReportSettings& settings, const std::string& report, DialogSink& sink,
                      const SaveReport& save);

// The report window's class, for those who look for it.
constexpr char kReportWindowClass[] = "TReportForm";

}  // namespace tht::win32
