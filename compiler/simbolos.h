#pragma once

#include "compiler/basesimb.h"
#include "compiler/tipodato.h"

// How a variable is addressed.
enum AddrScope {
    as_PARAM_VAL = 0,
    as_PARAM_REF = 1,
    as_GLOBAL = 2,
    as_PARAM_DEF = 3,
    as_LOCAL = 4,
    as_UNSET = 5,
};

enum TipoVida {
    tv_CONST = 0,
    tv_VAR = 1,
};

enum PROC_LINK_TYPE {
    PL_STDF = 0,
    PL_LOCAL = 1,
    PL_DLPROC = 2,
};

// A symbol with a type and an address whose meaning depends on its kind.
class BaseSimbAddr : public BaseSimb {
  public:
    using BaseSimb::BaseSimb;

    void setType(TipoDato* t) { type = t; }
    // The declared type with any alias resolved.
    TipoDato* getType() const { return type ? type->getInnerType() : nullptr; }
    void setAddress(int a) { addr = a; }
    int address() const { return addr; }

  private:
    TipoDato* type = nullptr;
    int addr = 0;
};

// Variables, named constants, parameters and record fields.
class Var : public BaseSimbAddr {
  public:
    using BaseSimbAddr::BaseSimbAddr;

    int tipo() const override { return to_VAR; }
    virtual void setTipoVida(TipoVida v) { vida = v; }
    virtual TipoVida getTipoVida() const { return vida; }
    virtual void setAddrScope(AddrScope s) { scope = s; }
    virtual AddrScope getAddrScope() const { return scope; }

  private:
    AddrScope scope = as_UNSET;
    TipoVida vida = tv_VAR;
};

// An external library: one global cell holding its handle at run time.
class LibExt : public Var {
  public:
    using Var::Var;

    int tipo() const override { return to_LIBEXT; }
    void setTipoVida(TipoVida) override {}
    TipoVida getTipoVida() const override { return tv_VAR; }
    void setAddrScope(AddrScope) override {}
    AddrScope getAddrScope() const override { return as_GLOBAL; }

    void setInternalNameAddr(int a) { nameAddr = a; }
    int getInternalNameAddr() const { return nameAddr; }

  private:
    int nameAddr = -1;
};

// A subroutine: the main program, a predefined one or one written in the program. Its
// symbol list starts with the parameters. The type is the result type (null: a procedure).
class ProcInfo : public BaseSimbAddr {
  public:
    using BaseSimbAddr::BaseSimbAddr;

    int tipo() const override { return to_PROC; }

    void add(BaseSimb* s) { symbols.add(s); }
    BaseSimb* find(const char* name) const { return symbols.findByName(name); }
    BaseSimb* paramAt(int i) const { return symbols.getByPos(i); }
    int getSymbCount() const { return symbols.getItemsInContainer(); }

    // Parameters are added once, right after the header is read.
    void addParam(Var* p) {
        symbols.add(p);
        ++paramCount;
    }
    int getParamCount() const { return paramCount; }
    int getParamsSize() const { return paramsSize; }
    int getVarsSize() const { return varsSize; }

    void setAsMain() { mainFlag = true; }
    bool is_main() const { return mainFlag; }
    void setLinkType(PROC_LINK_TYPE t) { link = t; }
    bool is_stdf() const { return link == PL_STDF; }
    bool is_local_zq() const { return link == PL_LOCAL; }
    bool is_dlproc() const { return link == PL_DLPROC; }

    // Marks the symbols present now as addressed, so the next group gets the new addresses.
    void markLastWithAddress() { lastAddressed = getSymbCount() - 1; }
    void assignAddressToParams();
    void assignAddressToLastVars();
    void assignAddressToOneVar(BaseSimb* s);
    // Frame offset of the function result slot, below the parameters.
    int getRetAddr() const;

  private:
    BaseSimbList symbols;
    int paramCount = 0;
    int paramsSize = 0;
    int varsSize = 0;
    bool mainFlag = false;
    PROC_LINK_TYPE link = PL_LOCAL;
    int lastAddressed = -1;
};

// A routine of an external library: one global cell holding its entry point at run time.
class DLProc : public ProcInfo {
  public:
    explicit DLProc(const char* name) : ProcInfo(name) { setLinkType(PL_DLPROC); }

    int tipo() const override { return to_DLPROC; }
    void setLibExt(LibExt* l) { lib = l; }
    LibExt* getLibExt() const { return lib; }
    void setInternalNameAddr(int a) { nameAddr = a; }
    int getInternalNameAddr() const { return nameAddr; }

  private:
    LibExt* lib = nullptr;
    int nameAddr = -1;
};

// Cells a parameter takes: an address cell when by reference, else its type's size.
int param_size(const Var* p);
