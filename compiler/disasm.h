#pragma once

#include <string>

#include "lang/zqcode.h"

// One line per instruction, "addr  i_NAME op1 op2", for tests and debugging.
std::string disassemble(const ZQCode& code);
std::string disassemble_inst(const INST& inst);
