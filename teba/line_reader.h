// Line-by-line reading of a TEBA file. The file is streamed through a fixed
// buffer, so memory grows with the longest line, never with the file.
#pragma once

#include <string>
#include <vector>

#include "platform/input_file.h"

namespace tht {

class LineReader {
 public:
  // Opens `path` for reading only, readers only sharing it (see InputFile):
  // other readers may hold it too, a program writing it or holding it
  // exclusively makes the open fail.
  // Throws Error with the input/output message of the failure's code.
  explicit LineReader(const std::string& path);
  ~LineReader() = default;
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // True when no further line can be read: the physical end of the file,
  // or a Ctrl-Z that has been reached.
  bool eof();

  // The next line without its line end. LF and CR LF end a line; a lone CR
  // is dropped and the line goes on; Ctrl-Z ends the file; NUL is ordinary.
  std::string readLine();
  // The same into `line`, whose storage is reused from line to line.
  void readLine(std::string& line);

 private:
  bool fill();      // Reads more bytes into the buffer; false at the end.
  int peek();       // The next byte, or -1 at the end, without taking it.

  InputFile file_;
  std::vector<char> buffer_;
  size_t position_ = 0;
  size_t size_ = 0;
  bool stopped_ = false;  // Ctrl-Z or the physical end has been reached.
};

}  // namespace tht
