#include "platform/error.h"

#include <cstdint>

namespace tht {

std::string messageWithFullStop(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

std::string notAnIntegerMessage(const std::string& text) {
  return "'" + text + "' no es un valor entero v\xE1lido";
}

int parseInteger32(const std::string& text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) throw Error(notAnIntegerMessage(text));
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') throw Error(notAnIntegerMessage(text));
    value = value * 10 + (c - '0');
    if (value > int64_t(INT32_MAX) + 1) throw Error(notAnIntegerMessage(text));
  }
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) throw Error(notAnIntegerMessage(text));
  return static_cast<int>(value);
}

}  // namespace tht
