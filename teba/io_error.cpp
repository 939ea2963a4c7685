#include "teba/io_error.h"

namespace tht {

std::string ioErrorMessage(int code) {
  switch (code) {
    case 2: return "No se encuentra el archivo";
    case 3: return "Nombre de archivo inv\xE1lido";
    case 4: return "Demasiados archivos abiertos";
    case 5: return "Acceso al archivo denegado";
    case 100: return "Se intenta leer despu\xE9s del fin del archivo";
    case 101: return "Disco lleno";
    case 106: return "Valor num\xE9rico de entrada inv\xE1lido";
    default: return "Error de E/S " + std::to_string(code);
  }
}

}  // namespace tht
