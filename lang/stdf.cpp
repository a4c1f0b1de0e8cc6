#include "lang/zqexec.h"

void ZQExec::exec_stdf(STDF_ID) {
    abort(ar_UNDEF_FUNC);
}
int ZQExec::exec_stdf_leer(ZQVal*, int) {
    return 0;
}
int ZQExec::exec_stdf_imprimir(ZQVal*, int, int) {
    return 0;
}
