#pragma once

#include "lang/abort_reason.h"
#include "lang/zqval.h"

constexpr int RTSTACK_MIN_CELLS = 500;
constexpr int RTSTACK_MAX_CELLS = 1000000;

// The one cell array a program runs in: the constant pool at the bottom, frames above.
class ZQ_RTStack {
  protected:
    ZQVal* base = nullptr;
    ZQVal* top = nullptr;  // topmost used cell; null while no program runs
    int stack_size = 0;
    int constants_size = 0;

  public:
    ZQ_RTStack() = default;
    ZQ_RTStack(const ZQ_RTStack&) = delete;
    ZQ_RTStack& operator=(const ZQ_RTStack&) = delete;
    virtual ~ZQ_RTStack();
    // Failures of stack operations land here; the executor records them.
    virtual void abort(abort_reason r);

    bool createStack(int cells);
    void destroyStack();
    void shallowCopy(const ZQ_RTStack* other);

    void addConst(ZQVal* v);
    ZQVal* getConstPtr(int i) const { return i >= 0 && i < constants_size ? base + i : nullptr; }
    void removeAllConsts();
    int getConstantsSize() const { return constants_size; }
    int getStackSize() const { return stack_size; }

    // Single pushes never write past the array: a full stack aborts 3 and pushes nothing.
    bool has_room(int n) const { return top + n < base + stack_size; }
    void push_num(const long double* x);
    void push_str(const char* s);
    void push_from(const ZQVal* v);
    void push_from(int i) { push_from(base + i); }
    void pop() {
        rm_val(top);
        --top;
    }
    ZQVal* getTopPtr() const { return top; }
    ZQVal* getInternalStackPtr() const { return base; }

    ZQVal_Cluster* dim_cluster(int k, int count, int dynamic);
};
