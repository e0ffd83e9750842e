#include "qdr2_gomiat/failure.h"

#include <new>
#include <stdexcept>

namespace qdr2_Gomiat {

std::string RuntimeDescription(int32_t number) {
  switch (number) {
    case 5:
      return "Llamada a procedimiento o argumento no válidos";
    case 6:
      return "Desbordamiento";
    case 7:
      return "Memoria insuficiente";
    case 9:
      return "El subíndice está fuera del intervalo";
    case 11:
      return "División por cero";
    case 13:
      return "No coinciden los tipos";
    case 28:
      return "Espacio de pila insuficiente";
    case 51:
      return "Error interno";
    case 52:
      return "Nombre o número de archivo incorrecto";
    case 53:
      return "No se ha encontrado el archivo";
    case 54:
      return "Modo de archivo incorrecto";
    case 55:
      return "El archivo ya está abierto";
    case 57:
      return "Error de E/S en el dispositivo";
    case 61:
      return "Disco lleno";
    case 62:
      return "La entrada pasa del final del archivo";
    case 70:
      return "Permiso denegado";
    case 75:
      return "Error de acceso a la ruta o el archivo";
    case 76:
      return "No se ha encontrado la ruta de acceso";
    case 91:
      return "Variable de objeto o bloque With no establecida";
    case 380:
      return "Valor de propiedad no válido";
    case 429:
      return "El componente ActiveX no puede crear el objeto";
    case 445:
      return "El objeto no acepta esta acción";
    default:
      return "Error definido por la aplicación o el objeto";
  }
}

Failure::Failure(int32_t number)
    : Failure(number, RuntimeDescription(number)) {}

Failure::Failure(int32_t number, std::string description, std::string source)
    : std::runtime_error(description),
      number_(number),
      description_(std::move(description)),
      source_(std::move(source)) {}

Failure CurrentFailure() noexcept {
  try {
    throw;
  } catch (const Failure& f) {
    return f;
  } catch (const std::bad_alloc&) {
    return Failure(err::kOutOfMemory);
  } catch (const std::out_of_range&) {
    return Failure(err::kSubscript);
  } catch (const std::exception& e) {
    return Failure(err::kInternal,
                   RuntimeDescription(err::kInternal) + " (" + e.what() + ")");
  } catch (...) {
    return Failure(err::kInternal);
  }
}

}  // namespace qdr2_Gomiat
