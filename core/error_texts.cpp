#include "core/error_texts.h"

#include <cstdint>

#include "platform/error.h"

namespace tht {

std::string inOutErrorMessage(int code) { return "Error de E/S " + std::to_string(code); }

std::string ioErrorMessage(int code) {
  switch (code) {
    case 2: return "No se encuentra el archivo";
    case 3: return "Nombre de archivo inv\xE1lido";
    case 4: return "Demasiados archivos abiertos";
    case 5: return "Acceso al archivo denegado";
    case 100: return "Se intenta leer despu\xE9s del fin del archivo";
    case 101: return "Disco lleno";
    case 106: return "Valor num\xE9rico de entrada inv\xE1lido";
    default: return inOutErrorMessage(code);
  }
}

std::string notAnIntegerMessage(const std::string& text) {
  return "'" + text + "' no es un valor entero v\xE1lido";
}

std::string notAFloatMessage(const std::string& text) {
  return "'" + text + "' no es un valor punto flotante v\xE1lido";
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
