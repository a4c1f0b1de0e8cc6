#pragma once

#include <functional>
#include <string>
#include <vector>

#include "compiler/tablemgr.h"
#include "compiler/zqerrorinfo.h"
#include "compiler/zqscanner.h"
#include "lang/zqcode.h"

// A call to a subroutine whose address is known only when its body has been compiled.
struct CallFixup {
    int addr;
    ProcInfo* proc;
};

// An open loop (its kind and start) or a pending `salir' jump (tk_SALIR and its address).
struct LoopExitFixup {
    int kind;
    int addr;
};

// Deepest nesting of expressions, statements and type declarators; deeper sources are
// refused with a compile error rather than exhausting the compiler's own stack.
constexpr int kMaxNesting = 200;

// Two-pass recursive-descent compiler of ZQ: reads tokens and emits stack-machine code
// directly. Subclasses supply the source lines and receive the errors.
class ZQParser : public ZQScanner {
  public:
    ZQParser(ZQCode* code, TableMgr* table, char debug);

    int parse();
    // 0 while no error has been reported.
    int getError() const { return errorCode; }

    void raiseError(int line, int col, const char* topic, const char* sourceLine,
                    const char* format, ...) override __attribute__((format(printf, 6, 7)));
    // Delivers one error; non-zero lets compilation go on, 0 stops it.
    virtual int showError(ZQErrorInfo* e) = 0;
    // Rewinds the source for the second pass; non-zero on success.
    virtual int reopenSource() = 0;

    void setGenIncompleteTypes(bool flag) { genIncompleteTypes = flag; }
    bool getGenIncompleteTypes() const { return genIncompleteTypes; }

  protected:
    int nextToken();
    void skip();
    void checkEOL(const char* topic = "general");
    bool scannerRunning() const { return running; }
    void stopScanner() { running = false; }

    // Error reporting (compile_errors.cpp).
    int errorHandler(ZQErrorInfo* e);
    void skipAfterError();
    void raiseError_expect_token(const char* topic, const char* what);
    void raiseError_undef_ident(const char* topic, const char* name, const char* suffix = "");
    void raiseError_type_mismatch(const char* topic, TipoDato* required, TipoDato* found);
    void raiseError_dup_ident(const char* topic, const char* name);
    void raiseError_generic(const char* topic, const char* message);
    void raiseError_wrong_object_type(const char* topic, BaseSimb* s, const char* what,
                                      const char* extra);
    static const char* fmt_error(const char* format, ...) __attribute__((format(printf, 1, 2)));

  private:
    // Program structure and declarations (parse_decl.cpp).
    void buildPrototypes();
    void skipProgramHeader();
    void getStdTypesReferences();
    void decl_datos(ProcInfo* p);
    bool nombre_nuevo(const char* topic, std::string& name);
    void decl_const();
    int valor_constante(TipoDato** type);
    void decl_tipos();
    TipoDato* declarador_tipos();
    // How a `a, b : tipo' list checks and reports its names.
    struct NameListRules {
        std::function<bool(const char*)> taken;  // the name is used outside the list
        std::function<void(const char*)> reportDuplicate;
        const char* nameTopic;  // a comma not followed by a name
        const char* nameWhat;
        const char* colonTopic;
    };
    TipoDato* nombres_con_tipo(const NameListRules& rules, std::vector<std::string>& names);
    TipoDato* declarador_registro();
    TipoDato* declarador_arreglo();
    bool dimension_arreglo(TDArray* a, bool* sawFixed);
    void decl_vars();
    void decl_libext();
    void decl_subrutina();
    bool lista_param(ProcInfo* p);
    void cuerpo_sub(ProcInfo* p);
    void subrutinas();
    void bind_placeholder(const char* name, TipoDato* type);
    void resolve_array_sizes(Var* constant);
    void fixup_chk_todos_definidos();
    void recalc_tam_params();

    // Expressions (parse_expr.cpp).
    TipoDato* expresion();
    TipoDato* expr_logica(int opToken, TipoDato* (ZQParser::*operand)(), i_set op,
                          bool shortCircuitValue);
    TipoDato* expr_and();
    TipoDato* expr_rel();
    TipoDato* expr_simple();
    TipoDato* expr_termino();
    TipoDato* expr_factor();
    TipoDato* expr_factor_ident();
    TipoDato* expr_booleana();
    TipoDato* expr_constructor_literal(TipoDato* expected);
    TipoDato* selector(Var* v, TipoDato* t);
    TipoDato* array_sel(TDArray* a);
    TipoDato* rec_sel(TDRec* r);
    TipoDato* selector_cadena();
    TipoDato* literal_array(TDArray* a);
    TipoDato* literal_registro(TDRec* r);
    bool sameTypes(TipoDato* a, TipoDato* b, int strict);
    bool is_simple(TipoDato* t, TipoSimple ts) const;
    TipoDato* expr_numerica(const char* topic, TipoDato* (ZQParser::*level)());

    // Statements and calls (parse_sent.cpp, parse_stdf.cpp).
    void sentencia();
    void bloque_sentencias();
    void sentencias_hasta(std::initializer_list<int> ends);
    void sent_asig(Var* v);
    void sent_llamada_sub(ProcInfo* p);
    bool prepare_call(ProcInfo* p);
    bool llamada_sub(ProcInfo* p, TipoDato** result);
    bool argumentos(ProcInfo* p);
    void sent_si();
    void sent_eval();
    void sent_mientras();
    void sent_repetir();
    void sent_desde();
    void sent_salir();
    void sent_retorna();
    TipoDato* isByRef(const char* topic, const char* charMessage);
    bool is_special_stdf(int id) const;
    bool stdf_vararg(int id, TipoDato** result);
    bool parse_leer();
    bool parse_imprimir();
    TipoDato* parse_alen();
    bool parse_dim();
    TipoDato* parse_min_max(int id);
    TipoDato* parse_ifval();
    bool parse_interc();
    bool expect(int kind, const char* topic, const char* what);

    // Code generation (codegen.cpp).
    void gen_emit(i_set op, int op1 = 0, unsigned op2 = 0);
    void gen_line(int line);
    bool gen_one_var(TipoDato* t);
    void gen_ld_addr(Var* v);
    void gen_ld_val(Var* v);
    void gen_call_substr();
    void gen_call_replch();
    void gen_link_libext(LibExt* lib);
    void gen_link_dlproc(DLProc* d);
    int addGblConst(TipoSimple type, const void* value);
    int addBoolConst(bool value);
    int emit_forward(i_set op);
    void patch_to(int jumpAddr, int target);
    void emit_back(i_set op, int target);
    int loop_start();
    void register_loop(int kind, int addr);
    void fixup_exits(int target);
    void unregister_loop();
    void fixup_calls();
    void fixup_ifunct_vsize();

    // Counts nesting for the lifetime of a parsing routine; false once too deep.
    class Nesting {
      public:
        explicit Nesting(ZQParser* p);
        ~Nesting() { --parser->nesting; }
        bool ok() const { return fine; }

      private:
        ZQParser* parser;
        bool fine;
    };

    ZQCode* code;
    TableMgr* table;
    char debug;
    bool running = true;
    bool inScanner = false;
    int errorCode = 0;
    int prevToken = 0;
    bool genIncompleteTypes = false;
    BaseSimbList undefTypes;
    MArray<CallFixup> callFixups;
    MArray<LoopExitFixup> loops;
    bool retornaSeen = false;
    int lastOpcode = -1;
    int lastLineMarked = 0;
    int loopDepth = 0;
    // Where the line of the last token before a line end finished, for errors found only
    // after the parser has moved on to the next line.
    int endLine = 0;
    int endCol = 0;
    std::string endLineText;
    bool errorAtLineEnd = false;
    int nesting = 0;
    TipoDato* tNum = nullptr;
    TipoDato* tStr = nullptr;
    TipoDato* tLog = nullptr;
    TipoDato* tUndef = nullptr;
};
