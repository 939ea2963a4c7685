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

// A Windows colour value (red in the lowest byte) as RGB.
Rgb fromColorRef(unsigned value);

// a x b / c rounded to the nearest integer (halves away from zero).
int mulDiv(int a, int b, int c);

// The colour of every row of a panel `height` rows high, top row first:
// the upper half from `middle` at its bottom to `end` at its top, the lower
// half from `start` at its bottom to `middle` at its top.
std::vector<Rgb> gradientRows(int height, Rgb start, Rgb middle, Rgb end);

}  // namespace tht::app
