#include "win32/painting.h"

namespace tht::win32 {
namespace {

constexpr int kGlyphGap = 4;
constexpr int kIconTextGap = 4;

void fillRect(HDC dc, const RECT& box, COLORREF colour) {
  const HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &box, brush);
  DeleteObject(brush);
}

std::string withoutMnemonic(std::string caption) {
  const size_t amp = caption.find('&');
  if (amp != std::string::npos) caption.erase(amp, 1);
  return caption;
}

void paintLabel(HDC dc, const PanelLabel& label, const Fonts& fonts) {
  const HGDIOBJ previousFont = SelectObject(dc, fonts.of(label.font));
  SetTextColor(dc, label.textColour < 0 ? GetSysColor(COLOR_WINDOWTEXT) : static_cast<COLORREF>(label.textColour));
  if (label.background >= 0) {
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, static_cast<COLORREF>(label.background));
  } else {
    SetBkMode(dc, TRANSPARENT);
  }
  const app::Rect& box = label.box;
  if (box.width > 0) {
    RECT wrap{box.left, box.top, box.left + box.width, box.top + box.height};
    DrawTextA(dc, label.text.c_str(), static_cast<int>(label.text.size()), &wrap,
              DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
  } else {
    TextOutA(dc, box.left, box.top, label.text.c_str(), static_cast<int>(label.text.size()));
  }
  SelectObject(dc, previousFont);
}

}  // namespace

HFONT Fonts::of(app::FontKind kind) const {
  switch (kind) {
    case app::FontKind::Heading: return heading;
    case app::FontKind::Bold: return bold;
    case app::FontKind::Window: break;
  }
  return window;
}

int textWidth(HDC dc, const std::string& text) {
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

void paintPanel(HDC target, int width, int height, const app::GradientColours& colours,
                const std::vector<PanelLabel>& labels, const Fonts& fonts) {
  const HDC image = CreateCompatibleDC(target);
  const HBITMAP bitmap = CreateCompatibleBitmap(target, width, height);
  const HGDIOBJ previousBitmap = SelectObject(image, bitmap);

  // The gradient, in runs of rows of one colour.
  const std::vector<app::Rgb> rows = app::gradientRows(height, colours);
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

  for (bool opaquePass : {true, false})
    for (const PanelLabel& label : labels)
      if ((label.background >= 0) == opaquePass) paintLabel(image, label, fonts);

  BitBlt(target, 0, 0, width, height, image, 0, 0, SRCCOPY);  // in one step: no flicker
  SelectObject(image, previousBitmap);
  DeleteObject(bitmap);
  DeleteDC(image);
}

void drawGlyphButton(const DRAWITEMSTRUCT& item, const std::string& caption, Glyph glyph, bool isDefault,
                     HFONT font) {
  const HDC dc = item.hDC;
  RECT box = item.rcItem;
  const bool pushed = item.itemState & ODS_SELECTED;
  if (isDefault) {
    FrameRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&box, -1, -1);
  }
  DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
  const HGDIOBJ previousFont = SelectObject(dc, font);
  const int captionWidth = textWidth(dc, withoutMnemonic(caption));
  const int width = item.rcItem.right - item.rcItem.left, height = item.rcItem.bottom - item.rcItem.top;
  const int shift = pushed ? 1 : 0;
  const int left = (width - (kGlyphSize + kGlyphGap + captionWidth)) / 2 + shift;
  drawGlyph(dc, left, (height - kGlyphSize) / 2 + shift, glyph);
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

void drawListLine(const DRAWITEMSTRUCT& item, int iconLeft, const std::function<void(HDC, int x, int y)>& drawIcon,
                  const std::string& text, HFONT font, HBRUSH background) {
  const HDC dc = item.hDC;
  const bool selected = item.itemState & ODS_SELECTED;
  FillRect(dc, &item.rcItem, selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : background);
  const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - kIconSize) / 2;
  if (drawIcon) drawIcon(dc, item.rcItem.left + iconLeft, top);
  RECT box = item.rcItem;
  box.left += iconLeft + kIconSize + kIconTextGap;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const HGDIOBJ previousFont = SelectObject(dc, font);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, previousFont);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_COMBOBOXEDIT)) DrawFocusRect(dc, &item.rcItem);
}

}  // namespace tht::win32
