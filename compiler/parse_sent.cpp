// Statements, calls and their argument lists.
#include <string>

#include "compiler/zqparser.h"
#include "lang/stdf_id.h"

bool ZQParser::expect(int kind, const char* topic, const char* what) {
    if (tokenKind == kind) return true;
    raiseError_expect_token(topic, what);
    return false;
}

void ZQParser::sentencia() {
    Nesting guard(this);
    if (!guard.ok()) return;
    if (tokenKind != tk_SEMICOLON && lineNumber() != lastLineMarked) gen_line(lineNumber());
    switch (tokenKind) {
        case tk_IDENT: {
            BaseSimb* s = table->find(getTokenString(), ss_ALL);
            if (!s) {
                raiseError_undef_ident("sent.sentencias", getTokenString());
            } else if (s->tipo() == to_VAR) {
                sent_asig(static_cast<Var*>(s));
            } else if (s->tipo() == to_PROC || s->tipo() == to_DLPROC) {
                sent_llamada_sub(static_cast<ProcInfo*>(s));
            } else if (s->tipo() == to_TIPO) {
                raiseError(lineNumber(), static_cast<int>(getTokenPos()), "sent.sentencias",
                           curString(),
                           "Se espera un nombre de variable o de subrutina. `%s' es un nombre de "
                           "tipo de dato",
                           s->getName());
            } else {
                raiseError_generic(".internal", "Error interno; tipo de objeto inesperado");
            }
            break;
        }
        case tk_SEMICOLON:
            break;
        case tk_SI:
            sent_si();
            break;
        case tk_EVAL:
            sent_eval();
            break;
        case tk_MIENTRAS:
            ++loopDepth;
            sent_mientras();
            --loopDepth;
            break;
        case tk_REPETIR:
            ++loopDepth;
            sent_repetir();
            --loopDepth;
            break;
        case tk_DESDE:
            ++loopDepth;
            sent_desde();
            --loopDepth;
            break;
        case tk_SALIR:
            sent_salir();
            break;
        case tk_RETORNA:
            sent_retorna();
            break;
        default:
            raiseError(lineNumber(), static_cast<int>(getTokenPos()), "sent.sentencias",
                       curString(), "Se espera el inicio de una sentencia; encontrado `%s'",
                       getTokenString());
            return;
    }
    checkEOL();
}

void ZQParser::sentencias_hasta(std::initializer_list<int> ends) {
    for (;;) {
        // `fin' never starts a statement: it ends the body, and a block left open before
        // it is reported by the block.
        if (!running || tokenKind == tk_EOF || tokenKind == tk_FIN) return;
        for (int end : ends) {
            if (tokenKind == end) return;
        }
        sentencia();
    }
}

void ZQParser::bloque_sentencias() {
    sentencias_hasta({tk_RBRACE});
    if (!expect(tk_RBRACE, "sent.grupo", "`}' para terminar la secuencia de sentencias")) return;
    skip();
}

void ZQParser::sent_asig(Var* v) {
    const char* topic = "sent.asig";
    if (v->getTipoVida() == tv_CONST) {
        raiseError_expect_token(topic, fmt_error("una variable; `%s' es constante", v->getName()));
        return;
    }
    gen_ld_addr(v);
    skip();
    TipoDato* t = v->getType();
    if (tokenKind == tk_LBRACKET || tokenKind == tk_DOT) t = selector(v, t);
    if (!t) return;
    const bool oneChar = is_simple(t, s_STR) && tokenKind == tk_LBRACKET;
    if (oneChar) {
        skip();
        if (!expr_numerica("cadena", &ZQParser::expresion)) return;
        if (!expect(tk_RBRACKET, "cadena", "`]' para cerrar el sub\xedndice")) return;
        skip();
    }
    if (!expect(tk_ASSIGN, topic, "`=' luego de la variable")) return;
    skip();
    TipoDato* value = expr_constructor_literal(t);
    if (!value) return;
    if (!sameTypes(t, value, 1)) {
        raiseError_type_mismatch(topic, t, value);
        return;
    }
    if (oneChar) {
        gen_call_replch();
    } else {
        gen_emit(i_STORE, 0, static_cast<unsigned>(t->getSize()));
    }
}

// The caller's part before the arguments: for a subroutine of the program, a stack check
// and, for a function, the result slot.
bool ZQParser::prepare_call(ProcInfo* p) {
    TipoDato* result = p->getType();
    if (type_incomplete(result)) {
        raiseError(lineNumber(), static_cast<int>(getTokenPos()), "ref.anticipadas", curString(),
                   "El tipo del valor de retorno de `%s' no est\xe1 definido aun.", p->getName());
        return false;
    }
    if (!p->is_local_zq()) return true;
    const int resultSize = result ? result->getSize() : 0;
    gen_emit(i_CHKSTK, 0, static_cast<unsigned>(p->getParamsSize() + resultSize));
    return !result || gen_one_var(result);
}

void ZQParser::sent_llamada_sub(ProcInfo* p) {
    TipoDato* result = nullptr;
    if (!prepare_call(p) || !llamada_sub(p, &result)) return;
    if (result) gen_emit(i_POP, 0, static_cast<unsigned>(result->getSize()));
}

bool ZQParser::llamada_sub(ProcInfo* p, TipoDato** result) {
    const int line = lineNumber();
    skip();
    if (!expect(tk_LPAREN, "sent.llamada_sub",
                "`(' para poner los par\xe1metros de la subrutina")) {
        return false;
    }
    skip();
    *result = p->getType();
    if (p->is_stdf() && is_special_stdf(p->address())) {
        if (!stdf_vararg(p->address(), result)) return false;
        if (!expect(tk_RPAREN, "stdf", "`)' para cerrar la lista de par\xe1metros")) return false;
        skip();
        return true;
    }
    if (!argumentos(p)) return false;
    if (p->is_stdf()) {
        gen_emit(i_CALL_STDF, p->address(), 0);
    } else if (p->is_dlproc()) {
        gen_emit(i_CALL_EXT, p->address(), 0);
    } else {
        if (!p->is_confirmed()) callFixups.Add({code->nextAddr(), p});
        gen_emit(i_CALL, p->address(), 0);
        gen_emit(i_LINE_RET, table->curProc()->address(), static_cast<unsigned>(line));
    }
    skip();
    return true;
}

// The arguments against the parameters, then the defaults of omitted trailing ones. Leaves
// the closing parenthesis as the current token.
bool ZQParser::argumentos(ProcInfo* p) {
    const char* topic = "sent.llamada_sub";
    int i = 0;
    if (tokenKind != tk_RPAREN) {
        while (i < p->getParamCount()) {
            auto* param = static_cast<Var*>(p->paramAt(i));
            TipoDato* pt = param->getType();
            if (type_incomplete(pt)) {
                raiseError(lineNumber(), static_cast<int>(getTokenPos()), "ref.anticipadas",
                           curString(),
                           "El tipo del parametro n\xfamero %d de `%s' no est\xe1 definido aun.",
                           i + 1, p->getName());
                return false;
            }
            TipoDato* at = nullptr;
            if (param->getAddrScope() == as_PARAM_REF) {
                if (!expect(tk_IDENT, topic,
                            "el nombre de una variable, pues el par\xe1metro es por referencia")) {
                    return false;
                }
                at = isByRef(topic,
                             "Los caracteres individuales de una cadena no pueden pasarse por "
                             "referencia");
            } else {
                at = expr_constructor_literal(pt);
            }
            if (!at) return false;
            if (!sameTypes(pt, at, 1)) {
                raiseError_type_mismatch(topic, pt, at);
                return false;
            }
            ++i;
            if (tokenKind != tk_COMMA) break;
            skip();
            if (tokenKind == tk_RPAREN) {
                raiseError_expect_token(topic, "una expresi\xf3n luego de la coma");
                return false;
            }
        }
    }
    if (!expect(tk_RPAREN, topic, "`)' para cerrar la lista de par\xe1metros")) return false;
    for (; i < p->getParamCount(); ++i) {
        auto* param = static_cast<Var*>(p->paramAt(i));
        if (param->getAddrScope() != as_PARAM_DEF) {
            raiseError(lineNumber(), static_cast<int>(getTokenPos()), topic, curString(),
                       "`%s' requiere m\xe1s par\xe1metros", p->getName());
            return false;
        }
        gen_emit(i_LD_CONST, param->address(), static_cast<unsigned>(param->getType()->getSize()));
    }
    return true;
}

// A variable named as an argument by reference, leer or intercambiar: its address, with
// selectors. A single character of a string cannot be passed; charMessage says why.
TipoDato* ZQParser::isByRef(const char* topic, const char* charMessage) {
    const std::string name = getTokenString();
    BaseSimb* s = table->find(name.c_str(), ss_ALL);
    if (!s) {
        raiseError_undef_ident("params.ref", name.c_str());
        return nullptr;
    }
    auto* v = s->tipo() == to_VAR ? static_cast<Var*>(s) : nullptr;
    if (!v) {
        raiseError(lineNumber(), static_cast<int>(getTokenPos()), "params.ref", curString(),
                   "`%s' no es una variable; no puede ser pasado por referencia", name.c_str());
        return nullptr;
    }
    if (v->getTipoVida() == tv_CONST) {
        raiseError(lineNumber(), static_cast<int>(getTokenPos()), "params.ref", curString(),
                   "`%s' es constante; no puede ser pasado por referencia", name.c_str());
        return nullptr;
    }
    if (!v->is_confirmed()) {
        raiseError(lineNumber(), static_cast<int>(getTokenPos()), "expr", curString(),
                   "`%s' no puede usarse aun porque falta completar su declaraci\xf3n",
                   name.c_str());
        return nullptr;
    }
    gen_ld_addr(v);
    skip();
    TipoDato* t = v->getType();
    if (tokenKind == tk_LBRACKET || tokenKind == tk_DOT) t = selector(v, t);
    if (t && charMessage && is_simple(t, s_STR) && tokenKind == tk_LBRACKET) {
        raiseError_generic(topic, charMessage);
        return nullptr;
    }
    return t;
}

void ZQParser::sent_si() {
    const char* topic = "sent.si";
    gen_emit(i_JMP, 2);
    const int exitJump = emit_forward(i_JMP);
    skip();
    if (!expr_booleana()) return;
    int falseJump = emit_forward(i_JMPF);
    if (!expect(tk_LBRACE, topic, "`{' luego de la condici\xf3n")) return;
    skip();
    for (;;) {
        sentencias_hasta({tk_RBRACE, tk_SINO, tk_SINO_SI});
        if (!running) return;
        if (tokenKind == tk_SINO_SI) {
            emit_back(i_JMP, exitJump);
            patch_to(falseJump, code->nextAddr());
            gen_line(lineNumber());
            skip();
            if (!expr_booleana()) return;
            falseJump = emit_forward(i_JMPF);
            continue;
        }
        if (tokenKind == tk_SINO) {
            emit_back(i_JMP, exitJump);
            patch_to(falseJump, code->nextAddr());
            skip();
            sentencias_hasta({tk_RBRACE});
            if (!expect(tk_RBRACE, topic, "`}' para cerrar sentencia condicional")) return;
            skip();
            break;
        }
        if (!expect(tk_RBRACE, topic, "`}' para cerrar sentencia condicional")) return;
        skip();
        patch_to(falseJump, code->nextAddr());
        break;
    }
    patch_to(exitJump, code->nextAddr());
}

void ZQParser::sent_eval() {
    const char* topic = "sent.eval";
    skip();
    if (!expect(tk_LBRACE, topic, "`{' luego de `eval'")) return;
    skip();
    gen_emit(i_JMP, 2);
    const int exitJump = emit_forward(i_JMP);
    if (tokenKind != tk_RBRACE && !expect(tk_CASO, topic, "la lista de casos a evaluar")) return;
    int falseJump = -1;
    while (running && tokenKind == tk_CASO) {
        if (falseJump >= 0) patch_to(falseJump, code->nextAddr());
        skip();
        if (!expr_booleana()) return;
        falseJump = emit_forward(i_JMPF);
        sentencias_hasta({tk_CASO, tk_SINO, tk_RBRACE});
        emit_back(i_JMP, exitJump);
    }
    if (falseJump >= 0) patch_to(falseJump, code->nextAddr());
    if (tokenKind == tk_SINO) {
        skip();
        sentencias_hasta({tk_RBRACE});
    }
    if (!expect(tk_RBRACE, topic, "`}' para cerrar sentencia condicional")) return;
    skip();
    patch_to(exitJump, code->nextAddr());
}

void ZQParser::sent_mientras() {
    const int start = loop_start();
    skip();
    if (!expr_booleana()) return;
    const int exitJump = emit_forward(i_JMPF);
    if (!expect(tk_LBRACE, "sent.mientras", "`{' luego de la condici\xf3n del ciclo")) return;
    skip();
    register_loop(tk_MIENTRAS, start);
    bloque_sentencias();
    emit_back(i_JMP, start);
    patch_to(exitJump, code->nextAddr());
    fixup_exits(code->nextAddr());
    unregister_loop();
}

void ZQParser::sent_repetir() {
    const int start = loop_start();
    skip();
    register_loop(tk_REPETIR, start);
    sentencias_hasta({tk_HASTA, tk_RBRACE});
    if (!expect(tk_HASTA, "sent.repetir", "`hasta' y una condici\xf3n para terminar el ciclo")) {
        return;
    }
    gen_line(lineNumber());
    skip();
    if (!expr_booleana()) return;
    emit_back(i_JMPF, start);
    fixup_exits(code->nextAddr());
    unregister_loop();
}

// The variable's address, the start, the end and the step stay on the stack for the whole
// loop, with an ascending flag on top of them.
void ZQParser::sent_desde() {
    const char* topic = "sent.desde";
    skip();
    if (!expect(tk_IDENT, topic, "el nombre de una variable para el ciclo `desde'")) return;
    TipoDato* t = isByRef(topic, nullptr);
    if (!t) return;
    if (!is_simple(t, s_NUM)) {
        raiseError_type_mismatch(topic, tNum, t);
        return;
    }
    if (!expect(tk_ASSIGN, topic, "`='")) return;
    skip();
    if (!expr_numerica(topic, &ZQParser::expr_simple)) return;
    gen_emit(i_CALL_STDF, sf_INT, 0);
    if (!expect(tk_HASTA, topic, "`hasta'")) return;
    skip();
    TipoDato* end = expr_simple();
    if (!end) return;
    if (is_simple(end, s_BOOL)) {
        raiseError_generic(topic,
                           "El valor final del ciclo desde se especifica con un valor num\xe9rico; "
                           "se encontr\xf3 una condici\xf3n l\xf3gica");
        return;
    }
    if (!is_simple(end, s_NUM)) {
        raiseError_type_mismatch(topic, tNum, end);
        return;
    }
    gen_emit(i_CALL_STDF, sf_INT, 0);
    if (tokenKind == tk_PASO) {
        skip();
        if (!expr_numerica(topic, &ZQParser::expr_simple)) return;
        gen_emit(i_CALL_STDF, sf_INT, 0);
    } else {
        gen_emit(i_LD_NUM, 1);
    }
    if (!expect(tk_LBRACE, topic, "`{' para iniciar el cuerpo del ciclo")) return;
    skip();
    gen_emit(i_DUP, -3);
    gen_emit(i_DUP, -3);
    gen_emit(i_STORE, 0, 1);
    gen_emit(i_DUP, 0);
    gen_emit(i_LD_NUM, 1);
    gen_emit(i_GE);
    const int start = code->nextAddr();
    gen_emit(i_DUP, -4);
    gen_emit(i_LD_INDIRECT, 0, 1);
    gen_emit(i_DUP, -3);
    gen_emit(i_DUP, -2);
    gen_emit(i_JMPT, 3);
    gen_emit(i_LT);
    gen_emit(i_JMP, 2);
    gen_emit(i_GT);
    const int exitJump = emit_forward(i_JMPT);
    register_loop(tk_DESDE, start);
    bloque_sentencias();
    gen_emit(i_DUP, -4);
    gen_emit(i_DUP, -2);
    gen_emit(i_CALL_STDF, sf_INC, 0);
    gen_emit(i_POP, 0, 1);
    emit_back(i_JMP, start);
    patch_to(exitJump, code->nextAddr());
    fixup_exits(code->nextAddr());
    unregister_loop();
    gen_emit(i_POP, 0, 5);
}

void ZQParser::sent_salir() {
    if (loopDepth <= 0) {
        raiseError_generic("sent.salir",
                           "La sentencia `salir' solo puede usarse dentro de un ciclo");
        return;
    }
    loops.Add({tk_SALIR, emit_forward(i_JMP)});
    skip();
}

void ZQParser::sent_retorna() {
    const char* topic = "sent.retorna";
    ProcInfo* p = table->curProc();
    TipoDato* t = p->getType();
    if (!t) {
        raiseError_generic(topic, "La sentencia `retorna' solo puede usarse en una funci\xf3n");
        return;
    }
    skip();
    gen_emit(i_LD_ADDR_LOCAL, p->getRetAddr());
    TipoDato* value = expr_constructor_literal(t);
    if (!value) return;
    if (!sameTypes(t, value, 1)) {
        raiseError_type_mismatch(topic, t, value);
        return;
    }
    gen_emit(i_STORE, 0, static_cast<unsigned>(t->getSize()));
    if (tokenKind == tk_SEMICOLON) skip();
    if (tokenKind != tk_FIN) {
        raiseError_generic(topic,
                           "La sentencia `retorna' debe ser la \xfaltima del subprograma, justo "
                           "antes de `fin'");
        return;
    }
    retornaSeen = true;
}
