#include "lang/zqx_disk.h"

#include <cassert>
#include <cstdio>
#include <cstring>
#include <vector>

#include "lang/fpu.h"
#include "lang/zqexec.h"

namespace {

constexpr unsigned INT_BYTES = 4;
// Longest number text a constant may carry, NUL included.
constexpr long MAX_NUM_TEXT = 256;

bool write_bytes(FILE* f, const void* p, std::size_t n) {
    return std::fwrite(p, 1, n, f) == n;
}

bool write_int(FILE* f, long value) {
    unsigned char b[INT_BYTES];
    return long_2_zqxfmt(value, b, INT_BYTES) && write_bytes(f, b, INT_BYTES);
}

bool read_bytes(FILE* f, void* p, std::size_t n) {
    return std::fread(p, 1, n, f) == n;
}

bool read_int(FILE* f, unsigned n, long* value) {
    unsigned char b[sizeof(long)];
    if (!read_bytes(f, b, n)) return false;
    *value = zqxfmt_2_long(b, n);
    return true;
}

// Whether an operand that names a constant or a code address points inside what is loaded.
bool operand_in_range(const INST& i, int addr, int code_end, int const_end) {
    switch (i.opcode) {
        case i_LD_CONST:
        case i_LD_DEFVAL:
        case i_LIB_LOAD:
        case i_LIB_SYM:
            return i.op1 >= 0 && i.op1 < const_end;
        case i_JMP:
        case i_JMPF:
        case i_JMPT: {
            const long target = static_cast<long>(addr) + i.op1;
            return target >= 0 && target < code_end;
        }
        case i_CALL:
            return i.op1 >= 0 && i.op1 < code_end;
        default:
            return true;
    }
}

}  // namespace

long zqxfmt_2_long(const unsigned char* bytes, unsigned n) {
    assert(n >= 1 && n <= sizeof(long));
    unsigned long magnitude = bytes[0] & 0x7Fu;
    for (unsigned i = 1; i < n; ++i) magnitude = (magnitude << 8) | bytes[i];
    const long m = static_cast<long>(magnitude);
    return (bytes[0] & 0x80u) ? -m : m;
}

int long_2_zqxfmt(long value, unsigned char* bytes, unsigned n) {
    assert(n >= 1 && n <= sizeof(long));
    const unsigned long magnitude =
        value < 0 ? 0UL - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
    if (magnitude >> (8 * n - 1)) return 0;
    unsigned long m = magnitude;
    for (unsigned i = n; i-- > 0;) {
        bytes[i] = static_cast<unsigned char>(m & 0xFFu);
        m >>= 8;
    }
    if (value < 0) bytes[0] |= 0x80u;
    return 1;
}

ZQX_Disk::~ZQX_Disk() {
    if (fp) std::fclose(fp);
}

void ZQX_Disk::makeHeader(ZQXHeader& h) {
    std::memset(&h, 0, sizeof h);
    std::memcpy(h.magic, ZQX_MAGIC, sizeof ZQX_MAGIC);
    std::memcpy(h.version, ZQX_VERSION, sizeof ZQX_VERSION);
    long_2_zqxfmt(exec->nextAddr(), h.n_inst, INT_BYTES);
    long_2_zqxfmt(exec->getConstantsSize(), h.n_const, INT_BYTES);
    h.update();
    h.debug = static_cast<unsigned char>(exec->getDebugFlag());
}

abort_reason ZQX_Disk::writeTo(const char* path, int append) {
    assert(exec->getInst(0) != nullptr);
    assert(exec->nextAddr() > 0);
    fp = std::fopen(path, append ? "a+b" : "wb");
    if (!fp) return ar_WRITE_FILE;
    ZQXHeader h;
    makeHeader(h);
    abort_reason result = ar_NONE;
    long total = ZQX_HEADER_SIZE;
    for (int a = 0; a < exec->nextAddr() && result == ar_NONE; ++a) {
        const INST* i = exec->getInst(a);
        const unsigned char op = static_cast<unsigned char>(i->opcode);
        if (!write_bytes(fp, &op, 1) || !write_int(fp, i->op1) ||
            !write_int(fp, static_cast<int32_t>(i->op2)))
            result = ar_WRITE_FILE;
        total += 1 + 2 * INT_BYTES;
    }
    for (int c = 0; c < exec->getConstantsSize() && result == ar_NONE; ++c) {
        const ZQVal* v = exec->getConstPtr(c);
        assert(v->tipo != s_NADA);
        char num[64];
        const void* data = nullptr;
        long length = 0;
        switch (v->tipo) {
            case s_NUM: {
                // Enough digits to read the same long double back.
                const FpuRounding nearest(FPU_RC_NEAREST);
                length = std::snprintf(num, sizeof num, "%.21Lg", v->num) + 1;
                data = num;
                break;
            }
            case s_BOOL:
                length = 1;
                data = &v->b;
                break;
            case s_STR:
                length = static_cast<long>(std::strlen(v->str)) + 1;
                data = v->str;
                break;
            default:
                result = ar_UNKNOWN_TYPE;
                continue;
        }
        const unsigned char tag = v->tipo;
        if (!write_bytes(fp, &tag, 1) || !write_int(fp, length) || !write_bytes(fp, data, length))
            result = ar_WRITE_FILE;
        total += 1 + INT_BYTES + length;
    }
    long_2_zqxfmt(total, h.total_size, INT_BYTES);
    if (!write_bytes(fp, &h, sizeof h) && result == ar_NONE) result = ar_WRITE_FILE;
    if (std::fclose(fp) != 0 && result == ar_NONE) result = ar_WRITE_FILE;
    fp = nullptr;
    return result;
}

abort_reason ZQX_Disk::checkHeader(ZQXHeader& h) {
    if (std::memcmp(h.magic, ZQX_MAGIC, sizeof ZQX_MAGIC) != 0) return ar_NOT_ZQX;
    if (std::memcmp(h.version, ZQX_VERSION, sizeof ZQX_VERSION) != 0) return ar_BAD_VERSION;
    const long n_inst = zqxfmt_2_long(h.n_inst, INT_BYTES);
    const long n_const = zqxfmt_2_long(h.n_const, INT_BYTES);
    const long total = zqxfmt_2_long(h.total_size, INT_BYTES);
    for (unsigned char width : {h.opcode_bytes, h.op1_bytes, h.op2_bytes})
        if (width < 1 || width > INT_BYTES) return ar_NOT_ZQX;
    if (n_inst < 1 || n_inst > ZQCODE_MAX_INSTS) return ar_NOT_ZQX;
    if (n_const < 1 || n_const > RTSTACK_MAX_CELLS) return ar_NOT_ZQX;
    // The sections must fit between the object's start and its header.
    const long inst_bytes = h.opcode_bytes + h.op1_bytes + h.op2_bytes;
    const long least = ZQX_HEADER_SIZE + n_inst * inst_bytes + n_const * (1 + INT_BYTES);
    if (total < least || total > file_size) return ar_NOT_ZQX;
    return ar_NONE;
}

abort_reason ZQX_Disk::readFrom(const char* path, int replace) {
    fp = std::fopen(path, "rb");
    if (!fp) return ar_READ_FILE;
    ZQXHeader h;
    abort_reason result = ar_NONE;
    if (std::fseek(fp, 0, SEEK_END) != 0 || (file_size = std::ftell(fp)) < 0) {
        result = ar_READ_FILE;
    } else if (file_size < ZQX_HEADER_SIZE) {
        result = ar_NOT_ZQX;
    } else if (std::fseek(fp, file_size - ZQX_HEADER_SIZE, SEEK_SET) != 0 ||
               !read_bytes(fp, &h, sizeof h)) {
        result = ar_READ_FILE;
    } else {
        result = checkHeader(h);
    }
    if (result == ar_NONE) {
        header = &h;
        const int n_inst = static_cast<int>(zqxfmt_2_long(h.n_inst, INT_BYTES));
        if (replace) {
            exec->destroyCodeSeg();
            if (!exec->createCodeSeg(n_inst)) result = ar_NO_MEMORY;
        }
        if (result == ar_NONE) {
            exec->setDebugFlag(h.debug);
            if (exec->getCodeSize() < n_inst + exec->nextAddr()) result = ar_NO_MEMORY;
        }
        if (result == ar_NONE) result = readCode();
        if (result == ar_NONE) result = readConstants();
        header = nullptr;
    }
    std::fclose(fp);
    fp = nullptr;
    return result;
}

abort_reason ZQX_Disk::readCode() {
    const long n_inst = zqxfmt_2_long(header->n_inst, INT_BYTES);
    const long total = zqxfmt_2_long(header->total_size, INT_BYTES);
    if (std::fseek(fp, file_size - total, SEEK_SET) != 0) return ar_READ_FILE;
    const int first = exec->nextAddr();
    const int code_end = first + static_cast<int>(n_inst);
    const int const_end =
        exec->getConstantsSize() + static_cast<int>(zqxfmt_2_long(header->n_const, INT_BYTES));
    for (long a = 0; a < n_inst; ++a) {
        long op = 0, op1 = 0, op2 = 0;
        unsigned char op_byte = 0;
        // A one-byte opcode is unsigned; wider fields are zqxfmt integers.
        const bool read_op = header->opcode_bytes == 1 ? read_bytes(fp, &op_byte, 1)
                                                       : read_int(fp, header->opcode_bytes, &op);
        if (!read_op || !read_int(fp, header->op1_bytes, &op1) ||
            !read_int(fp, header->op2_bytes, &op2))
            return ar_READ_FILE;
        if (header->opcode_bytes == 1) op = op_byte;
        const INST i{static_cast<i_set>(op), static_cast<int32_t>(op1),
                     static_cast<uint32_t>(static_cast<int32_t>(op2))};
        if (!operand_in_range(i, first + static_cast<int>(a), code_end, const_end))
            return ar_NOT_ZQX;
        exec->emit(i.opcode, i.op1, i.op2);
    }
    return ar_NONE;
}

abort_reason ZQX_Disk::readConstants() {
    const long n_inst = zqxfmt_2_long(header->n_inst, INT_BYTES);
    const long n_const = zqxfmt_2_long(header->n_const, INT_BYTES);
    const long total = zqxfmt_2_long(header->total_size, INT_BYTES);
    if (exec->getStackSize() - exec->getConstantsSize() < n_const) return ar_STACK_OVERFLOW;
    const long inst_bytes = header->opcode_bytes + header->op1_bytes + header->op2_bytes;
    long pos = file_size - total + n_inst * inst_bytes;
    const long header_start = file_size - ZQX_HEADER_SIZE;
    if (std::fseek(fp, pos, SEEK_SET) != 0) return ar_READ_FILE;
    std::vector<char> data;
    for (long c = 0; c < n_const; ++c) {
        unsigned char tag = 0;
        long length = 0;
        if (!read_bytes(fp, &tag, 1) || !read_int(fp, INT_BYTES, &length)) return ar_READ_FILE;
        pos += 1 + INT_BYTES;
        if (length < 1 || length > header_start - pos) return ar_NOT_ZQX;
        ZQVal v{};
        switch (tag) {
            case s_NUM:
            case s_STR:
                if ((tag == s_NUM && length > MAX_NUM_TEXT) || length > ZQ_MAX_STRBUF)
                    return ar_NOT_ZQX;
                data.resize(length);
                if (!read_bytes(fp, data.data(), length)) return ar_READ_FILE;
                if (data[length - 1] != '\0') return ar_NOT_ZQX;
                if (tag == s_NUM) {
                    const long double x = str2num(data.data());
                    mk_val(s_NUM, &x, &v);
                } else if (!mk_val(s_STR, data.data(), &v)) {
                    return ar_NO_MEMORY;
                }
                break;
            case s_BOOL: {
                char b = 0;
                if (length != 1) return ar_NOT_ZQX;
                if (!read_bytes(fp, &b, 1)) return ar_READ_FILE;
                if (b != 0 && b != 1) return ar_NOT_ZQX;
                mk_val(s_BOOL, &b, &v);
                break;
            }
            default:
                return ar_UNKNOWN_TYPE;
        }
        pos += length;
        exec->addConst(&v);
    }
    return ar_NONE;
}
