#include "lang/stdf_call.h"

void ZQExec::exec_stdf(STDF_ID id) {
    if (stdf_general(*this, id) || stdf_math(*this, id) || stdf_string(*this, id) ||
        stdf_io(*this, id) || stdf_screen(*this, id) || stdf_env(*this, id))
        return;
    // ifval and dim are always expanded by the compiler; they have no run-time code.
    abort(ar_UNDEF_FUNC);
}
