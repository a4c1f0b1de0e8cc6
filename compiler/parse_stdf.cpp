// The predefined subroutines whose arguments follow a syntax of their own.
#include <string>

#include "compiler/zqparser.h"
#include "lang/stdf_id.h"

bool ZQParser::is_special_stdf(int id) const {
    switch (id) {
        case sf_LEER:
        case sf_IMPRIMIR:
        case sf_ALEN:
        case sf_DIM:
        case sf_MIN:
        case sf_MAX:
        case sf_IFVAL:
        case sf_INTERCAMBIAR:
            return true;
        default:
            return false;
    }
}

// Reads the arguments after the `(' and leaves the `)' to the caller; *result receives the
// result type (null for the procedures).
bool ZQParser::stdf_vararg(int id, TipoDato** result) {
    *result = nullptr;
    switch (id) {
        case sf_LEER:
            return parse_leer();
        case sf_IMPRIMIR:
            return parse_imprimir();
        case sf_DIM:
            return parse_dim();
        case sf_INTERCAMBIAR:
            return parse_interc();
        case sf_ALEN:
            *result = parse_alen();
            break;
        case sf_IFVAL:
            *result = parse_ifval();
            break;
        default:
            *result = parse_min_max(id);
            break;
    }
    return *result != nullptr;
}

bool ZQParser::parse_leer() {
    const char* topic = "stdf.leer";
    for (;;) {
        if (!expect(tk_IDENT, topic, "el nombre de la variable que se desea leer")) return false;
        TipoDato* t = isByRef(topic,
                              "Debe usarse toda la cadena para leer y no un car\xe1"
                              "cter en particular");
        if (!t) return false;
        gen_emit(i_CALL_STDF, sf_LEER, static_cast<unsigned>(t->getSize()));
        if (tokenKind != tk_COMMA) return true;
        skip();
    }
}

bool ZQParser::parse_imprimir() {
    for (;;) {
        TipoDato* t = expresion();
        if (!t) return false;
        gen_emit(i_CALL_STDF, sf_IMPRIMIR, static_cast<unsigned>(t->getSize()));
        if (tokenKind != tk_COMMA) return true;
        skip();
    }
}

TipoDato* ZQParser::parse_alen() {
    const char* topic = "stdf.alen";
    if (!expect(tk_IDENT, topic, "nombre de un vector o matriz")) return nullptr;
    const std::string name = getTokenString();
    TipoDato* t = isByRef(topic, nullptr);
    if (!t) return nullptr;
    auto* a = dynamic_cast<TDArray*>(t->getInnerType());
    if (!a) {
        raiseError(lineNumber(), static_cast<int>(getTokenPos()), topic, curString(),
                   "`%s' no es un arreglo", name.c_str());
        return nullptr;
    }
    if (a->isOpen()) {
        gen_emit(i_LD_NUM, a->getElementsType()->getSize());
        gen_emit(i_CALL_STDF, sf_ALEN, 0);
    } else {
        gen_emit(i_POP, 0, 1);
        gen_emit(i_LD_NUM, a->getDim());
    }
    return tNum;
}

// The sizes of the leading open dimensions build the array from the innermost level out.
bool ZQParser::parse_dim() {
    const char* topic = "stdf.dim";
    if (!expect(tk_IDENT, topic, "nombre de vector o matriz")) return false;
    const std::string name = getTokenString();
    TipoDato* t = isByRef(topic, nullptr);
    if (!t) return false;
    auto* a = dynamic_cast<TDArray*>(t->getInnerType());
    if (!a) {
        raiseError(lineNumber(), static_cast<int>(getTokenPos()), topic, curString(),
                   "`%s' no es un arreglo", name.c_str());
        return false;
    }
    if (!a->isOpen()) {
        raiseError(lineNumber(), static_cast<int>(getTokenPos()), topic, curString(),
                   "`%s' ya tiene un tama\xf1o fijo; no puede usarse dim", name.c_str());
        return false;
    }
    int openDims = 0;
    TipoDato* elements = a;
    for (auto* d = a; d && d->isOpen(); d = dynamic_cast<TDArray*>(d->getElementsType())) {
        ++openDims;
        elements = d->getElementsType();
    }
    if (!expect(tk_COMMA, topic, "coma")) return false;
    for (int i = 0; i < openDims; ++i) {
        if (i > 0 && tokenKind != tk_COMMA) {
            raiseError_expect_token(
                topic, fmt_error("coma, porque el arreglo tiene %d dimensiones", openDims));
            return false;
        }
        skip();
        gen_emit(i_LD_NUM, 1);
        if (!expr_numerica(topic, &ZQParser::expr_simple)) return false;
    }
    if (tokenKind == tk_COMMA) {
        raiseError_generic(topic,
                           "Se est\xe1 proveyendo m\xe1s dimensiones de las que tiene el arreglo");
        return false;
    }
    if (!gen_one_var(elements)) return false;
    gen_emit(i_DIM, 0, static_cast<unsigned>(elements->getSize()));
    for (int i = 1; i < openDims; ++i) gen_emit(i_DIM, 0, 1);
    gen_emit(i_STORE, 0, 1);
    return true;
}

TipoDato* ZQParser::parse_min_max(int id) {
    const char* topic = "stdf.min_max";
    TipoDato* first = expresion();
    if (!first) return nullptr;
    if (first->getStruct() != struct_SIMPLE) {
        raiseError_generic(topic, "Se requiere un valor simple (num\xe9rico, cadena o l\xf3gico)");
        return nullptr;
    }
    if (!expect(tk_COMMA, topic, "coma; esta funci\xf3n requiere 2 par\xe1metros")) return nullptr;
    skip();
    TipoDato* second = expresion();
    if (!second) return nullptr;
    if (!sameTypes(first, second, 0)) {
        raiseError(lineNumber(), static_cast<int>(getTokenPos()), topic, curString(),
                   "El primer par\xe1metro es `%s' y el segundo `%s'; ambos deben ser del mismo "
                   "tipo",
                   first->getName(), second->getName());
        return nullptr;
    }
    gen_emit(i_CALL_STDF, id, 0);
    return first;
}

// No call: only the chosen value is evaluated.
TipoDato* ZQParser::parse_ifval() {
    const char* topic = "stdf.ifval";
    TipoDato* cond = expresion();
    if (!cond) return nullptr;
    if (!is_simple(cond, s_BOOL)) {
        raiseError_generic(topic, "Se requiere una expresi\xf3n booleana");
        return nullptr;
    }
    const int falseJump = emit_forward(i_JMPF);
    const char* comma = "coma. En total debe haber 3 par\xe1metros";
    if (!expect(tk_COMMA, topic, comma)) return nullptr;
    skip();
    TipoDato* first = expresion();
    if (!first) return nullptr;
    const int endJump = emit_forward(i_JMP);
    patch_to(falseJump, code->nextAddr());
    if (!expect(tk_COMMA, topic, comma)) return nullptr;
    skip();
    TipoDato* second = expresion();
    if (!second) return nullptr;
    if (!sameTypes(first, second, 0)) {
        raiseError_generic(topic, "Los valores posibles de la funci\xf3n deben coincidir en tipo");
        return nullptr;
    }
    patch_to(endJump, code->nextAddr());
    return first;
}

bool ZQParser::parse_interc() {
    const char* topic = "stdf.interc";
    const char* charMessage =
        "Debe usarse toda la cadena para intercambiar y no un car\xe1"
        "cter en particular";
    const char* what = "el nombre de la variable a intercambiar";
    if (!expect(tk_IDENT, topic, what)) return false;
    TipoDato* first = isByRef(topic, charMessage);
    if (!first) return false;
    if (!expect(tk_COMMA, topic, "coma. Debe haber 2 par\xe1metros")) return false;
    skip();
    if (!expect(tk_IDENT, topic, what)) return false;
    TipoDato* second = isByRef(topic, charMessage);
    if (!second) return false;
    if (!sameTypes(first, second, 0)) {
        raiseError_generic(topic, "Los par\xe1metros de `interc' deben coincidir en tipo");
        return false;
    }
    gen_emit(i_CALL_STDF, sf_INTERCAMBIAR, static_cast<unsigned>(first->getSize()));
    return true;
}
