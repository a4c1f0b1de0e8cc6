// Program layout, the two passes, declaration sections and subroutine headers and bodies.
#include <cmath>
#include <string>

#include "compiler/zqparser.h"

namespace {

constexpr long double kMaxDim = 2147483647.0L;

}  // namespace

int ZQParser::parse() {
    skip();
    std::string name = "$main";
    if (tokenKind == tk_PROGRAMA) {
        skip();
        if (tokenKind != tk_IDENT) {
            raiseError_expect_token("decl.prog",
                                    "un nombre para el programa (recuerde que `programa' es "
                                    "opcional)");
            return 0;
        }
        name = getTokenString();
        skip();
        checkEOL();
    }
    ProcInfo* mainProc = table->newProc(name.c_str());
    mainProc->setAsMain();
    table->setMainProc(mainProc);
    table->createStdNamesTable();
    table->addStandTypes();
    table->addStandProc();
    getStdTypesReferences();
    if (errorCode) return 0;

    buildPrototypes();
    if (errorCode || !reopenSource()) return 0;
    set("");
    table->setCurProc(mainProc);
    skip();
    skipProgramHeader();
    if (errorCode) return 0;

    gen_emit(i_ENTER, 0, 0);
    gen_emit(i_LD_INT, 0, 0);
    decl_datos(mainProc);
    if (errorCode) return 0;
    fixup_chk_todos_definidos();
    if (errorCode) return 0;
    recalc_tam_params();
    cuerpo_sub(mainProc);
    if (errorCode) return 0;
    // The main program's return becomes the epilogue: drop the globals and halt.
    if (INST* last = code->getInst(code->nextAddr() - 1); last && last->opcode == i_RET) {
        last->opcode = i_POP;
    }
    gen_emit(i_POP, 0, 1);
    gen_emit(i_HALT, 0, 0);
    subrutinas();
    if (errorCode) return 0;
    fixup_ifunct_vsize();
    fixup_calls();
    return errorCode == 0;
}

void ZQParser::getStdTypesReferences() {
    auto type = [this](const char* name) {
        return static_cast<TipoDato*>(table->find(name, ss_ALL));
    };
    tNum = type("numerico");
    tStr = type("cadena");
    tLog = type("logico");
    tUndef = type("$undef$");
}

void ZQParser::skipProgramHeader() {
    if (tokenKind != tk_PROGRAMA) return;
    skip();
    skip();
    checkEOL();
}

// First pass: only subroutine headers are compiled, so calls and parameter types are known
// before any body; every other token is just scanned.
void ZQParser::buildPrototypes() {
    genIncompleteTypes = true;
    ProcInfo* mainProc = table->getMainProc();
    while (tokenKind != tk_EOF) {
        if (tokenKind == tk_SUB) {
            table->setCurProc(mainProc);
            decl_subrutina();
        } else {
            skip();
        }
    }
    table->setCurProc(mainProc);
    genIncompleteTypes = false;
}

void ZQParser::decl_datos(ProcInfo* p) {
    while (running) {
        switch (tokenKind) {
            case tk_CONST:
                skip();
                decl_const();
                break;
            case tk_TIPOS:
                skip();
                decl_tipos();
                break;
            case tk_VAR:
                skip();
                decl_vars();
                break;
            case tk_LIBEXT:
                if (!p->is_main()) {
                    raiseError_generic("decl.libext",
                                       "`libext' solo puede usarse en el programa principal");
                    return;
                }
                skip();
                decl_libext();
                break;
            default:
                return;
        }
    }
}

// The name being declared at the current token; false, after the error, when this scope
// already has it.
bool ZQParser::nombre_nuevo(const char* topic, std::string& name) {
    name = getTokenString();
    if (!table->find(name.c_str(), ss_LOCAL)) return true;
    raiseError_dup_ident(topic, name.c_str());
    return false;
}

void ZQParser::decl_const() {
    if (tokenKind != tk_IDENT) {
        raiseError_expect_token("decl.const", "proveer un nombre para la constante");
        return;
    }
    while (running && tokenKind == tk_IDENT) {
        std::string name;
        if (!nombre_nuevo("decl.const", name)) return;
        skip();
        if (tokenKind != tk_ASSIGN && tokenKind != tk_COLON) {
            raiseError_expect_token("decl.const", "`=' luego del nombre de la constante");
            return;
        }
        skip();
        TipoDato* type = nullptr;
        const int index = valor_constante(&type);
        if (index < 0) return;
        auto* c = table->make<Var>(name.c_str());
        c->setType(type);
        c->setTipoVida(tv_CONST);
        c->setAddrScope(as_GLOBAL);
        c->setAddress(index);
        c->confirm();
        table->curProc()->add(c);
        resolve_array_sizes(c);
        if (errorCode) return;
        checkEOL();
    }
}

// A literal, a signed numeric literal or the name of a known constant; the result is its
// pool index (-1 after an error).
int ZQParser::valor_constante(TipoDato** type) {
    bool negative = false;
    if (tokenKind == tk_PLUS || tokenKind == tk_MINUS) {
        negative = tokenKind == tk_MINUS;
        skip();
        if (tokenKind != tk_NUMCONST) {
            raiseError_generic("literal.const",
                               "Solo los literales num\xe9ricos pueden llevar signo");
            return -1;
        }
    }
    int index = -1;
    switch (tokenKind) {
        case tk_NUMCONST: {
            long double value = str2num(getTokenString());
            if (negative) value = -value;
            index = addGblConst(s_NUM, &value);
            *type = tNum;
            break;
        }
        case tk_STRCONST:
            index = addGblConst(s_STR, getTokenString());
            *type = tStr;
            break;
        case tk_IDENT: {
            BaseSimb* s = table->find(getTokenString(), ss_ALL);
            if (!s) {
                raiseError_undef_ident("literal.const.simbolica", getTokenString(),
                                       ". Se requiere el nombre de una constante simb\xf3lica");
                return -1;
            }
            auto* v = s->tipo() == to_VAR ? static_cast<Var*>(s) : nullptr;
            if (!v || v->getTipoVida() != tv_CONST) {
                raiseError_wrong_object_type("literal.const.simbolica", s, " una constante", "");
                return -1;
            }
            index = v->address();
            *type = v->getType();
            break;
        }
        default:
            raiseError_expect_token("literal.const",
                                    "una constante o un nombre de constante previamente declarado");
            return -1;
    }
    skip();
    return index;
}

void ZQParser::decl_tipos() {
    if (tokenKind != tk_IDENT) {
        raiseError_expect_token("decl.tipos", "proveer un nombre de tipo de dato");
        return;
    }
    while (running && tokenKind == tk_IDENT) {
        std::string name;
        if (!nombre_nuevo("decl.tipos", name)) return;
        skip();
        if (tokenKind != tk_COLON) {
            raiseError_expect_token("decl.tipos", "`:' luego del nombre del tipo de dato");
            return;
        }
        skip();
        TipoDato* t = declarador_tipos();
        if (!t) return;
        TipoDato* named = t;
        if (t->is_anonymous()) {
            t->setName(name.c_str());
            t->setAnonymousFlag(false);
        } else {
            auto* alias = table->make<TDNombreTipo>(name.c_str(), t);
            alias->confirmSourceType(t);
            named = alias;
        }
        named->confirm();
        table->curProc()->add(named);
        bind_placeholder(name.c_str(), named);
        checkEOL();
    }
}

void ZQParser::bind_placeholder(const char* name, TipoDato* type) {
    for (int i = 0; i < undefTypes.getItemsInContainer(); ++i) {
        auto* p = dynamic_cast<TDNombreTipo*>(undefTypes.getByPos(i));
        if (p && p->getUndefInfo() && std::string(p->getName()) == name) {
            p->confirmSourceType(type);
            p->removeUndefRef();
        }
    }
}

TipoDato* ZQParser::declarador_tipos() {
    Nesting guard(this);
    if (!guard.ok()) return nullptr;
    if (tokenKind == tk_REGISTRO) return declarador_registro();
    if (tokenKind == tk_VECTOR) return declarador_arreglo();
    if (tokenKind != tk_IDENT) {
        raiseError_expect_token("decl.tipos",
                                "`vector', `matriz', `registro' o un nombre de tipo de dato "
                                "previamente definido");
        return nullptr;
    }
    const std::string name = getTokenString();
    BaseSimb* s = table->find(name.c_str(), ss_ALL);
    if (!s) {
        if (!genIncompleteTypes) {
            raiseError_undef_ident("tipos", name.c_str());
            return nullptr;
        }
        // One placeholder per name, shared by every use, bound when the name is declared.
        auto* p = static_cast<TipoDato*>(undefTypes.findByName(name.c_str()));
        if (!p) {
            auto* holder = table->make<TDNombreTipo>(name.c_str(), tUndef);
            holder->createUndefRef(name.c_str());
            holder->getUndefInfo()->setSourcePos(lineNumber(), static_cast<int>(getTokenPos()));
            undefTypes.add(holder);
            p = holder;
        }
        skip();
        return p;
    }
    if (s->tipo() != to_TIPO) {
        raiseError(lineNumber(), static_cast<int>(getTokenPos()), "tipos", curString(),
                   "`%s' no es un nombre de tipo de dato", name.c_str());
        return nullptr;
    }
    TipoDato* t = static_cast<TipoDato*>(s)->getInnerType();
    if (t->is_incomplete() && !genIncompleteTypes) {
        raiseError(lineNumber(), static_cast<int>(getTokenPos()), "ref.anticipadas", curString(),
                   "La definicion del tipo `%s' esta incompleta.", name.c_str());
        return nullptr;
    }
    skip();
    return t;
}

// Reads `a, b, c : tipo', the shape shared by record fields and parameter groups. A name
// repeated in the list, or already taken, is reported through the rules. Returns the type, or
// null after an error.
TipoDato* ZQParser::nombres_con_tipo(const NameListRules& rules, std::vector<std::string>& names) {
    for (;;) {
        const std::string name = getTokenString();
        bool repeated = rules.taken(name.c_str());
        for (const std::string& n : names) repeated = repeated || n == name;
        if (repeated) {
            rules.reportDuplicate(name.c_str());
            return nullptr;
        }
        names.push_back(name);
        skip();
        if (tokenKind != tk_COMMA) break;
        skip();
        if (tokenKind != tk_IDENT) {
            raiseError_expect_token(rules.nameTopic, rules.nameWhat);
            return nullptr;
        }
    }
    if (tokenKind != tk_COLON) {
        raiseError_expect_token(rules.colonTopic, "`:' para poner luego el tipo de dato");
        return nullptr;
    }
    skip();
    return declarador_tipos();
}

TipoDato* ZQParser::declarador_registro() {
    skip();
    if (tokenKind != tk_LBRACE) {
        raiseError_expect_token("decl.registro", "`{' luego de la palabra `registro'");
        return nullptr;
    }
    skip();
    auto* rec = table->make<TDRec>();
    int offset = 0;
    while (running) {
        if (tokenKind != tk_IDENT) {
            if (tokenKind == tk_RBRACE && rec->fieldCount() > 0) break;
            if (rec->fieldCount() == 0) {
                raiseError_generic("decl.registro",
                                   "Se debe proveer uno o m\xe1s nombres de campos del registro");
            } else {
                raiseError(lineNumber(), static_cast<int>(getTokenPos()), "decl.registro",
                           curString(),
                           "El registro solo puede contener la definici\xf3n de los campos y debe "
                           "finalizar con `}'. Se encontr\xf3 `%s'",
                           getTokenString());
            }
            return nullptr;
        }
        std::vector<std::string> names;
        const NameListRules fieldRules{
            [rec](const char* name) { return rec->findField(name) != nullptr; },
            [this](const char* name) {
                raiseError(lineNumber(), static_cast<int>(getTokenPos()), "registros", curString(),
                           "Ya existe otro campo llamado `%s' en este registro", name);
            },
            "registros", "nombre de campo", "decl.registro"};
        TipoDato* ft = nombres_con_tipo(fieldRules, names);
        if (!ft) return nullptr;
        for (const std::string& n : names) {
            auto* f = table->make<Var>(n.c_str());
            f->setType(ft);
            f->setAddrScope(as_LOCAL);
            f->setAddress(offset);
            f->confirm();
            rec->addField(f);
            offset += ft->getSize();
        }
        if (tokenKind == tk_RBRACE) break;
        checkEOL("decl.registro");
    }
    if (!running) return nullptr;
    skip();
    return rec;
}

TipoDato* ZQParser::declarador_arreglo() {
    skip();
    if (tokenKind != tk_LBRACKET) {
        raiseError_expect_token("decl.arreglo", " `[' para definir el tama\xf1o del arreglo");
        return nullptr;
    }
    skip();
    std::vector<TDArray*> dims;
    bool sawFixed = false;
    for (;;) {
        auto* a = table->make<TDArray>();
        if (!dimension_arreglo(a, &sawFixed)) return nullptr;
        dims.push_back(a);
        if (tokenKind == tk_COMMA) {
            skip();
            continue;
        }
        if (tokenKind == tk_RBRACKET) break;
        raiseError_expect_token(
            "decl.arreglo",
            "`,' para habilitar otra dimensi\xf3n o `]' para terminar la lista de dimensiones");
        return nullptr;
    }
    skip();
    TipoDato* elements = declarador_tipos();
    if (!elements) return nullptr;
    for (size_t i = dims.size(); i-- > 0;) {
        dims[i]->setElementsType(elements);
        elements = dims[i];
    }
    return dims.front();
}

// One dimension: `*', a numeric literal or a constant name (which the first pass may
// leave pending until the main program declares it).
bool ZQParser::dimension_arreglo(TDArray* a, bool* sawFixed) {
    if (tokenKind == tk_STAR) {
        if (*sawFixed) {
            raiseError_generic("decl.arreglo",
                               "Luego de una dimensi\xf3n con tama\xf1o fijo, ya no pueden haber "
                               "dimensiones con tama\xf1o abierto");
            return false;
        }
        skip();
        return true;
    }
    *sawFixed = true;
    const char* expected = fmt_error("un entero positivo o una constante entre1 y %d", 2147483647);
    const std::string wanted = expected;
    if (tokenKind == tk_IDENT) {
        BaseSimb* s = table->find(getTokenString(), ss_ALL);
        if (!s && genIncompleteTypes) {
            a->createUndefRef(getTokenString());
            a->getUndefInfo()->setSourcePos(lineNumber(), static_cast<int>(getTokenPos()));
            undefTypes.add(a);
            skip();
            return true;
        }
        auto* v = s && s->tipo() == to_VAR ? static_cast<Var*>(s) : nullptr;
        if (v && v->getTipoVida() == tv_CONST && !is_simple(v->getType(), s_NUM)) {
            raiseError_expect_token("decl.arreglo.dim", wanted.c_str());
            return false;
        }
    } else if (tokenKind != tk_NUMCONST && tokenKind != tk_PLUS && tokenKind != tk_MINUS) {
        raiseError_expect_token("decl.arreglo.dim", wanted.c_str());
        return false;
    }
    TipoDato* type = nullptr;
    const int index = valor_constante(&type);
    if (index < 0) return false;
    const long double value = table->getConstPtr(index)->num;
    if (value < 1 || value > kMaxDim || std::floor(value) != value) {
        raiseError(lineNumber(), static_cast<int>(getTokenPos()), "decl.arreglo.dim", curString(),
                   "El tama\xf1o del arreglo debe ser un entero entre 1 y %d", 2147483647);
        return false;
    }
    a->setDim(static_cast<int>(value));
    return true;
}

void ZQParser::resolve_array_sizes(Var* constant) {
    for (int i = 0; i < undefTypes.getItemsInContainer(); ++i) {
        auto* a = dynamic_cast<TDArray*>(undefTypes.getByPos(i));
        RefUndef* ref = a ? a->getUndefInfo() : nullptr;
        if (!ref || std::string(ref->getUndefIdent()) != constant->getName()) continue;
        const ZQVal* cell = table->getConstPtr(constant->address());
        if (!is_simple(constant->getType(), s_NUM) || !cell) {
            raiseError(
                ref->getLine(), ref->getCol(), "decl.arreglos", nullptr,
                "El tama\xf1o del arreglo debe ser una constante num\xe9rica entera; `%s' no es "
                "num\xe9rico o no es entero",
                constant->getName());
            return;
        }
        const long double value = cell->num;
        if (value < 1 || value > kMaxDim || std::floor(value) != value) {
            raiseError(ref->getLine(), ref->getCol(), "decl.arreglos", nullptr, "%s",
                       "El tama\xf1o del arreglo no es correcto");
            return;
        }
        a->setDim(static_cast<int>(value));
        a->removeUndefRef();
    }
}

void ZQParser::fixup_chk_todos_definidos() {
    for (int i = 0; i < undefTypes.getItemsInContainer(); ++i) {
        auto* t = static_cast<TipoDato*>(undefTypes.getByPos(i));
        if (RefUndef* ref = t->getUndefInfo()) {
            raiseError(ref->getLine(), ref->getCol(), "decl.undef", nullptr,
                       "Identificador `%s' no est\xe1 definido", ref->getUndefIdent());
            return;
        }
    }
}

void ZQParser::recalc_tam_params() {
    for (int i = 0; i < table->getProcCount(); ++i) {
        ProcInfo* p = table->procAt(i);
        if (p->is_local_zq() && !p->is_main()) p->assignAddressToParams();
    }
}

void ZQParser::decl_vars() {
    if (tokenKind != tk_IDENT) {
        raiseError_expect_token("decl.vars", "un nombre de variable");
        return;
    }
    ProcInfo* p = table->curProc();
    while (running && tokenKind == tk_IDENT) {
        p->markLastWithAddress();
        std::vector<Var*> vars;
        for (;;) {
            std::string name;
            if (!nombre_nuevo("decl.vars", name)) return;
            auto* v = table->make<Var>(name.c_str());
            v->setAddrScope(as_LOCAL);
            p->add(v);
            vars.push_back(v);
            skip();
            if (tokenKind != tk_COMMA) break;
            skip();
            if (tokenKind != tk_IDENT) {
                raiseError_expect_token("decl.lista.vars", "un nombre v\xe1lido de variable");
                return;
            }
        }
        if (tokenKind == tk_ASSIGN && vars.size() == 1) {
            // The variable takes the type of its initial value, which becomes its cell.
            skip();
            if (tokenKind == tk_LBRACE) {
                raiseError_expect_token("decl.vars", "tipo de dato para este inicializador");
                return;
            }
            TipoDato* t = expresion();
            if (!t) return;
            vars[0]->setType(t);
            p->assignAddressToLastVars();
            vars[0]->confirm();
        } else if (tokenKind == tk_COLON) {
            skip();
            TipoDato* t = declarador_tipos();
            if (!t) return;
            if (tokenKind == tk_ASSIGN && vars.size() > 1) {
                raiseError_generic("decl.vars",
                                   "Solo una variable puede ser declarada e inicializada a la vez");
                return;
            }
            for (Var* v : vars) {
                v->setType(t);
                if (!gen_one_var(t)) return;
            }
            p->assignAddressToLastVars();
            if (tokenKind == tk_ASSIGN) {
                gen_ld_addr(vars[0]);
                skip();
                TipoDato* vt = expr_constructor_literal(t);
                if (!vt) return;
                if (!sameTypes(t, vt, 1)) {
                    raiseError_type_mismatch("decl.vars", t, vt);
                    return;
                }
                gen_emit(i_STORE, 0, static_cast<unsigned>(t->getSize()));
            }
            for (Var* v : vars) v->confirm();
        } else if (tokenKind == tk_ASSIGN) {
            raiseError_generic("decl.vars",
                               "Solo una variable puede ser declarada e inicializada a la vez");
            return;
        } else {
            raiseError_expect_token("decl.vars", "`:' para poner luego el tipo de dato");
            return;
        }
        checkEOL();
    }
}

void ZQParser::decl_libext() {
    ProcInfo* mainProc = table->getMainProc();
    if (tokenKind != tk_IDENT) {
        raiseError_generic("decl.libext", "`libext' debe estar seguido de un nombre");
        return;
    }
    const std::string name = getTokenString();
    BaseSimb* s = table->find(name.c_str(), ss_LOCAL);
    LibExt* lib = nullptr;
    if (s && s->tipo() == to_LIBEXT) {
        lib = static_cast<LibExt*>(s);
        skip();
        if (tokenKind == tk_LPAREN) {
            raiseError(lineNumber(), static_cast<int>(getTokenPos()), "decl.libext", curString(),
                       "El nombre de librer\xed"
                       "a externa `%s' solo se puede especificarse una vez",
                       name.c_str());
            return;
        }
    } else if (s) {
        raiseError_dup_ident("decl.libext", name.c_str());
        return;
    } else {
        skip();
        int fileIndex = -1;
        if (tokenKind == tk_LPAREN) {
            skip();
            if (tokenKind != tk_STRCONST) {
                raiseError_expect_token("decl.libext", "una constante de cadena");
                return;
            }
            fileIndex = addGblConst(s_STR, getTokenString());
            skip();
            if (tokenKind != tk_RPAREN) {
                raiseError_expect_token("decl.libext", "`)'");
                return;
            }
            skip();
        } else {
            fileIndex = addGblConst(s_STR, name.c_str());
        }
        lib = table->make<LibExt>(name.c_str());
        lib->setType(tNum);
        lib->setInternalNameAddr(fileIndex);
        mainProc->markLastWithAddress();
        mainProc->add(lib);
        mainProc->assignAddressToLastVars();
        lib->confirm();
        gen_link_libext(lib);
    }
    checkEOL();
    while (running && tokenKind == tk_IDENT) {
        const std::string routine = getTokenString();
        if (table->find(routine.c_str(), ss_GLOBAL)) {
            raiseError_dup_ident("decl.libext", routine.c_str());
            return;
        }
        DLProc* d = table->newDLProc(routine.c_str());
        d->setLibExt(lib);
        d->setInternalNameAddr(addGblConst(s_STR, routine.c_str()));
        skip();
        const bool ok = lista_param(d);
        table->setCurProc(mainProc);
        if (!ok) return;
        if (tokenKind == tk_RETORNA) {
            table->setCurProc(d);
            skip();
            TipoDato* t = declarador_tipos();
            table->setCurProc(mainProc);
            if (!t) return;
            d->setType(t);
        }
        mainProc->markLastWithAddress();
        mainProc->add(d);
        mainProc->assignAddressToLastVars();
        d->confirm();
        gen_link_dlproc(d);
        checkEOL();
    }
}

void ZQParser::decl_subrutina() {
    skip();
    if (tokenKind != tk_IDENT) {
        raiseError_expect_token("decl.subprog", "nombre del subprograma");
        return;
    }
    const std::string name = getTokenString();
    if (BaseSimb* s = table->find(name.c_str(), ss_GLOBAL)) {
        if (s->tipo() == to_LIBEXT || s->tipo() == to_DLPROC) {
            raiseError(lineNumber(), static_cast<int>(getTokenPos()), "decl.subprog", curString(),
                       "`%s' no puede usarse como nombre de subrutina", name.c_str());
        } else {
            raiseError_dup_ident("decl.subprog", name.c_str());
        }
        return;
    }
    ProcInfo* p = table->newProc(name.c_str());
    skip();
    if (!lista_param(p)) return;
    if (tokenKind == tk_RETORNA) {
        skip();
        TipoDato* t = declarador_tipos();
        if (!t) return;
        p->setType(t);
    }
    p->assignAddressToParams();
    checkEOL();
}

bool ZQParser::lista_param(ProcInfo* p) {
    if (tokenKind != tk_LPAREN) {
        raiseError_expect_token("lista.params", "`('. Si no hay par\xe1metros, use `()'");
        return false;
    }
    skip();
    while (running && tokenKind != tk_RPAREN) {
        const bool byRef = tokenKind == tk_REF;
        if (byRef) skip();
        if (tokenKind != tk_IDENT) {
            raiseError_expect_token(
                "lista.params",
                " nombre de par\xe1metro; si el par\xe1metro es por referencia, "
                "prec\xe9"
                "dalo por `ref'");
            return false;
        }
        std::vector<std::string> names;
        const NameListRules paramRules{
            [p](const char* name) { return p->find(name) != nullptr; },
            [this](const char* name) { raiseError_dup_ident("identificadores", name); },
            "identificadores", "identificador", "lista.params"};
        TipoDato* t = nombres_con_tipo(paramRules, names);
        if (!t) return false;
        for (const std::string& n : names) {
            auto* v = table->make<Var>(n.c_str());
            v->setType(t);
            v->setAddrScope(byRef ? as_PARAM_REF : as_PARAM_VAL);
            v->confirm();
            p->addParam(v);
        }
        if (tokenKind == tk_RPAREN) break;
        if (tokenKind == tk_SEMICOLON) {
            skip();
            if (tokenKind == tk_RPAREN) {
                raiseError_expect_token(
                    "lista.params",
                    " nombre de par\xe1metro; si el par\xe1metro es por referencia, "
                    "prec\xe9"
                    "dalo por `ref'");
                return false;
            }
            continue;
        }
        if (tokenKind != tk_IDENT && tokenKind != tk_REF) {
            raiseError_expect_token("lista.params", "`)' para finalizar la lista de par\xe1metros");
            return false;
        }
        if (prevToken != tk_EOLN) {
            raiseError_generic("lista.params",
                               "Se requiere separar los componentes con`;' o <fin de l\xednea>");
            return false;
        }
    }
    if (!running) return false;
    skip();
    return true;
}

void ZQParser::cuerpo_sub(ProcInfo* p) {
    if (tokenKind != tk_INICIO) {
        raiseError_generic("estructura.subprog", "El cuerpo del subprograma requiere `inicio'");
        return;
    }
    skip();
    retornaSeen = false;
    sentencias_hasta({tk_FIN});
    if (!running) return;
    if (tokenKind != tk_FIN) {
        raiseError_generic("estructura.subprog",
                           "El cuerpo del subprograma debe terminarse con `fin'");
        return;
    }
    if (p->getType() && !retornaSeen) {
        raiseError(lineNumber(), static_cast<int>(getTokenPos()), "estructura.subprog", curString(),
                   "La subrutina `%s' fue declarada como una funci\xf3n, por lo que se requiere "
                   "`retorna' como \xfaltima sentencia",
                   p->getName());
        return;
    }
    gen_line(lineNumber());
    gen_emit(i_RET, 0, static_cast<unsigned>(p->getParamsSize() + p->getVarsSize()));
    p->confirm();
    skip();
    checkEOL();
}

// Second pass over the subroutines, in source order after the main program.
void ZQParser::subrutinas() {
    ProcInfo* mainProc = table->getMainProc();
    while (running && tokenKind != tk_EOF) {
        if (tokenKind != tk_SUB) {
            raiseError_generic("estructura.programa", "Se espera cabecera de subrutina");
            continue;
        }
        skip();
        table->setCurProc(mainProc);
        BaseSimb* s = tokenKind == tk_IDENT ? table->find(getTokenString(), ss_ALL) : nullptr;
        if (!s || s->tipo() != to_PROC || !static_cast<ProcInfo*>(s)->is_local_zq() ||
            static_cast<ProcInfo*>(s)->is_confirmed()) {
            raiseError_generic(".internal",
                               "Error interno. El programa fuente cambi\xf3 entre la primera y "
                               "segunda pasada");
            return;
        }
        auto* p = static_cast<ProcInfo*>(s);
        while (running && tokenKind != tk_RPAREN && tokenKind != tk_EOF) skip();
        skip();
        if (tokenKind == tk_RETORNA) {
            skip();
            if (!declarador_tipos()) return;
        }
        checkEOL();
        table->setCurProc(p);
        p->setAddress(code->nextAddr());
        p->assignAddressToParams();
        gen_emit(i_ENTER, 0, 0);
        decl_datos(p);
        if (!running) return;
        cuerpo_sub(p);
    }
}
