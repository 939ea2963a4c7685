// Painting the window's own controls with GDI: the gradient panels with
// their labels, the buttons with a glyph, and the lines of the folder and
// drive lists. What is painted where comes from app/; these functions only
// draw it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/gradient.h"
#include "app/layout.h"
#include "win32/glyphs.h"

namespace tht::win32 {

// The window's three fonts, made for the running system's screen.
struct Fonts {
  HFONT window = nullptr;   // MS Sans Serif 8 points
  HFONT bold = nullptr;     // the same, bold
  HFONT heading = nullptr;  // Arial 16 pixels bold, scaled

  HFONT of(app::FontKind kind) const;
};

// One label painted on a panel: its text, box (0 width: as wide as the
// text, one line) and look as the component table gives them.
struct PanelLabel {
  std::string text;
  app::Rect box;
  app::FontKind font;
  int32_t textColour;  // a Windows colour value; -1: window text
  int32_t background;  // -1: transparent
};

// Paints a panel `width` x `height` with its gradient, its raised bevel and
// its labels (opaque ones first, so that none hides another's text) into an
// off-screen image, and copies that to `target` in one step.
void paintPanel(HDC target, int width, int height, const app::GradientColours& colours,
                const std::vector<PanelLabel>& labels, const Fonts& fonts);

// A button with its glyph left of its caption, the pair centred with 4
// pixels between them; a default button has a dark outer frame.
void drawGlyphButton(const DRAWITEMSTRUCT& item, const std::string& caption, Glyph glyph, bool isDefault,
                     HFONT font);

// A line of the folder or drive list: the background (highlighted when
// selected), the 16-pixel icon drawn by `drawIcon` at `iconLeft`, the text 4
// pixels after it, vertically centred, and the focus frame.
void drawListLine(const DRAWITEMSTRUCT& item, int iconLeft, const std::function<void(HDC, int x, int y)>& drawIcon,
                  const std::string& text, HFONT font, HBRUSH background);

// The width of `text` in the font selected into `dc`.
int textWidth(HDC dc, const std::string& text);

}  // namespace tht::win32
