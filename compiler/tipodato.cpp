#include "compiler/tipodato.h"

#include "compiler/simbolos.h"

TipoDato::TipoDato(const char* name) : BaseSimb(name && name[0] ? name : "$") {
    anonymous = !(name && name[0]);
}

bool TDNombreTipo::typeEquiv(TipoDato* other, int strict) {
    TipoDato* inner = getInnerType();
    return inner != this && inner->typeEquiv(other, strict);
}

TipoDato* TDNombreTipo::getInnerType() {
    return srcConfirmed ? source->getInnerType() : this;
}

void TDNombreTipo::removeUndefRef() {
    TipoDato::removeUndefRef();
    srcConfirmed = true;
}

bool TDSimple::typeEquiv(TipoDato* other, int) {
    if (other == this) return true;
    if (!other || other->getInnerType()->getStruct() != struct_SIMPLE) return false;
    auto* s = dynamic_cast<TDSimple*>(other->getInnerType());
    return s && s->ts == ts;
}

bool TDArray::typeEquiv(TipoDato* other, int strict) {
    if (other == this) return true;
    auto* a = other ? dynamic_cast<TDArray*>(other->getInnerType()) : nullptr;
    if (!a) return false;
    TipoDato* mine = getElementsType();
    TipoDato* theirs = a->getElementsType();
    if (!mine || !theirs || !mine->typeEquiv(theirs, strict)) return false;
    return !strict || a->isOpen() || a->dim == dim;
}

bool TDRec::typeEquiv(TipoDato* other, int strict) {
    if (other == this) return true;
    auto* r = other ? dynamic_cast<TDRec*>(other->getInnerType()) : nullptr;
    if (!r || r->fieldCount() != fieldCount()) return false;
    for (int i = 0; i < fieldCount(); ++i) {
        TipoDato* mine = findField(i)->getType();
        TipoDato* theirs = r->findField(i)->getType();
        if (!mine || !theirs || !mine->typeEquiv(theirs, strict)) return false;
    }
    return true;
}

int TDRec::getSize() {
    int size = 0;
    for (int i = 0; i < fieldCount(); ++i) {
        TipoDato* t = findField(i)->getType();
        if (t) size += t->getSize();
    }
    return size;
}

void TDRec::addField(Var* field) {
    fields.add(field);
}

Var* TDRec::findField(const char* name) const {
    return static_cast<Var*>(fields.findByName(name));
}

Var* TDRec::findField(int index) const {
    return static_cast<Var*>(fields.getByPos(index));
}

bool type_incomplete(TipoDato* t) {
    if (!t) return false;
    if (t->is_incomplete()) return true;
    TipoDato* inner = t->getInnerType();
    if (auto* a = dynamic_cast<TDArray*>(inner)) return type_incomplete(a->getElementsType());
    if (auto* r = dynamic_cast<TDRec*>(inner)) {
        for (int i = 0; i < r->fieldCount(); ++i) {
            if (type_incomplete(r->findField(i)->getType())) return true;
        }
    }
    return false;
}
