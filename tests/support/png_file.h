// Screenshots for the window tests: a part of the screen, captured with GDI
// and written as a PNG file (uncompressed, so that no library is needed).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tht::test {

// `rgb` holds width x height pixels, three bytes each, top row first.
bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

// The screen's rectangle at left, top of `width` x `height` as a PNG file.
bool writeScreenPng(const std::string& path, int left, int top, int width, int height);

}  // namespace tht::test
