#include "tests/support/x_screen.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace tht::test {
namespace {

uint32_t bigEndian32(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
  return value;
}

// The place of a colour mask's lowest set bit.
int shiftOf(uint32_t mask) {
  int shift = 0;
  while (mask && !(mask >> shift & 1)) ++shift;
  return shift;
}

uint8_t channel(uint32_t pixel, uint32_t mask) {
  if (!mask) return 0;
  const int shift = shiftOf(mask);
  const uint32_t top = mask >> shift;
  return static_cast<uint8_t>(((pixel & mask) >> shift) * 255 / top);
}

// The Unix path of a Windows path, as Wine maps it.
std::string unixPathOf(const std::string& windowsPath) {
  using ToUnix = char*(CDECL*)(const wchar_t*);
  const FARPROC found = GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
  const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(found));
  if (!toUnix) return "";
  const int length = MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(), length);
  char* unix = toUnix(wide.c_str());
  if (!unix) return "";
  std::string path = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return path;
}

}  // namespace

long ScreenImage::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return -1;
  const size_t i = (static_cast<size_t>(y) * width + x) * 3;
  return static_cast<long>(rgb[i]) << 16 | rgb[i + 1] << 8 | rgb[i + 2];
}

ScreenImage readXwd(const std::string& bytes) {
  // The header: 25 big-endian 32-bit fields, then the window's name.
  if (bytes.size() < 100) return {};
  uint32_t field[25];
  for (int i = 0; i < 25; ++i) field[i] = bigEndian32(bytes, 4 * static_cast<size_t>(i));
  const uint32_t headerSize = field[0], version = field[1], format = field[2], width = field[4], height = field[5],
                 byteOrder = field[7], bitsPerPixel = field[11], bytesPerLine = field[12], redMask = field[14],
                 greenMask = field[15], blueMask = field[16], colours = field[19];
  const int bytesPerPixel = static_cast<int>(bitsPerPixel / 8);
  if (version != 7 || format != 2 || bitsPerPixel % 8 || bytesPerPixel < 1 || bytesPerPixel > 4 || width > 16384 ||
      height > 16384 || bytesPerLine < width * bytesPerPixel)
    return {};
  const size_t pixels = static_cast<size_t>(headerSize) + 12u * colours;  // colour map entries of 12 bytes
  if (bytes.size() < pixels + static_cast<size_t>(bytesPerLine) * height) return {};
  ScreenImage image;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.rgb.reserve(static_cast<size_t>(width) * height * 3);
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      const size_t at = pixels + static_cast<size_t>(y) * bytesPerLine + static_cast<size_t>(x) * bytesPerPixel;
      uint32_t pixel = 0;
      for (int i = 0; i < bytesPerPixel; ++i) {
        const uint32_t byte = static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
        pixel |= byteOrder == 0 ? byte << (8 * i) : byte << (8 * (bytesPerPixel - 1 - i));
      }
      image.rgb.push_back(channel(pixel, redMask));
      image.rgb.push_back(channel(pixel, greenMask));
      image.rgb.push_back(channel(pixel, blueMask));
    }
  }
  return image;
}

ScreenImage captureXScreen(const std::string& windowsPath, unsigned milliseconds) {
  const std::string target = unixPathOf(windowsPath);
  if (target.empty()) return {};
  DeleteFileA(windowsPath.c_str());
  // Wine starts a Linux program without a process handle to wait on: the
  // dump is written aside and renamed once whole.
  std::string line = "Z:\\bin\\sh -c \"xwd -root -silent -out '" + target + ".part' && mv '" + target + ".part' '" +
                     target + "'\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return {};
  if (process.hProcess) CloseHandle(process.hProcess);
  if (process.hThread) CloseHandle(process.hThread);
  const DWORD end = GetTickCount() + milliseconds;
  while (GetFileAttributesA(windowsPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (static_cast<LONG>(end - GetTickCount()) <= 0) return {};
    MSG message;  // the calling window's messages go on meanwhile
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(10);
  }
  std::ifstream in(windowsPath, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return readXwd(content.str());
}

}  // namespace tht::test
