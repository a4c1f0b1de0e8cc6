#include <cstring>
#include <string>

#include "lang/fpu.h"
#include "lang/stdf_call.h"

namespace {

// Positions and counts: truncated to 64 bits, of which the low 32 are used.
int32_t position(long double x) {
    return static_cast<int32_t>(trunc_i64(x));
}

char* ascii(long double n) {
    const char c = static_cast<char>(static_cast<unsigned char>(trunc_i16(n)));
    const char s[2] = {c, '\0'};
    return zqval_strdup(s);
}

char* str(StdfCall& c) {
    const char fill = c.str(3)[0] ? c.str(3)[0] : ' ';
    return zqval_strdup(num2str(c.num(0), static_cast<char>(trunc_i16(c.num(1))),
                                static_cast<char>(trunc_i16(c.num(2))), fill));
}

char* substr(const char* s, int32_t start, int32_t length) {
    const std::size_t len = std::strlen(s);
    if (length < -1) return zqval_strdup("");
    if (length != -1 && static_cast<uint32_t>(length) + 1 > ZQ_MAX_STRBUF) return nullptr;
    if (start == 0 || static_cast<uint32_t>(start) > len) return zqval_strdup("");
    const std::size_t from = static_cast<std::size_t>(start) - 1;
    std::size_t n = len - from;
    if (length != -1 && static_cast<std::size_t>(length) < n) n = static_cast<std::size_t>(length);
    char* r = zqval_newstr(static_cast<unsigned>(n + 1));
    if (!r) return nullptr;
    std::memcpy(r, s + from, n);
    r[n] = '\0';
    return r;
}

long double pos(const char* s, const char* pattern, int32_t start) {
    const std::size_t len = std::strlen(s);
    if (!*s || !*pattern || start == 0 || static_cast<uint32_t>(start) > len) return 0;
    const char* hit = std::strstr(s + start - 1, pattern);
    return hit ? static_cast<long double>(hit - s + 1) : 0;
}

void replch(char* s, int32_t i, const char* c) {
    if (i == 0 || !*c || static_cast<uint32_t>(i) > std::strlen(s)) return;
    s[i - 1] = c[0];
}

char* repeat(const char* s, int32_t count) {
    if (count < 1) return zqval_strdup("");
    const std::size_t len = std::strlen(s);
    const unsigned long long total = static_cast<unsigned long long>(len) * count;
    if (total + 1 > ZQ_MAX_STRBUF) return nullptr;
    char* r = zqval_newstr(static_cast<unsigned>(total + 1));
    if (!r) return nullptr;
    if (len == 1) {
        std::memset(r, s[0], total);
    } else {
        for (int32_t i = 0; i < count; ++i) std::memcpy(r + i * len, s, len);
    }
    r[total] = '\0';
    return r;
}

}  // namespace

bool stdf_string(ZQExec& e, STDF_ID id) {
    switch (id) {
        case sf_ASCII: {
            StdfCall c(e, 1);
            c.result_str(ascii(c.num(0)));
            return true;
        }
        case sf_ORD: {
            StdfCall c(e, 1);
            c.result_num(static_cast<signed char>(c.str(0)[0]));
            return true;
        }
        case sf_STR: {
            StdfCall c(e, 4);
            c.result_str(str(c));
            return true;
        }
        case sf_VAL: {
            StdfCall c(e, 1);
            c.result_num(str2num(c.str(0)));
            return true;
        }
        case sf_STRLEN: {
            StdfCall c(e, 1);
            c.result_num(static_cast<long double>(std::strlen(c.str(0))));
            return true;
        }
        case sf_SUBSTR: {
            StdfCall c(e, 3);
            c.result_str(substr(c.str(0), position(c.num(1)), position(c.num(2))));
            return true;
        }
        case sf_POS: {
            StdfCall c(e, 3);
            c.result_num(pos(c.str(0), c.str(1), position(c.num(2))));
            return true;
        }
        case sf_REPLCH: {
            StdfCall c(e, 3);
            replch(c.ref(0)->str, position(c.num(1)), c.str(2));
            c.none();
            return true;
        }
        case sf_UPPER:
        case sf_LOWER: {
            // The argument is the call's own copy: convert it in place and keep it.
            ZQVal* s = e.getTopPtr();
            if (id == sf_UPPER) {
                strupr(s->str);
            } else {
                strlwr(s->str);
            }
            return true;
        }
        case sf_STRDUP: {
            StdfCall c(e, 2);
            c.result_str(repeat(c.str(0), position(c.num(1))));
            return true;
        }
        default:
            return false;
    }
}
