// What the X server shows, for the window tests under Wine: the whole
// screen (the X root window) as `xwd` dumps it, read back as pixels. This
// is what a user sees, whatever Wine believes it has drawn.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tht::test {

struct ScreenImage {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;  // three bytes a pixel, top row first
  // The pixel's colour as 0xRRGGBB; -1 outside the image.
  long at(int x, int y) const;
};

// An X window dump (xwd's format, a true-colour or direct-colour image of
// 8 to 32 bits a pixel); empty when `bytes` is not one.
ScreenImage readXwd(const std::string& bytes);

// The X server's screen now, taken by running `xwd -root` (a Linux program,
// which Wine starts as such) on the display the Wine programs use; the
// dump is kept at `windowsPath`. Empty when it could not be taken within
// `milliseconds`.
ScreenImage captureXScreen(const std::string& windowsPath, unsigned milliseconds = 15000);

}  // namespace tht::test
