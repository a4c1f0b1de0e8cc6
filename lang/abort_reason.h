#pragma once

// Run-time failure codes of the virtual machine; each has one fixed Spanish message.
enum abort_reason {
    ar_NONE = 0,
    ar_INDEX = 1,
    ar_DIV_ZERO = 2,
    ar_STACK_OVERFLOW = 3,
    ar_UNDEF_FUNC = 4,
    ar_BAD_INST = 5,
    ar_UNKNOWN_TYPE = 6,
    ar_TYPE_EXPECTED = 7,
    ar_NOT_DIMENSIONED = 8,
    ar_BAD_DIM = 9,
    ar_DYN_TO_STATIC = 10,
    ar_NO_MEMORY = 11,
    ar_NO_CODE = 12,
    ar_MATH = 13,
    ar_USER_CANCEL = 14,
    ar_HARDWARE = 15,
    ar_READ_BUFFER = 16,
    ar_NEED_FS = 17,
    ar_EOF = 18,
    ar_NOT_NUMERIC = 19,
    ar_NOT_BOOLEAN = 20,
    ar_BOOL_NEEDS_IFS = 21,
    ar_NOT_ZQX = 22,
    ar_WRITE_FILE = 23,
    ar_READ_FILE = 24,
    ar_BAD_VERSION = 25,
    ar_LIB_LOAD = 26,
    ar_LIB_SYM = 27,
};

// The message of codes 1 to 27 (Latin-1 bytes); null for any other code.
const char* get_abort_descrip(abort_reason r);
