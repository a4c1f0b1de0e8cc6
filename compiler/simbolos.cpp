#include "compiler/simbolos.h"

int param_size(const Var* p) {
    if (p->getAddrScope() == as_PARAM_REF) return 1;
    TipoDato* t = p->getType();
    return t ? t->getSize() : 1;
}

// Parameters sit below the return index and the frame link: the last one just under
// offset -1, the first one deepest.
void ProcInfo::assignAddressToParams() {
    paramsSize = 0;
    int offset = -1;
    for (int i = paramCount - 1; i >= 0; --i) {
        auto* p = static_cast<Var*>(paramAt(i));
        const int size = param_size(p);
        offset -= size;
        p->setAddress(offset);
        paramsSize += size;
    }
    if (lastAddressed < paramCount - 1) lastAddressed = paramCount - 1;
}

int ProcInfo::getRetAddr() const {
    const int first = paramCount > 0 ? static_cast<Var*>(paramAt(0))->address() : -1;
    TipoDato* t = getType();
    return first - (t ? t->getSize() : 0);
}

void ProcInfo::assignAddressToOneVar(BaseSimb* s) {
    if (s->tipo() == to_LIBEXT || s->tipo() == to_DLPROC) {
        static_cast<BaseSimbAddr*>(s)->setAddress(varsSize + 1);
        varsSize += 1;
        return;
    }
    if (s->tipo() != to_VAR) return;
    auto* v = static_cast<Var*>(s);
    if (v->getTipoVida() != tv_VAR) return;
    if (mainFlag && v->getAddrScope() == as_LOCAL) v->setAddrScope(as_GLOBAL);
    v->setAddress(varsSize + 1);
    TipoDato* t = v->getType();
    varsSize += t ? t->getSize() : 1;
}

void ProcInfo::assignAddressToLastVars() {
    for (int i = lastAddressed + 1; i < getSymbCount(); ++i) assignAddressToOneVar(paramAt(i));
    markLastWithAddress();
}
