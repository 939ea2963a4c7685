#include "tests/support/png_file.h"

#include <windows.h>

#include <fstream>

namespace tht::test {
namespace {

uint32_t crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
  }
  return ~crc;
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  put32(out, static_cast<uint32_t>(data.size()));
  std::vector<uint8_t> body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  put32(out, crc32(body.data(), body.size()));
}

}  // namespace

bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
  // The image rows, each behind filter byte 0, in stored deflate blocks.
  std::vector<uint8_t> raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);
    raw.insert(raw.end(), rgb.begin() + static_cast<ptrdiff_t>(y) * width * 3,
               rgb.begin() + static_cast<ptrdiff_t>(y + 1) * width * 3);
  }
  std::vector<uint8_t> zlib{0x78, 0x01};
  for (size_t at = 0; at < raw.size() || raw.empty();) {
    const size_t size = std::min<size_t>(65535, raw.size() - at);
    zlib.push_back(at + size == raw.size() ? 1 : 0);
    zlib.push_back(static_cast<uint8_t>(size));
    zlib.push_back(static_cast<uint8_t>(size >> 8));
    zlib.push_back(static_cast<uint8_t>(~size));
    zlib.push_back(static_cast<uint8_t>(~size >> 8));
    zlib.insert(zlib.end(), raw.begin() + static_cast<ptrdiff_t>(at), raw.begin() + static_cast<ptrdiff_t>(at + size));
    at += size;
    if (raw.empty()) break;
  }
  uint32_t a = 1, b = 0;
  for (uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  put32(zlib, b << 16 | a);

  std::vector<uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  put32(header, static_cast<uint32_t>(width));
  put32(header, static_cast<uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB
  chunk(png, "IHDR", header);
  chunk(png, "IDAT", zlib);
  chunk(png, "IEND", {});
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(out);
}

bool writeScreenPng(const std::string& path, int left, int top, int width, int height) {
  if (width <= 0 || height <= 0) return false;
  const HDC screen = GetDC(nullptr);
  const HDC image = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ previous = SelectObject(image, bitmap);
  const bool copied = BitBlt(image, 0, 0, width, height, screen, left, top, SRCCOPY) != FALSE;
  GdiFlush();
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
  const auto* pixels = static_cast<const uint8_t*>(bits);
  for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
    rgb[i * 3] = pixels[i * 4 + 2];
    rgb[i * 3 + 1] = pixels[i * 4 + 1];
    rgb[i * 3 + 2] = pixels[i * 4];
  }
  SelectObject(image, previous);
  DeleteObject(bitmap);
  DeleteDC(image);
  ReleaseDC(nullptr, screen);
  return copied && writePng(path, width, height, rgb);
}

}  // namespace tht::test
