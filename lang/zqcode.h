#pragma once

#include <cstdint>

// Operation codes; any other value aborts the run with "Instruccion no valida".
enum i_set : int32_t {
    i_ADD = 10,
    i_DIV = 11,
    i_MOD = 12,
    i_MUL = 13,
    i_POW = 14,
    i_SUB = 15,
    i_NEG = 16,
    i_CONCAT = 20,
    i_EQ = 30,
    i_GT = 31,
    i_GE = 32,
    i_LT = 33,
    i_LE = 34,
    i_NE = 35,
    i_AND = 40,
    i_OR = 41,
    i_NOT = 42,
    i_LD_DEFVAL = 50,
    i_ENTER = 52,
    i_JMP = 60,
    i_JMPF = 61,
    i_JMPT = 62,
    i_CALL_STDF = 63,
    i_CALL = 64,
    i_RET = 65,
    i_HALT = 66,
    i_LD_NUM = 70,
    i_LD_CONST = 71,
    i_LD_ADDR_LOCAL = 72,
    i_LD_ADDR_GLOBAL = 73,
    i_LD_GLOBAL = 74,
    i_STORE = 75,
    i_LD_LOCAL = 76,
    i_LD_INDIRECT = 77,
    i_LD_INT = 78,
    i_CHKSTK = 100,
    i_ADDR_ADD = 101,
    i_POP = 103,
    i_DUP = 104,
    i_REPLICATE = 105,
    i_LINE = 110,
    i_LINE_BREAK = 111,
    i_LINE_RET = 112,
    i_LIB_LOAD = 120,
    i_LIB_SYM = 121,
    i_CALL_EXT = 122,
    i_LD_NULLARRAY = 200,
    i_DIM = 201,
    i_INDEX = 202,
};

// The opcode's name ("i_ADD" ...), or null for a value outside the table.
const char* i_set_name(int32_t op);

struct INST {
    i_set opcode;
    int32_t op1;
    uint32_t op2;
};

constexpr int ZQCODE_MAX_INSTS = 100000;

// The code segment: a fixed array of instructions filled by emit.
class ZQCode {
  protected:
    INST* code = nullptr;
    int code_size = 0;
    int addr = 0;
    unsigned char debug = 0;

  public:
    explicit ZQCode(int capacity);
    ZQCode(const ZQCode&) = delete;
    ZQCode& operator=(const ZQCode&) = delete;
    virtual ~ZQCode();

    bool createCodeSeg(int capacity);
    void destroyCodeSeg();
    INST* getInst(int i) const;
    void emit(i_set op, int op1 = 0, unsigned op2 = 0);
    int nextAddr() const { return addr; }
    int getCodeSize() const { return code_size; }
    void setDebugFlag(int flag) { debug = static_cast<unsigned char>(flag); }
    int getDebugFlag() const { return debug; }
    void shallowCopy(const ZQCode* other);
};
