// The runtime's error texts that the runs and both windows show, each
// written once here, and the integer conversion that raises one of them.
// Texts are code page 1252.
#pragma once

#include <string>

namespace tht {

// "Error de E/S %d": an input/output error without a text of its own,
// such as a drive without a medium (21) or a file held by another program
// (32).
std::string inOutErrorMessage(int code);

// The input/output error of a Windows-style error code (see
// platform/system_error.h): "No se encuentra el archivo" for 2,
// "Nombre de archivo inválido" for 3, "Demasiados archivos abiertos" for 4,
// "Acceso al archivo denegado" for 5, "Se intenta leer después del fin del
// archivo" for 100, "Disco lleno" for 101, "Valor numérico de entrada
// inválido" for 106, inOutErrorMessage() for every other code.
std::string ioErrorMessage(int code);

// "'%s' no es un valor entero válido": a text that is not a decimal integer.
std::string notAnIntegerMessage(const std::string& text);

// "'%s' no es un valor punto flotante válido": a text that is not a number.
std::string notAFloatMessage(const std::string& text);

// Parses an optional sign followed by one or more decimal digits, nothing
// else; throws Error(notAnIntegerMessage(text)) otherwise or on overflow of
// a signed 32-bit value.
int parseInteger32(const std::string& text);

}  // namespace tht
