#include <sys/resource.h>
#include <sys/time.h>

#include <cstdlib>

#include "lang/fpu.h"
#include "lang/stdf_call.h"

namespace {

long double get_time_in_seconds() {
    timeval tv{};
    gettimeofday(&tv, nullptr);
    return tv.tv_sec + tv.tv_usec / 1e6L;
}

// The data-segment limit as a signed 32-bit number: unlimited reads as -1.
long double get_freemem() {
    rlimit rl{};
    if (getrlimit(RLIMIT_DATA, &rl) != 0) return -1;
    return static_cast<int32_t>(static_cast<uint32_t>(rl.rlim_cur));
}

long double runcmd(ZQExec& e, const char* cmd) {
    if (!*cmd) return 127;
    // The command's own output must come after what the program wrote before it.
    e.get_cur_stdout()->flush();
    return std::system(cmd) & 0xFF;
}

}  // namespace

bool stdf_env(ZQExec& e, STDF_ID id) {
    switch (id) {
        case sf_SEC:
            StdfCall(e, 0).result_num(get_time_in_seconds());
            return true;
        case sf_MEM:
            StdfCall(e, 0).result_num(get_freemem());
            return true;
        case sf_PCOUNT:
            StdfCall(e, 0).result_num(e.getArgc());
            return true;
        case sf_PARAMVAL: {
            StdfCall c(e, 1);
            const int64_t n = static_cast<int32_t>(trunc_i64(c.num(0)));
            c.result_text(n >= 1 && n <= e.getArgc() && e.getArgv() ? e.getArgv()[n - 1] : "");
            return true;
        }
        case sf_ALEN: {
            StdfCall c(e, 2);
            const ZQVal* arr = c.ref(0);
            const int32_t k = trunc_i32(c.num(1));
            const bool sized = arr->tipo == s_CLUSTER && arr->cluster && k > 0;
            c.result_num(sized ? arr->cluster->get_size() / k : 0);
            return true;
        }
        case sf_RUNCMD: {
            StdfCall c(e, 1);
            c.result_num(runcmd(e, c.str(0)));
            return true;
        }
        case sf_TERMINAR: {
            StdfCall c(e, 1);
            e.get_cur_stdout()->imprimir_str(c.str(0));
            c.none();
            e.setState(st_STOPPED);
            return true;
        }
        default:
            return false;
    }
}
