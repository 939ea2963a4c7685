// Waits until the X server shows a colour at a point of its screen: the
// hosted window's start under Wine (bench/window_start.cpp) is timed to the
// moment its pixels are seen, not to when Wine believes it drew them.
//
//   tht-bench-pixel X Y RRGGBB FOLDER
//
// Writes FOLDER/ready once the point shows another colour (a window of an
// earlier run is gone), then FOLDER/seen once it shows RRGGBB. Polls one
// pixel every millisecond; gives up after 60 s (exit status 1).
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

bool touch(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  return file && std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: tht-bench-pixel X Y RRGGBB FOLDER\n");
    return 2;
  }
  const int x = std::atoi(argv[1]), y = std::atoi(argv[2]);
  const unsigned long wanted = std::strtoul(argv[3], nullptr, 16);
  const std::string folder = argv[4];
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "tht-bench-pixel: no X display\n");
    return 1;
  }
  const Window root = DefaultRootWindow(display);
  XWindowAttributes attributes;
  XGetWindowAttributes(display, root, &attributes);
  const Visual* visual = attributes.visual;
  const auto colourAt = [&]() -> unsigned long {
    XImage* image = XGetImage(display, root, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return ~0ul;
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    const auto part = [pixel](unsigned long mask) {
      if (!mask) return 0ul;
      int shift = 0;
      while (!(mask >> shift & 1)) ++shift;
      return ((pixel & mask) >> shift) * 255 / (mask >> shift);
    };
    return part(visual->red_mask) << 16 | part(visual->green_mask) << 8 | part(visual->blue_mask);
  };
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  bool ready = false;
  while (std::chrono::steady_clock::now() < end) {
    const bool seen = colourAt() == wanted;
    if (!ready && !seen) ready = touch(folder + "/ready");
    if (ready && seen) {
      touch(folder + "/seen");
      XCloseDisplay(display);
      return 0;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  XCloseDisplay(display);
  return 1;
}
