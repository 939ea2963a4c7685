#include "app/gradient.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace tht::app {
namespace {

// Paints rows [top, top + h) of `rows` as n bands from `bottom` (at the
// half's bottom edge) to `top` colour.
void paintHalf(std::vector<Rgb>& rows, int top, int h, Rgb bottomColour, Rgb topColour) {
  if (h <= 0) return;
  const int n = std::min(h, 256);
  for (int i = 0; i < n; ++i) {
    const auto step = [&](int from, int to) { return from + (n > 1 ? mulDiv(i, to - from, n - 1) : 0); };
    const Rgb colour{step(bottomColour.red, topColour.red), step(bottomColour.green, topColour.green),
                     step(bottomColour.blue, topColour.blue)};
    // Counted upwards from the half's bottom edge.
    for (int row = mulDiv(i, h, n); row <= mulDiv(i + 1, h, n) - 1; ++row) rows[top + h - 1 - row] = colour;
  }
}

}  // namespace

Rgb fromColorRef(unsigned value) {
  return {static_cast<int>(value & 0xFF), static_cast<int>(value >> 8 & 0xFF), static_cast<int>(value >> 16 & 0xFF)};
}

int mulDiv(int a, int b, int c) {
  const int64_t product = static_cast<int64_t>(a) * b;
  const int64_t half = std::llabs(c) / 2;
  const bool negative = (product < 0) != (c < 0);
  const int64_t magnitude = (std::llabs(product) + half) / std::llabs(c);
  return static_cast<int>(negative ? -magnitude : magnitude);
}

std::vector<Rgb> gradientRows(int height, Rgb start, Rgb middle, Rgb end) {
  std::vector<Rgb> rows(static_cast<size_t>(std::max(height, 0)), start);
  const int middleRow = height / 2;
  paintHalf(rows, 0, middleRow, middle, end);                      // rows 0 .. M-1
  paintHalf(rows, middleRow, height - middleRow, start, middle);   // rows M .. B-1
  return rows;
}

}  // namespace tht::app
