// The report window that "Comprobar" opens: the report's text as each
// system's text box shows it, the bytes "Guardar..." writes, where the
// window's controls stand, and what its keys do. The window is modal and
// captioned with the application title, as the message boxes are; its text
// box is read-only, so that the text can be selected and copied.
#pragma once

#include <array>
#include <string>

#include "app/layout.h"

namespace tht::app {

// The system whose conventions a text follows.
enum class TextSystem { Windows, Linux };
#ifdef _WIN32
constexpr TextSystem kThisSystem = TextSystem::Windows;
#else
constexpr TextSystem kThisSystem = TextSystem::Linux;
#endif

// The report (report::text(): code page 1252, "\n" after every line) as the
// window's text box takes it, in code page 1252: on Windows each line ended
// by CR LF, where an EDIT control breaks lines; elsewhere by LF. A NUL byte,
// which would end the text box's text there, shows as '?'.
std::string shownReport(const std::string& report, TextSystem system);

// What "Guardar..." writes: on Windows code page 1252 with CR LF, as Notepad
// reads it; elsewhere UTF-8 with LF. Every byte of the report kept.
std::string savedReport(const std::string& report, TextSystem system);

constexpr const char* kReportSaveCaption = "Guardar...";
constexpr const char* kReportCloseCaption = "Cerrar";
// The name the save dialog offers, in the TEBA folder.
constexpr const char* kReportFileName = "comprobacion.txt";

// The report window's controls, in their Tab order.
enum ReportControl : int { kReportText, kReportSave, kReportClose, kReportControlCount };

struct ReportLayout {
  int width = 0, height = 0;  // the client area
  std::array<Rect, kReportControlCount> boxes{};
};

// In design units scaled by the window font's text height, as the main
// window is: the text box over the width, the two buttons (the main
// window's button size) under it at the right, "Cerrar" last.
ReportLayout reportLayout(int textHeight);

enum class ReportKey { Enter, Escape };
enum class ReportAction { Nothing, Save, Close };

// Escape closes the window wherever the focus is; Enter presses the focused
// button and does nothing in the text box: the window has no default
// button, so Enter never saves by itself.
ReportAction reportKeyAction(ReportKey key, ReportControl focused);

}  // namespace tht::app
