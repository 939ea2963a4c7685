// The terminal on Windows: consoles are written in wide characters, so that
// the CP1252 texts read right whatever the console's code page; redirected
// streams get the CP1252 bytes.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <iostream>
#include <streambuf>
#include <string>

#include "cli/console.h"
#include "platform/cp1252.h"

namespace tht::cli {
namespace {

std::wstring widened(const char* cp1252, size_t size) {
  const std::string utf8 = cp1252ToUtf8(std::string(cp1252, size));
  if (utf8.empty()) return {};
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], length);
  return wide;
}

// Everything written goes straight to the console, so nothing waits in a
// buffer when the program ends.
class ConsoleBuffer : public std::streambuf {
 public:
  explicit ConsoleBuffer(HANDLE console) : console_(console) {}

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char byte = traits_type::to_char_type(c);
    write(&byte, 1);
    return c;
  }
  std::streamsize xsputn(const char* data, std::streamsize count) override {
    write(data, static_cast<size_t>(count));
    return count;
  }

 private:
  void write(const char* data, size_t count) {
    const std::wstring wide = widened(data, count);
    size_t done = 0;
    while (done < wide.size()) {
      DWORD put = 0;
      if (!::WriteConsoleW(console_, wide.data() + done, static_cast<DWORD>(wide.size() - done), &put, nullptr) ||
          put == 0)
        return;
      done += put;
    }
  }

  HANDLE console_;
};

void widenIfConsole(DWORD which, std::ostream& stream) {
  HANDLE handle = ::GetStdHandle(which);
  DWORD mode = 0;
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE || !::GetConsoleMode(handle, &mode)) return;
  stream.flush();
  // Never freed: the stream may be written and flushed to the very end of
  // the process.
  stream.rdbuf(new ConsoleBuffer(handle));
}

}  // namespace

std::string toTerminal(const std::string& cp1252) { return cp1252; }

void writeConsolesWide() {
  widenIfConsole(STD_OUTPUT_HANDLE, std::cout);
  widenIfConsole(STD_ERROR_HANDLE, std::cerr);
}

}  // namespace tht::cli
