// Emitting instructions, variable initial values, loads, and the later patches.
#include "compiler/zqparser.h"
#include "lang/stdf_id.h"

namespace {

// Offset of a forward jump until its target is known.
constexpr int kPendingJump = -99;

}  // namespace

void ZQParser::gen_emit(i_set op, int op1, unsigned op2) {
    const bool marker = op == i_LINE || op == i_LINE_RET;
    if (marker && !debug) return;
    // Consecutive markers keep only the last, so lines without statements cost nothing.
    if (op == i_LINE && lastOpcode == i_LINE && code->nextAddr() > 0) {
        INST* prev = code->getInst(code->nextAddr() - 1);
        prev->op1 = op1;
        prev->op2 = op2;
        return;
    }
    if (code->nextAddr() >= code->getCodeSize()) {
        raiseError(lineNumber(), static_cast<int>(getTokenPos()), "memoria", curString(),
                   "El tama\xf1o asignado para el c\xf3"
                   "digo es muy peque\xf1o. Actualmente es %d bytes",
                   code->getCodeSize());
        return;
    }
    code->emit(op, op1, op2);
    lastOpcode = op;
}

void ZQParser::gen_line(int line) {
    gen_emit(i_LINE, table->curProc()->address(), static_cast<unsigned>(line));
    lastLineMarked = line;
}

bool ZQParser::gen_one_var(TipoDato* t) {
    TipoDato* inner = t ? t->getInnerType() : nullptr;
    if (auto* s = dynamic_cast<TDSimple*>(inner)) {
        gen_emit(i_LD_DEFVAL, s->getDirDefVal());
        return true;
    }
    if (auto* a = dynamic_cast<TDArray*>(inner)) {
        if (a->isOpen()) {
            gen_emit(i_LD_NULLARRAY);
            return true;
        }
        TipoDato* elements = a->getElementsType();
        gen_emit(i_LD_NUM, 0);
        gen_emit(i_LD_NUM, a->getDim());
        if (!gen_one_var(elements)) return false;
        gen_emit(i_DIM, 0, static_cast<unsigned>(elements->getSize()));
        return true;
    }
    if (auto* r = dynamic_cast<TDRec*>(inner)) {
        for (int i = 0; i < r->fieldCount(); ++i) {
            if (!gen_one_var(r->findField(i)->getType())) return false;
        }
        return true;
    }
    raiseError_generic(".internal", "Error interno. Estructura de variable es desconocida");
    return false;
}

void ZQParser::gen_ld_addr(Var* v) {
    switch (v->getAddrScope()) {
        case as_PARAM_REF:
            gen_emit(i_LD_LOCAL, v->address(), 1);
            break;
        case as_GLOBAL:
            if (v->getTipoVida() == tv_VAR) gen_emit(i_LD_ADDR_GLOBAL, v->address());
            break;
        default:
            gen_emit(i_LD_ADDR_LOCAL, v->address());
            break;
    }
}

void ZQParser::gen_ld_val(Var* v) {
    TipoDato* t = v->getType();
    const unsigned k = static_cast<unsigned>(t ? t->getSize() : 1);
    switch (v->getAddrScope()) {
        case as_PARAM_REF:
            gen_emit(i_LD_LOCAL, v->address(), 1);
            gen_emit(i_LD_INDIRECT, 0, k);
            break;
        case as_GLOBAL:
            gen_emit(v->getTipoVida() == tv_CONST ? i_LD_CONST : i_LD_GLOBAL, v->address(), k);
            break;
        default:
            gen_emit(i_LD_LOCAL, v->address(), k);
            break;
    }
}

void ZQParser::gen_call_substr() {
    gen_emit(i_LD_NUM, 1);
    gen_emit(i_CALL_STDF, sf_SUBSTR, 0);
}

void ZQParser::gen_call_replch() {
    gen_emit(i_CALL_STDF, sf_REPLCH, 0);
}

void ZQParser::gen_link_libext(LibExt* lib) {
    gen_emit(i_LIB_LOAD, lib->getInternalNameAddr());
}

void ZQParser::gen_link_dlproc(DLProc* d) {
    gen_emit(i_LIB_SYM, d->getInternalNameAddr(), static_cast<unsigned>(d->getLibExt()->address()));
}

int ZQParser::addGblConst(TipoSimple type, const void* value) {
    const int index = table->addGblConst(type, value);
    if (index >= 0) return index;
    raiseError(lineNumber(), static_cast<int>(getTokenPos()), "memoria", curString(),
               "La memoria asignada para las constantes literales es muy peque\xf1"
               "a. Actualmente es "
               "%d bytes",
               table->getConstPool()->getConstantsSize());
    return 0;
}

int ZQParser::addBoolConst(bool value) {
    const char byte = value ? 1 : 0;
    return addGblConst(s_BOOL, &byte);
}

int ZQParser::emit_forward(i_set op) {
    const int addr = code->nextAddr();
    gen_emit(op, kPendingJump);
    return addr;
}

void ZQParser::patch_to(int jumpAddr, int target) {
    if (INST* jump = code->getInst(jumpAddr); jump && jumpAddr < code->nextAddr()) {
        jump->op1 = target - jumpAddr;
    }
}

void ZQParser::emit_back(i_set op, int target) {
    gen_emit(op, target - code->nextAddr());
}

// A loop jumps back to its statement's own line marker when that marker comes right
// before it, so a debugger stops on the loop's line at every iteration.
int ZQParser::loop_start() {
    const int here = code->nextAddr();
    return lastOpcode == i_LINE && here > 0 ? here - 1 : here;
}

void ZQParser::register_loop(int kind, int addr) {
    loops.Add({kind, addr});
}

void ZQParser::fixup_exits(int target) {
    if (!running) return;
    while (loops.count() > 0 && loops.back().kind == tk_SALIR) {
        patch_to(loops.back().addr, target);
        loops.Delete(loops.count() - 1);
    }
}

void ZQParser::unregister_loop() {
    if (loops.count() > 0) loops.Delete(loops.count() - 1);
}

void ZQParser::fixup_calls() {
    for (int i = 0; i < callFixups.count(); ++i) {
        const CallFixup& f = callFixups[i];
        if (INST* call = code->getInst(f.addr)) call->op1 = f.proc->address();
    }
}

void ZQParser::fixup_ifunct_vsize() {
    for (int i = 0; i < table->getProcCount(); ++i) {
        ProcInfo* p = table->procAt(i);
        if (!p->is_local_zq() || !p->is_confirmed()) continue;
        if (INST* enter = code->getInst(p->address()); enter && enter->opcode == i_ENTER) {
            enter->op2 = static_cast<unsigned>(p->getVarsSize());
        }
    }
}
