// Expressions: precedence levels, type checks, selectors and composite literals.
#include <string>

#include "compiler/zqparser.h"

bool ZQParser::sameTypes(TipoDato* a, TipoDato* b, int strict) {
    return a && b && b->typeEquiv(a, strict);
}

bool ZQParser::is_simple(TipoDato* t, TipoSimple ts) const {
    auto* s = t ? dynamic_cast<TDSimple*>(t->getInnerType()) : nullptr;
    return s && s->getTipoSimple() == ts;
}

TipoDato* ZQParser::expresion() {
    return expr_logica(tk_OR, &ZQParser::expr_and, i_OR, true);
}

TipoDato* ZQParser::expr_and() {
    return expr_logica(tk_AND, &ZQParser::expr_rel, i_AND, false);
}

// One of the two logical levels. The words evaluate both sides; a chain of the symbolic
// form jumps to its end with the deciding constant as soon as one operand decides it.
TipoDato* ZQParser::expr_logica(int opToken, TipoDato* (ZQParser::*operand)(), i_set op,
                                bool shortCircuitValue) {
    TipoDato* t = (this->*operand)();
    const i_set test = shortCircuitValue ? i_JMPT : i_JMPF;
    while (t && tokenKind == opToken) {
        if (!is_simple(t, s_BOOL)) {
            raiseError_type_mismatch("expr", tLog, t);
            return nullptr;
        }
        if (!symbolicForm) {
            skip();
            TipoDato* right = (this->*operand)();
            if (!right) return nullptr;
            if (!is_simple(right, s_BOOL)) {
                raiseError_type_mismatch("expr", tLog, right);
                return nullptr;
            }
            gen_emit(op);
            continue;
        }
        gen_emit(i_JMP, 3);
        const int constAddr = code->nextAddr();
        gen_emit(i_LD_CONST, addBoolConst(shortCircuitValue), 1);
        const int endJump = emit_forward(i_JMP);
        while (tokenKind == opToken && symbolicForm) {
            emit_back(test, constAddr);
            skip();
            TipoDato* right = (this->*operand)();
            if (!right) return nullptr;
            if (!is_simple(right, s_BOOL)) {
                raiseError_type_mismatch("expr", tLog, right);
                return nullptr;
            }
        }
        patch_to(endJump, code->nextAddr());
    }
    return t;
}

TipoDato* ZQParser::expr_rel() {
    TipoDato* t = expr_simple();
    if (!t) return nullptr;
    i_set op;
    switch (tokenKind) {
        case tk_EQ:
            op = i_EQ;
            break;
        case tk_NE:
            op = i_NE;
            break;
        case tk_LT:
            op = i_LT;
            break;
        case tk_LE:
            op = i_LE;
            break;
        case tk_GT:
            op = i_GT;
            break;
        case tk_GE:
            op = i_GE;
            break;
        default:
            return t;
    }
    const std::string opText = std::string(getTokenString()).substr(0, 2);
    skip();
    TipoDato* right = expr_simple();
    if (!right) return nullptr;
    if (!sameTypes(t, right, 0)) {
        raiseError_type_mismatch("expr", t, right);
        return nullptr;
    }
    if (t->getStruct() != struct_SIMPLE) {
        raiseError(lineNumber(), static_cast<int>(getTokenPos()), "expr", curString(),
                   "El operador `%s' solo puede usarse con los tipos numerico, cadenas y l\xf3gico",
                   opText.c_str());
        return nullptr;
    }
    gen_emit(op);
    return tLog;
}

TipoDato* ZQParser::expr_simple() {
    TipoDato* t = expr_termino();
    while (t && (tokenKind == tk_PLUS || tokenKind == tk_MINUS)) {
        const bool plus = tokenKind == tk_PLUS;
        const std::string opText = std::string(getTokenString()).substr(0, 2);
        const bool isStr = is_simple(t, s_STR);
        if (!plus && isStr) {
            raiseError(lineNumber(), static_cast<int>(getTokenPos()), "expr", curString(),
                       "El operador `%s' no es aplicable al tipo `%s'", opText.c_str(),
                       t->getName());
            return nullptr;
        }
        if (!is_simple(t, s_NUM) && !isStr) {
            raiseError(lineNumber(), static_cast<int>(getTokenPos()), "expr", curString(),
                       "El operador `%s' solo puede usarse con num\xe9ricos%s", opText.c_str(),
                       plus ? " y cadenas" : "");
            return nullptr;
        }
        skip();
        TipoDato* right = expr_termino();
        if (!right) return nullptr;
        if (!sameTypes(t, right, 0)) {
            raiseError_type_mismatch("expr", t, right);
            return nullptr;
        }
        gen_emit(isStr ? i_CONCAT : plus ? i_ADD : i_SUB);
    }
    return t;
}

TipoDato* ZQParser::expr_termino() {
    TipoDato* t = expr_factor();
    while (t && (tokenKind == tk_STAR || tokenKind == tk_DIV || tokenKind == tk_PERCENT)) {
        const i_set op = tokenKind == tk_STAR ? i_MUL : tokenKind == tk_DIV ? i_DIV : i_MOD;
        if (!is_simple(t, s_NUM)) {
            const std::string opText = std::string(getTokenString()).substr(0, 2);
            raiseError(lineNumber(), static_cast<int>(getTokenPos()), "expr", curString(),
                       "El operador `%s' solo puede usarse con num\xe9ricos", opText.c_str());
            return nullptr;
        }
        skip();
        TipoDato* right = expr_factor();
        if (!right) return nullptr;
        if (!sameTypes(t, right, 0)) {
            raiseError_type_mismatch("expr", t, right);
            return nullptr;
        }
        gen_emit(op);
    }
    return t;
}

TipoDato* ZQParser::expr_factor() {
    Nesting guard(this);
    if (!guard.ok()) return nullptr;
    TipoDato* t = nullptr;
    switch (tokenKind) {
        case tk_NUMCONST: {
            const long double value = str2num(getTokenString());
            gen_emit(i_LD_CONST, addGblConst(s_NUM, &value), 1);
            skip();
            t = tNum;
            break;
        }
        case tk_STRCONST:
            gen_emit(i_LD_CONST, addGblConst(s_STR, getTokenString()), 1);
            skip();
            t = tStr;
            break;
        case tk_LPAREN:
            skip();
            t = expresion();
            if (!t) return nullptr;
            if (tokenKind != tk_RPAREN) {
                raiseError_expect_token("expr", "`)'");
                return nullptr;
            }
            skip();
            break;
        case tk_PLUS:
        case tk_MINUS: {
            const bool minus = tokenKind == tk_MINUS;
            const int line = lineNumber();
            const int col = static_cast<int>(getTokenPos());
            skip();
            t = expr_factor();
            if (!t) return nullptr;
            if (!is_simple(t, s_NUM)) {
                raiseError(
                    lineNumber(), static_cast<int>(getTokenPos()), "expr", curString(),
                    "El signo que est\xe1 en la la l\xednea %d, columna %d no puede aplicarse "
                    "al operando que le sigue, que no es num\xe9rico",
                    line, col);
                return nullptr;
            }
            if (minus) gen_emit(i_NEG);
            return t;
        }
        case tk_NOT:
            skip();
            t = expr_rel();
            if (!t) return nullptr;
            if (!is_simple(t, s_BOOL)) {
                raiseError_type_mismatch("expr", tLog, t);
                return nullptr;
            }
            gen_emit(i_NOT);
            return t;
        case tk_IDENT:
            t = expr_factor_ident();
            break;
        default:
            raiseError_expect_token("expr", "un factor como parte de la expresi\xf3n");
            return nullptr;
    }
    while (t && tokenKind == tk_CARET) {
        if (!is_simple(t, s_NUM)) {
            raiseError_type_mismatch("expr", tNum, t);
            return nullptr;
        }
        skip();
        TipoDato* right = expr_factor();
        if (!right) return nullptr;
        if (!is_simple(right, s_NUM)) {
            raiseError_type_mismatch("expr", tNum, right);
            return nullptr;
        }
        gen_emit(i_POW);
    }
    return t;
}

TipoDato* ZQParser::expr_factor_ident() {
    const std::string name = getTokenString();
    BaseSimb* s = table->find(name.c_str(), ss_ALL);
    if (!s) {
        raiseError_undef_ident("expr", name.c_str());
        return nullptr;
    }
    switch (s->tipo()) {
        case to_VAR: {
            auto* v = static_cast<Var*>(s);
            if (!v->is_confirmed()) {
                raiseError(lineNumber(), static_cast<int>(getTokenPos()), "expr", curString(),
                           "`%s' no puede usarse aun porque falta completar su declaraci\xf3n",
                           name.c_str());
                return nullptr;
            }
            skip();
            TipoDato* t = v->getType();
            if (tokenKind != tk_LBRACKET && tokenKind != tk_DOT) {
                gen_ld_val(v);
                return t;
            }
            if (is_simple(t, s_STR) && tokenKind == tk_LBRACKET) {
                gen_ld_val(v);
                return selector_cadena();
            }
            gen_ld_addr(v);
            t = selector(v, t);
            if (!t) return nullptr;
            gen_emit(i_LD_INDIRECT, 0, static_cast<unsigned>(t->getSize()));
            if (is_simple(t, s_STR) && tokenKind == tk_LBRACKET) return selector_cadena();
            return t;
        }
        case to_TIPO:
            raiseError(lineNumber(), static_cast<int>(getTokenPos()), "param.real", curString(),
                       "`%s' es un nombre de tipo y no puede usarse en este contexto",
                       name.c_str());
            return nullptr;
        case to_PROC:
        case to_DLPROC: {
            auto* p = static_cast<ProcInfo*>(s);
            if (!p->getType()) {
                raiseError(lineNumber(), static_cast<int>(getTokenPos()), "expr", curString(),
                           "`%s' no es una funci\xf3n; no puede usarse como componente de una "
                           "expresi\xf3n",
                           name.c_str());
                return nullptr;
            }
            TipoDato* result = nullptr;
            if (!prepare_call(p) || !llamada_sub(p, &result)) return nullptr;
            return result;
        }
        default:
            raiseError_generic(".internal", "Error interno. Tipo de objeto inesperado");
            return nullptr;
    }
}

TipoDato* ZQParser::expr_booleana() {
    if (tokenKind != tk_LPAREN) {
        raiseError_expect_token("expr", "`('");
        return nullptr;
    }
    skip();
    TipoDato* t = expresion();
    if (!t) return nullptr;
    if (tokenKind != tk_RPAREN) {
        raiseError_expect_token("expr", "`)'");
        return nullptr;
    }
    skip();
    if (!is_simple(t, s_BOOL)) {
        raiseError_type_mismatch("expr", tLog, t);
        return nullptr;
    }
    return t;
}

// A numeric value at the given level, checked as numerico for the given topic.
TipoDato* ZQParser::expr_numerica(const char* topic, TipoDato* (ZQParser::*level)()) {
    TipoDato* t = (this->*level)();
    if (!t) return nullptr;
    if (!is_simple(t, s_NUM)) {
        raiseError_type_mismatch(topic, tNum, t);
        return nullptr;
    }
    return t;
}

TipoDato* ZQParser::selector(Var* v, TipoDato* t) {
    if (v->tipo() != to_VAR) {
        raiseError(lineNumber(), static_cast<int>(getTokenPos()), "expr", curString(),
                   "`%s' no es una variable", v->getName());
        return nullptr;
    }
    while (t && (tokenKind == tk_LBRACKET || tokenKind == tk_DOT)) {
        TipoDato* inner = t->getInnerType();
        if (auto* a = dynamic_cast<TDArray*>(inner)) {
            t = array_sel(a);
        } else if (auto* r = dynamic_cast<TDRec*>(inner)) {
            t = rec_sel(r);
        } else if (is_simple(inner, s_STR)) {
            if (tokenKind == tk_LBRACKET) return t;
            raiseError_generic(
                "expr",
                "El `.' se usa para seleccionar un campo de registro; no se usa con cadenas");
            return nullptr;
        } else {
            raiseError_generic("expr",
                               "Este elemento no puede llevar selector; no es cadena ni arreglo");
            return nullptr;
        }
    }
    return t;
}

TipoDato* ZQParser::array_sel(TDArray* a) {
    if (tokenKind != tk_LBRACKET) {
        raiseError_expect_token("arreglos", "`[' para seleccionar un elemento del arreglo");
        return nullptr;
    }
    skip();
    for (;;) {
        TipoDato* index = expr_simple();
        if (!index) return nullptr;
        if (!is_simple(index, s_NUM)) {
            raiseError_generic(
                "arreglos",
                "Se requiere una expresi\xf3n num\xe9rica para seleccionar un elemento");
            return nullptr;
        }
        TipoDato* elements = a->getElementsType();
        gen_emit(i_INDEX, 0, static_cast<unsigned>(elements->getSize()));
        if (tokenKind == tk_COMMA) {
            a = dynamic_cast<TDArray*>(elements);
            if (!a) {
                raiseError_generic(
                    "arreglos",
                    "Se est\xe1 pidiendo m\xe1s dimensiones de las que tiene el arreglo");
                return nullptr;
            }
            skip();
            continue;
        }
        if (tokenKind != tk_RBRACKET) {
            raiseError_expect_token("arreglos", "`]' para cerrar el sub\xedndice");
            return nullptr;
        }
        skip();
        return elements;
    }
}

TipoDato* ZQParser::rec_sel(TDRec* r) {
    if (tokenKind != tk_DOT) {
        raiseError_expect_token("registros", "`.' para seleccionar un campo del registro");
        return nullptr;
    }
    skip();
    if (tokenKind != tk_IDENT) {
        raiseError_expect_token("registros", "un nombre de campo");
        return nullptr;
    }
    int offset = 0;
    for (int i = 0; i < r->fieldCount(); ++i) {
        Var* f = r->findField(i);
        if (std::string(f->getName()) == getTokenString()) {
            if (offset != 0) {
                gen_emit(i_LD_INT, offset);
                gen_emit(i_ADDR_ADD);
            }
            skip();
            return f->getType();
        }
        offset += f->getType()->getSize();
    }
    raiseError(lineNumber(), static_cast<int>(getTokenPos()), "registros", curString(),
               "`%s' no existe como campo del registro", getTokenString());
    return nullptr;
}

TipoDato* ZQParser::selector_cadena() {
    if (tokenKind != tk_LBRACKET) {
        raiseError_expect_token("cadena",
                                "`[' para seleccionar un car\xe1"
                                "cter de la cadena");
        return nullptr;
    }
    skip();
    if (!expr_numerica("cadena", &ZQParser::expresion)) return nullptr;
    if (tokenKind != tk_RBRACKET) {
        raiseError_expect_token("cadena", "`]' para cerrar el sub\xedndice");
        return nullptr;
    }
    skip();
    gen_call_substr();
    return tStr;
}

TipoDato* ZQParser::expr_constructor_literal(TipoDato* expected) {
    Nesting guard(this);
    if (!guard.ok()) return nullptr;
    if (tokenKind != tk_LBRACE) return expresion();
    TipoDato* inner = expected ? expected->getInnerType() : nullptr;
    if (auto* a = dynamic_cast<TDArray*>(inner)) return literal_array(a);
    if (auto* r = dynamic_cast<TDRec*>(inner)) return literal_registro(r);
    raiseError_expect_token("expr", "un valor simple, no un literal compuesto");
    return nullptr;
}

// The elements are pushed in order and gathered into one block by a single i_DIM.
TipoDato* ZQParser::literal_array(TDArray* a) {
    const char* topic = "expr.arreglos.lit";
    const int n = a->getDim();
    TipoDato* elements = a->getElementsType();
    skip();
    if (tokenKind == tk_RBRACE) {
        if (!a->isOpen()) {
            raiseError_generic(topic, "La forma {} solo puede usarse con arreglos abiertos");
            return nullptr;
        }
        gen_emit(i_LD_NULLARRAY);
        skip();
        return a;
    }
    gen_emit(i_LD_NUM, a->isOpen() ? 1 : 0);
    gen_emit(i_LD_NUM, 1);
    int count = 0;
    bool fill = false;
    TipoDato* first = nullptr;
    for (;;) {
        TipoDato* t = expr_constructor_literal(elements);
        if (!t) return nullptr;
        if (!sameTypes(elements, t, 1)) {
            raiseError_type_mismatch(topic, elements, t);
            return nullptr;
        }
        if (a->isOpen()) {
            if (first && !sameTypes(first, t, 1)) {
                raiseError_generic(topic,
                                   "Todos los elementos del arreglo deben ser id\xe9nticos en tipo "
                                   "al primero de ellos; este elemento no lo es");
                return nullptr;
            }
            if (!first) first = t;
        }
        ++count;
        if (tokenKind == tk_RBRACE) break;
        if (tokenKind != tk_COMMA) {
            raiseError_expect_token(
                topic,
                "coma para separar cada elemento, o `}' para finalizar la lista de elementos");
            return nullptr;
        }
        if (!a->isOpen() && count == n) {
            raiseError(lineNumber(), static_cast<int>(getTokenPos()), topic, curString(),
                       "Se econtraron %d elementos; el l\xedmite es %d", count, n);
            return nullptr;
        }
        skip();
        if (tokenKind == tk_ELLIPSIS) {
            if (a->isOpen()) {
                raiseError_generic(topic,
                                   "La forma `...' solo puede usarse con arreglos que fueron "
                                   "declarados con tama\xf1o espec\xed"
                                   "fico, no con `*'");
                return nullptr;
            }
            skip();
            if (tokenKind != tk_RBRACE) {
                raiseError_expect_token(topic,
                                        "`}' para finalizar la lista de elementos del arreglo");
                return nullptr;
            }
            fill = true;
            break;
        }
    }
    const int size = elements->getSize();
    if (count < n) {
        if (!fill) {
            raiseError(lineNumber(), static_cast<int>(getTokenPos()), topic, curString(),
                       "Hay %d elemento%s; se requiere%s %d", count, count >= 2 ? "s" : "",
                       n >= 2 ? "n" : "", n);
            return nullptr;
        }
        gen_emit(i_REPLICATE, n - count, static_cast<unsigned>(size));
        count = n;
    }
    skip();
    gen_emit(i_DIM, 0, static_cast<unsigned>(count * size));
    return a;
}

// Records are flat: the field values are simply pushed one after the other.
TipoDato* ZQParser::literal_registro(TDRec* r) {
    const char* topic = "expr.registros.lit";
    const int fields = r->fieldCount();
    skip();
    for (int i = 0;;) {
        TipoDato* ft = r->findField(i)->getType();
        TipoDato* t = expr_constructor_literal(ft);
        if (!t) return nullptr;
        if (!sameTypes(ft, t, 1)) {
            raiseError_type_mismatch(topic, ft, t);
            return nullptr;
        }
        ++i;
        if (tokenKind == tk_COMMA) {
            if (i == fields) {
                raiseError(lineNumber(), static_cast<int>(getTokenPos()), topic, curString(),
                           "El registro tiene solo %d campo%s", fields, fields >= 2 ? "s" : "");
                return nullptr;
            }
            skip();
            continue;
        }
        if (tokenKind == tk_RBRACE) {
            if (i < fields) {
                raiseError(lineNumber(), static_cast<int>(getTokenPos()), topic, curString(),
                           "Faltan campos; el registro tiene %d", fields);
                return nullptr;
            }
            break;
        }
        raiseError_expect_token(topic, i < fields
                                           ? "coma para separar los campos, o `}' para finalizar"
                                           : "`}' para finalizar la lista de campos del registro");
        return nullptr;
    }
    skip();
    return r;
}
