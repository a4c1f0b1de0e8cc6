#pragma once

#include <memory>
#include <string>
#include <vector>

// What a symbol is, as reported by tipo().
enum TipoObj {
    to_VAR = 16,
    to_TIPO = 32,
    to_PROC = 48,
    to_DLPROC = 64,
    to_LIBEXT = 80,
};

// Root of everything the compiler names: variables, constants, types, subroutines.
class BaseSimb {
  public:
    explicit BaseSimb(const char* name) { setName(name); }
    BaseSimb(const BaseSimb&) = delete;
    BaseSimb& operator=(const BaseSimb&) = delete;
    virtual ~BaseSimb() = default;

    virtual int tipo() const = 0;

    const char* getName() const { return name.c_str(); }
    void setName(const char* n) { name = n ? n : ""; }
    void confirm() { confirmed = true; }
    bool is_confirmed() const { return confirmed; }

  private:
    std::string name;
    bool confirmed = false;
};

// A growable array of pointers; it never owns what they point to.
template <typename T>
class MArray {
  public:
    void Add(T item) { items.push_back(item); }
    void Delete(int i) { items.erase(items.begin() + i); }
    int count() const { return static_cast<int>(items.size()); }
    T operator[](int i) const { return items[static_cast<size_t>(i)]; }
    T& back() { return items.back(); }

  private:
    std::vector<T> items;
};

// An ordered list of symbols. Symbols themselves live in the symbol table's store, so the
// list only refers to them.
class BaseSimbList {
  public:
    void add(BaseSimb* s) { items.Add(s); }
    BaseSimb* getByPos(int i) const { return i >= 0 && i < items.count() ? items[i] : nullptr; }
    int getItemsInContainer() const { return items.count(); }
    // The most recently added of equal names wins; names compare exactly.
    BaseSimb* findByName(const char* name) const;

  private:
    MArray<BaseSimb*> items;
};

// Where a name was used before its declaration, so a late error points at the use.
class RefUndef {
  public:
    explicit RefUndef(const char* ident) : ident(ident) {}
    const char* getUndefIdent() const { return ident.c_str(); }
    void setSourcePos(int l, int c) {
        line = l;
        col = c;
    }
    int getLine() const { return line; }
    int getCol() const { return col; }

  private:
    std::string ident;
    int line = 0;
    int col = 0;
};
