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

namespace {

struct OpName {
    i_set op;
    const char* name;
};

const OpName op_names[] = {
    {i_ADD, "i_ADD"},
    {i_DIV, "i_DIV"},
    {i_MOD, "i_MOD"},
    {i_MUL, "i_MUL"},
    {i_POW, "i_POW"},
    {i_SUB, "i_SUB"},
    {i_NEG, "i_NEG"},
    {i_CONCAT, "i_CONCAT"},
    {i_EQ, "i_EQ"},
    {i_GT, "i_GT"},
    {i_GE, "i_GE"},
    {i_LT, "i_LT"},
    {i_LE, "i_LE"},
    {i_NE, "i_NE"},
    {i_AND, "i_AND"},
    {i_OR, "i_OR"},
    {i_NOT, "i_NOT"},
    {i_LD_DEFVAL, "i_LD_DEFVAL"},
    {i_ENTER, "i_ENTER"},
    {i_JMP, "i_JMP"},
    {i_JMPF, "i_JMPF"},
    {i_JMPT, "i_JMPT"},
    {i_CALL_STDF, "i_CALL_STDF"},
    {i_CALL, "i_CALL"},
    {i_RET, "i_RET"},
    {i_HALT, "i_HALT"},
    {i_LD_NUM, "i_LD_NUM"},
    {i_LD_CONST, "i_LD_CONST"},
    {i_LD_ADDR_LOCAL, "i_LD_ADDR_LOCAL"},
    {i_LD_ADDR_GLOBAL, "i_LD_ADDR_GLOBAL"},
    {i_LD_GLOBAL, "i_LD_GLOBAL"},
    {i_STORE, "i_STORE"},
    {i_LD_LOCAL, "i_LD_LOCAL"},
    {i_LD_INDIRECT, "i_LD_INDIRECT"},
    {i_LD_INT, "i_LD_INT"},
    {i_CHKSTK, "i_CHKSTK"},
    {i_ADDR_ADD, "i_ADDR_ADD"},
    {i_POP, "i_POP"},
    {i_DUP, "i_DUP"},
    {i_REPLICATE, "i_REPLICATE"},
    {i_LINE, "i_LINE"},
    {i_LINE_BREAK, "i_LINE_BREAK"},
    {i_LINE_RET, "i_LINE_RET"},
    {i_LIB_LOAD, "i_LIB_LOAD"},
    {i_LIB_SYM, "i_LIB_SYM"},
    {i_CALL_EXT, "i_CALL_EXT"},
    {i_LD_NULLARRAY, "i_LD_NULLARRAY"},
    {i_DIM, "i_DIM"},
    {i_INDEX, "i_INDEX"},
};

}  // namespace

const char* i_set_name(int32_t op) {
    for (const OpName& o : op_names)
        if (o.op == op) return o.name;
    return nullptr;
}
