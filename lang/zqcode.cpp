#include "lang/zqcode.h"

#include <cassert>
#include <cstdlib>

ZQCode::ZQCode(int capacity) {
    createCodeSeg(capacity);
    code_size = capacity;
}

ZQCode::~ZQCode() {
    destroyCodeSeg();
}

bool ZQCode::createCodeSeg(int capacity) {
    if (code || capacity < 1 || capacity > ZQCODE_MAX_INSTS) return false;
    code = static_cast<INST*>(std::calloc(capacity, sizeof(INST)));
    if (!code) return false;
    code_size = capacity;
    addr = 0;
    return true;
}

void ZQCode::destroyCodeSeg() {
    std::free(code);
    code = nullptr;
    code_size = 0;
    addr = 0;
}

INST* ZQCode::getInst(int i) const {
    assert(code != nullptr);
    return i >= 0 && i < code_size ? code + i : nullptr;
}

void ZQCode::emit(i_set op, int op1, unsigned op2) {
    assert(code != nullptr);
    if (addr >= code_size) return;
    code[addr++] = INST{op, op1, op2};
}

void ZQCode::shallowCopy(const ZQCode* other) {
    code = other->code;
    code_size = other->code_size;
    addr = other->addr;
    debug = other->debug;
}

const char* i_set_name(int32_t op) {
    switch (op) {
#define NAME(x) \
    case x:     \
        return #x;
        NAME(i_ADD)
        NAME(i_DIV)
        NAME(i_MOD)
        NAME(i_MUL)
        NAME(i_POW)
        NAME(i_SUB) NAME(i_NEG) NAME(i_CONCAT) NAME(i_EQ) NAME(i_GT) NAME(i_GE) NAME(i_LT)
            NAME(i_LE) NAME(i_NE) NAME(i_AND) NAME(i_OR) NAME(i_NOT) NAME(i_LD_DEFVAL) NAME(i_ENTER)
                NAME(i_JMP) NAME(i_JMPF) NAME(i_JMPT) NAME(i_CALL_STDF) NAME(i_CALL) NAME(i_RET)
                    NAME(i_HALT) NAME(i_LD_NUM) NAME(i_LD_CONST) NAME(i_LD_ADDR_LOCAL)
                        NAME(i_LD_ADDR_GLOBAL) NAME(i_LD_GLOBAL) NAME(i_STORE) NAME(i_LD_LOCAL)
                            NAME(i_LD_INDIRECT) NAME(i_LD_INT) NAME(i_CHKSTK) NAME(i_ADDR_ADD)
                                NAME(i_POP) NAME(i_DUP) NAME(i_REPLICATE) NAME(i_LINE)
                                    NAME(i_LINE_BREAK) NAME(i_LINE_RET) NAME(i_LIB_LOAD)
                                        NAME(i_LIB_SYM) NAME(i_CALL_EXT) NAME(i_LD_NULLARRAY)
                                            NAME(i_DIM) NAME(i_INDEX)
#undef NAME
                                                default : return nullptr;
    }
}
