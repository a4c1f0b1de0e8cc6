// The predefined names: the simple types, the logical constants and the predefined
// subroutines with their parameters and defaults.
#include <cstdlib>
#include <string>

#include "compiler/tablemgr.h"
#include "lang/stdf_id.h"

namespace {

// Parameters are written "&n|n=1": '&' marks by reference, the letter is the type
// (n numerico, s cadena, b logico), "=text" a default value. Special subroutines parse
// their own arguments and list none here.
struct StdProc {
    const char* name;
    STDF_ID id;
    char result;  // '-' for none
    const char* params;
};

const StdProc StdProcs[] = {
    {"ascii", sf_ASCII, 's', "n"},
    {"ord", sf_ORD, 'n', "s"},
    {"abs", sf_ABS, 'n', "n"},
    {"arctan", sf_ARCTAN, 'n', "n"},
    {"sin", sf_SIN, 'n', "n"},
    {"cos", sf_COS, 'n', "n"},
    {"tan", sf_TAN, 'n', "n"},
    {"exp", sf_EXP, 'n', "n"},
    {"int", sf_INT, 'n', "n"},
    {"log", sf_LOG, 'n', "n"},
    {"sqrt", sf_SQRT, 'n', "n"},
    {"val", sf_VAL, 'n', "s"},
    {"strlen", sf_STRLEN, 'n', "s"},
    {"upper", sf_UPPER, 's', "s"},
    {"lower", sf_LOWER, 's', "s"},
    {"eof", sf_EOF, 'b', ""},
    {"set_stdin", sf_SET_STDIN, 'b', "s"},
    {"cls", sf_CLS, '-', ""},
    {"sec", sf_SEC, 'n', ""},
    {"mem", sf_MEM, 'n', ""},
    {"pcount", sf_PCOUNT, 'n', ""},
    {"paramval", sf_PARAMVAL, 's', "n"},
    {"set_ifs", sf_SET_IFS, '-', "s"},
    {"get_ifs", sf_GET_IFS, 's', ""},
    {"set_ofs", sf_SET_OFS, '-', "s"},
    {"get_ofs", sf_GET_OFS, 's', ""},
    {"runcmd", sf_RUNCMD, 'n', "s"},
    {"leer", sf_LEER, '-', ""},
    {"imprimir", sf_IMPRIMIR, '-', ""},
    {"dim", sf_DIM, '-', ""},
    {"alen", sf_ALEN, 'n', ""},
    {"strdup", sf_STRDUP, 's', "s|n"},
    {"random", sf_RANDOM, 'n', "n|n=0"},
    {"str", sf_STR, 's', "n|n=0|n=2|s= "},
    {"substr", sf_SUBSTR, 's', "s|n|n=-1"},
    {"inc", sf_INC, 'n', "&n|n=1"},
    {"replch", sf_REPLCH, '-', "&s|n|s"},
    {"dec", sf_DEC, 'n', "&n|n=1"},
    {"pos", sf_POS, 'n', "s|s|n=1"},
    {"set_stdout", sf_SET_STDOUT, 'b', "s|s=w+t"},
    {"terminar", sf_TERMINAR, '-', "s= "},
    {"set_curpos", sf_SET_CURPOS, '-', "n|n"},
    {"get_curpos", sf_GET_CURPOS, '-', "&n|&n"},
    {"set_color", sf_SET_COLOR, '-', "n|n"},
    {"get_color", sf_GET_COLOR, '-', "&n|&n"},
    {"get_scrsize", sf_GET_SCRSIZE, '-', "&n|&n"},
    {"readkey", sf_READKEY, 'n', "n=-1"},
    {"min", sf_MIN, 'b', ""},
    {"max", sf_MAX, 'b', ""},
    {"ifval", sf_IFVAL, 'b', ""},
    {"intercambiar", sf_INTERCAMBIAR, '-', ""},
    {"swap", sf_INTERCAMBIAR, '-', ""},
    {"beep", sf_BEEP, '-', "n=500|n=100"},
};

}  // namespace

void TableMgr::addStandTypes() {
    stdNames->fillStandTypes();
}

void TableMgr::addStandProc() {
    stdNames->fillStandProc();
}

void TableMgr::fillStandTypes() {
    ProcInfo* main = mainProc;
    const long double zero = 0;
    const char falseByte = 0;
    const char trueByte = 1;
    auto* num = make<TDSimple>("numerico", s_NUM, addGblConst(s_NUM, &zero));
    auto* str = make<TDSimple>("cadena", s_STR, addGblConst(s_STR, ""));
    auto* log = make<TDSimple>("logico", s_BOOL, addGblConst(s_BOOL, &falseByte));
    auto* undef = make<TDNombreTipo>("$undef$", num);
    undef->createUndefRef("$undef$");
    for (TipoDato* t : {static_cast<TipoDato*>(num), static_cast<TipoDato*>(str),
                        static_cast<TipoDato*>(log), static_cast<TipoDato*>(undef)}) {
        main->add(t);
    }
    const struct {
        const char* name;
        const char* value;
    } logical[] = {
        {"FALSE", &falseByte}, {"TRUE", &trueByte}, {"SI", &trueByte}, {"NO", &falseByte}};
    for (const auto& c : logical) {
        auto* v = make<Var>(c.name);
        v->setType(log);
        v->setTipoVida(tv_CONST);
        v->setAddrScope(as_GLOBAL);
        v->setAddress(addGblConst(s_BOOL, c.value));
        v->confirm();
        main->add(v);
    }
}

void TableMgr::fillStandProc() {
    auto typeOf = [this](char letter) -> TipoDato* {
        const char* name = letter == 'n' ? "numerico" : letter == 's' ? "cadena" : "logico";
        return static_cast<TipoDato*>(mainProc->find(name));
    };
    for (const StdProc& row : StdProcs) {
        ProcInfo* p = newProc(row.name);
        p->setLinkType(PL_STDF);
        p->setAddress(row.id);
        if (row.result != '-') p->setType(typeOf(row.result));
        std::string params = row.params;
        size_t start = 0;
        while (start < params.size()) {
            size_t end = params.find('|', start);
            if (end == std::string::npos) end = params.size();
            std::string param = params.substr(start, end - start);
            start = end + 1;
            auto* v = make<Var>("");
            const bool byRef = param[0] == '&';
            if (byRef) param.erase(0, 1);
            const char letter = param[0];
            v->setType(typeOf(letter));
            v->setAddrScope(byRef ? as_PARAM_REF : as_PARAM_VAL);
            if (param.size() > 1 && param[1] == '=') {
                const std::string text = param.substr(2);
                v->setAddrScope(as_PARAM_DEF);
                if (letter == 's') {
                    v->setAddress(addGblConst(s_STR, text.c_str()));
                } else {
                    const long double value = std::strtold(text.c_str(), nullptr);
                    v->setAddress(addGblConst(s_NUM, &value));
                }
            }
            v->confirm();
            p->addParam(v);
        }
        p->confirm();
    }
    cur = mainProc;
}
