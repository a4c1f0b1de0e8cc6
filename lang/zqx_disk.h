#pragma once

#include <cstdio>

#include "lang/abort_reason.h"

class ZQExec;

constexpr const char ZQX_MAGIC[] = "_ZQX_Obj_WEK_";
constexpr const char ZQX_VERSION[] = "0.7.1";
constexpr int ZQX_HEADER_SIZE = 43;

// The 43 bytes that end every object file. Integers are zqxfmt (big-endian, sign and
// magnitude).
struct ZQXHeader {
    unsigned char magic[14];
    unsigned char pad1[2];
    unsigned char version[6];
    unsigned char pad2[5];
    unsigned char n_inst[4];
    unsigned char n_const[4];
    unsigned char total_size[4];
    unsigned char opcode_bytes;
    unsigned char op1_bytes;
    unsigned char op2_bytes;
    unsigned char debug;

    void update() {
        opcode_bytes = 1;
        op1_bytes = 4;
        op2_bytes = 4;
    }
};

static_assert(sizeof(ZQXHeader) == ZQX_HEADER_SIZE, "object header is 43 bytes on disk");

long zqxfmt_2_long(const unsigned char* bytes, unsigned n);
// 0 (nothing written) when the magnitude does not fit in 8n-1 bits.
int long_2_zqxfmt(long value, unsigned char* bytes, unsigned n);

// Writes an executor's code and constants to an object file and reads them back. Files are
// never trusted: every count and length is checked before use.
class ZQX_Disk {
    FILE* fp = nullptr;
    ZQXHeader* header = nullptr;  // valid during a read
    ZQExec* exec;
    long file_size = 0;

  public:
    explicit ZQX_Disk(ZQExec* exec) : exec(exec) {}
    ZQX_Disk(const ZQX_Disk&) = delete;
    ZQX_Disk& operator=(const ZQX_Disk&) = delete;
    virtual ~ZQX_Disk();

    abort_reason writeTo(const char* path, int append);
    abort_reason readFrom(const char* path, int replace);

    void makeHeader(ZQXHeader& h);
    abort_reason checkHeader(ZQXHeader& h);
    abort_reason readCode();
    abort_reason readConstants();
};
