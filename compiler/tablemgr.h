#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "compiler/simbolos.h"
#include "lang/rtstack.h"

enum SearchScope {
    ss_LOCAL = 16,
    ss_GLOBAL = 32,
    ss_ALL = 48,
};

// The compiler's symbol table: the subroutines of the program with their symbols, the
// scope rules, the constant pool, and a second table holding the predefined names.
class TableMgr {
  public:
    explicit TableMgr(ZQ_RTStack* pool);
    TableMgr(const TableMgr&) = delete;
    TableMgr& operator=(const TableMgr&) = delete;
    virtual ~TableMgr();

    BaseSimb* find(const char* name, SearchScope scope) const;
    ProcInfo* newProc(const char* name);
    DLProc* newDLProc(const char* name);
    ProcInfo* procAt(int i) const { return static_cast<ProcInfo*>(procs.getByPos(i)); }
    int getProcCount() const { return procs.getItemsInContainer(); }

    ProcInfo* curProc() const { return cur; }
    void setCurProc(ProcInfo* p) { cur = p; }
    ProcInfo* getMainProc() const { return mainProc; }
    void setMainProc(ProcInfo* p) { mainProc = p; }
    void setModuleName(const char* name) { moduleName = name ? name : ""; }
    const char* getModuleName() const { return moduleName.c_str(); }

    // Pool index of a constant with that value, entered when new; -1 when the pool is full.
    int addGblConst(TipoSimple type, const void* value);
    int locateGblConst(TipoSimple type, const void* value) const;
    ZQ_RTStack* getConstPool() const { return pool; }
    ZQVal* getConstPtr(int i) const { return pool->getConstPtr(i); }

    // Build the predefined-names table, in this order, before a compilation.
    void createStdNamesTable();
    void addStandTypes();
    void addStandProc();
    TableMgr* getStdNamesTable() const { return stdNames.get(); }

    // Every symbol and type of a compilation lives here until the table goes away.
    template <typename T, typename... Args>
    T* make(Args&&... args) {
        auto owned = std::make_unique<T>(std::forward<Args>(args)...);
        T* raw = owned.get();
        store.push_back(std::move(owned));
        return raw;
    }

  private:
    ProcInfo* appendProc(ProcInfo* p);
    // Build this table's contents when it is the predefined-names table.
    void fillStandTypes();
    void fillStandProc();

    ZQ_RTStack* pool;
    std::vector<std::unique_ptr<BaseSimb>> store;
    BaseSimbList procs;
    ProcInfo* cur = nullptr;
    ProcInfo* mainProc = nullptr;
    std::string moduleName = "$main";
    std::unique_ptr<TableMgr> stdNames;
};
