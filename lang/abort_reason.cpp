#include "lang/abort_reason.h"

namespace {

const char* const descrip[] = {
    "No hay error",
    "Indice fuera de rango",
    "Divisor es 0",
    "Desbordamiento de pila",
    "Funcion no definida",
    "Instruccion no valida",
    "Se desconoce tipo de variable",
    "Se esperaba otro tipo de variable (error interno)",
    "Arreglo no fue dimensionado",
    "Dimension debe ser mayor a 0",
    "Arreglo dinamico no puede ser asignado a uno estatico",
    "No hay suficiente memoria",
    "No hay codigo a ejecutar",
    "Durante calculo matematico",
    "Programa cancelado por el usuario",
    "Falla del hardware",
    // 0xA4 is the n-tilde of the old PC code pages.
    "Buffer de lectura es muy peque\xA4o",
    "Se requiere separador de campo",
    "Se requieren mas datos (encontrado EOF)",
    "Dato leido no es numerico",
    "Dato leido no es booleano (tipo 'logico')",
    "Para leer valores booleanos separador de campo (ifs) debe estar definido",
    "Programa no parece ser haber sido generado por compilador zqc",
    "Al grabar archivo",
    "Al leer archivo",
    "Version incorrecta",
    "No se pudo enlazar libreria externa",
    "Subrutina externa no existe",
};

}  // namespace

const char* get_abort_descrip(abort_reason r) {
    if (r < ar_INDEX || r > ar_LIB_SYM) return nullptr;
    return descrip[r];
}
