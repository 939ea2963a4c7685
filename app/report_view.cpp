#include "app/report_view.h"

#include "platform/cp1252.h"

namespace tht::app {
namespace {

constexpr int kReportWidth = 640;
constexpr int kReportHeight = 400;
constexpr int kMargin = 8;
constexpr int kButtonWidth = 89;
constexpr int kButtonHeight = 25;

std::string withCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 32);
  for (const char c : text) {
    if (c == '\n') out.push_back('\r');
    out.push_back(c);
  }
  return out;
}

}  // namespace

std::string shownReport(const std::string& report, TextSystem system) {
  std::string shown = system == TextSystem::Windows ? withCrLf(report) : report;
  for (char& c : shown)
    if (c == '\0') c = '?';
  return shown;
}

std::string savedReport(const std::string& report, TextSystem system) {
  return system == TextSystem::Windows ? withCrLf(report) : cp1252ToUtf8(report);
}

ReportLayout reportLayout(int textHeight) {
  const int buttonsTop = kReportHeight - kMargin - kButtonHeight;
  const Rect design[kReportControlCount] = {
      {kMargin, kMargin, kReportWidth - 2 * kMargin, buttonsTop - 2 * kMargin},
      {kReportWidth - 2 * (kMargin + kButtonWidth), buttonsTop, kButtonWidth, kButtonHeight},
      {kReportWidth - kMargin - kButtonWidth, buttonsTop, kButtonWidth, kButtonHeight},
  };
  ReportLayout layout;
  layout.width = scaled(kReportWidth, textHeight);
  layout.height = scaled(kReportHeight, textHeight);
  for (int i = 0; i < kReportControlCount; ++i)
    layout.boxes[i] = {scaled(design[i].left, textHeight), scaled(design[i].top, textHeight),
                       scaled(design[i].width, textHeight), scaled(design[i].height, textHeight)};
  return layout;
}

ReportAction reportKeyAction(ReportKey key, ReportControl focused) {
  if (key == ReportKey::Escape) return ReportAction::Close;
  switch (focused) {
    case kReportSave: return ReportAction::Save;
    case kReportClose: return ReportAction::Close;
    default: return ReportAction::Nothing;
  }
}

}  // namespace tht::app
