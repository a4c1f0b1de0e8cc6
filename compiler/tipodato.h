#pragma once

#include <memory>

#include "compiler/basesimb.h"
#include "lang/zqval.h"

class Var;

// Structure codes reported by getStruct().
enum TipoStruct {
    struct_SIMPLE = 1,
    struct_ARRAY = 2,
    struct_RECORD = 3,
};

// A data type. Sizes are counted in value cells; equivalence is structural.
class TipoDato : public BaseSimb {
  public:
    // A type created without a name is anonymous and called "$" until a declaration names it.
    explicit TipoDato(const char* name);

    int tipo() const override { return to_TIPO; }
    virtual bool is_anonymous() const { return anonymous; }
    virtual bool is_alias() const { return false; }
    virtual bool is_incomplete() const { return undef != nullptr; }
    virtual int getStruct() = 0;
    // Whether a value of type other may stand where this type is required.
    virtual bool typeEquiv(TipoDato* other, int strict) = 0;
    virtual int getSize() = 0;
    // An alias resolves to its source; any other type is itself.
    virtual TipoDato* getInnerType() { return this; }

    void setAnonymousFlag(bool flag) { anonymous = flag; }
    void createUndefRef(const char* name) { undef = std::make_unique<RefUndef>(name); }
    RefUndef* getUndefInfo() const { return undef.get(); }
    virtual void removeUndefRef() { undef.reset(); }

  private:
    bool anonymous;
    std::unique_ptr<RefUndef> undef;
};

// A named alias of another type; also the placeholder of a type name used before its
// declaration, whose source stays unconfirmed until the declaration binds it.
class TDNombreTipo : public TipoDato {
  public:
    TDNombreTipo(const char* name, TipoDato* source) : TipoDato(name), source(source) {
        setAnonymousFlag(false);
    }

    bool is_anonymous() const override { return false; }
    bool is_alias() const override { return true; }
    bool is_incomplete() const override { return TipoDato::is_incomplete() || !srcConfirmed; }
    int getStruct() override { return source->getStruct(); }
    bool typeEquiv(TipoDato* other, int strict) override;
    int getSize() override { return source->getSize(); }
    TipoDato* getInnerType() override;
    void removeUndefRef() override;

    TipoDato* getSourceType() const { return source; }
    void confirmSourceType(TipoDato* t) {
        source = t;
        srcConfirmed = true;
    }

  private:
    TipoDato* source;
    bool srcConfirmed = false;
};

class TDSimple : public TipoDato {
  public:
    TDSimple(const char* name, TipoSimple ts, int defValAddr)
        : TipoDato(name), ts(ts), defVal(defValAddr) {}

    int getStruct() override { return struct_SIMPLE; }
    bool typeEquiv(TipoDato* other, int strict) override;
    int getSize() override { return 1; }

    TipoSimple getTipoSimple() const { return ts; }
    int getDirDefVal() const { return defVal; }

  private:
    TipoSimple ts;
    int defVal;
};

// One dimension of an array; further dimensions are nested element types. A dimension of 0
// is open (sized at run time by dim).
class TDArray : public TipoDato {
  public:
    TDArray() : TipoDato(nullptr) {}

    int getStruct() override { return struct_ARRAY; }
    bool typeEquiv(TipoDato* other, int strict) override;
    int getSize() override { return elements ? 1 : 0; }

    void setDim(int d) { dim = d; }
    int getDim() const { return dim; }
    bool isOpen() const { return dim == 0; }
    void setElementsType(TipoDato* t) { elements = t; }
    TipoDato* getElementsType() const { return elements ? elements->getInnerType() : nullptr; }

  private:
    int dim = 0;
    TipoDato* elements = nullptr;
};

// A record: its fields' cells one after another, each field at its offset.
class TDRec : public TipoDato {
  public:
    TDRec() : TipoDato(nullptr) {}

    int getStruct() override { return struct_RECORD; }
    bool typeEquiv(TipoDato* other, int strict) override;
    int getSize() override;

    void addField(Var* field);
    Var* findField(const char* name) const;
    Var* findField(int index) const;
    int fieldCount() const { return fields.getItemsInContainer(); }

  private:
    BaseSimbList fields;
};

// True while t, or any type it is built from, still waits for a declaration.
bool type_incomplete(TipoDato* t);
