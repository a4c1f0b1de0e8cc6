#include "compiler/disasm.h"

#include <cstdio>

std::string disassemble_inst(const INST& inst) {
    const char* name = i_set_name(inst.opcode);
    char text[80];
    if (name) {
        std::snprintf(text, sizeof text, "%s %d %u", name, inst.op1, inst.op2);
    } else {
        std::snprintf(text, sizeof text, "?%d %d %u", static_cast<int>(inst.opcode), inst.op1,
                      inst.op2);
    }
    return text;
}

std::string disassemble(const ZQCode& code) {
    std::string out;
    for (int i = 0; i < code.nextAddr(); ++i) {
        char addr[16];
        std::snprintf(addr, sizeof addr, "%4d  ", i);
        out += addr;
        out += disassemble_inst(*code.getInst(i));
        out += '\n';
    }
    return out;
}
