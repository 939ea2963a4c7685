// The three-colour vertical gradient of the window's panels: two halves,
// each painted as bands whose colours step evenly from bottom to top.
#pragma once

#include <vector>

namespace tht::app {

struct Rgb {
  int red, green, blue;
  bool operator==(const Rgb& other) const {
    return red == other.red && green == other.green && blue == other.blue;
  }
};

// A panel's three colours: at its bottom edge, at half height, at its top.
struct GradientColours {
  Rgb start, middle, end;
};
// The export and import panels: RGB F9 D3 7D, white, FF EE DD.
constexpr GradientColours kRunPanelGradient{{0xF9, 0xD3, 0x7D}, {0xFF, 0xFF, 0xFF}, {0xFF, 0xEE, 0xDD}};
// The folder panel: RGB C2 CD FE, CF F2 FE, CC D8 E6.
constexpr GradientColours kFolderPanelGradient{{0xC2, 0xCD, 0xFE}, {0xCF, 0xF2, 0xFE}, {0xCC, 0xD8, 0xE6}};

// A Windows colour value (red in the lowest byte) as RGB.
Rgb fromColorRef(unsigned value);

// a x b / c rounded to the nearest integer (halves away from zero).
int mulDiv(int a, int b, int c);

// The colour of every row of a panel `height` rows high, top row first:
// the upper half from `middle` at its bottom to `end` at its top, the lower
// half from `start` at its bottom to `middle` at its top.
std::vector<Rgb> gradientRows(int height, Rgb start, Rgb middle, Rgb end);
inline std::vector<Rgb> gradientRows(int height, const GradientColours& colours) {
  return gradientRows(height, colours.start, colours.middle, colours.end);
}

}  // namespace tht::app
