#include "compiler/tablemgr.h"

#include <cassert>

TableMgr::TableMgr(ZQ_RTStack* pool) : pool(pool) {}

TableMgr::~TableMgr() = default;

BaseSimb* TableMgr::find(const char* name, SearchScope scope) const {
    BaseSimb* s = cur ? cur->find(name) : nullptr;
    const bool wide = scope == ss_GLOBAL || scope == ss_ALL;
    if (!s && wide && mainProc) s = mainProc->find(name);
    if (!s && (wide || cur == mainProc)) s = procs.findByName(name);
    if (!s && scope == ss_ALL && stdNames) s = stdNames->find(name, ss_ALL);
    return s;
}

ProcInfo* TableMgr::appendProc(ProcInfo* p) {
    p->setAddress(procs.getItemsInContainer());
    procs.add(p);
    cur = p;
    return p;
}

ProcInfo* TableMgr::newProc(const char* name) {
    return appendProc(make<ProcInfo>(name));
}

DLProc* TableMgr::newDLProc(const char* name) {
    auto* p = make<DLProc>(name);
    appendProc(p);
    return p;
}

int TableMgr::locateGblConst(TipoSimple type, const void* value) const {
    assert(value != nullptr);
    for (int i = 0; i < pool->getConstantsSize(); ++i) {
        if (const_eq(type, value, pool->getConstPtr(i))) return i;
    }
    return -1;
}

int TableMgr::addGblConst(TipoSimple type, const void* value) {
    const int found = locateGblConst(type, value);
    if (found >= 0) return found;
    const int index = pool->getConstantsSize();
    if (index >= pool->getStackSize()) return -1;
    ZQVal cell{};
    if (!mk_val(type, value, &cell)) return -1;
    pool->addConst(&cell);
    return index;
}

void TableMgr::createStdNamesTable() {
    if (stdNames) return;
    stdNames = std::make_unique<TableMgr>(pool);
    stdNames->setModuleName("$ZQ");
    ProcInfo* main = stdNames->newProc("$main");
    main->setAsMain();
    stdNames->setMainProc(main);
}
