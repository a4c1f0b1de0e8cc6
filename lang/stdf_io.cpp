#include <cstdlib>
#include <cstring>

#include "lang/stdf_call.h"

int ZQExec::exec_stdf_leer(ZQVal* first, int count) {
    for (int i = 0; i < count; ++i) {
        ZQVal* v = first + i;
        int r = 0;
        switch (v->tipo) {
            case s_NUM:
            case s_BOOL:
                r = cur_stdin->leer(v);
                break;
            case s_STR: {
                char* old = v->str;
                r = cur_stdin->leer(v);
                if (r) {
                    std::free(old);
                } else {
                    v->str = old;
                }
                break;
            }
            case s_CLUSTER:
                if (!v->cluster) {
                    abort(ar_NOT_DIMENSIONED);
                    return 0;
                }
                r = exec_stdf_leer(v->cluster->cells, v->cluster->get_size());
                break;
            default:
                abort(ar_UNKNOWN_TYPE);
                return 0;
        }
        if (abort_code != ar_NONE || r != 1) return 0;
    }
    return 1;
}

int ZQExec::exec_stdf_imprimir(ZQVal* first, int count, int depth) {
    const char* ofs = cur_stdout->get_ofs();
    const char sep[2] = {ofs[0], '\0'};
    for (int i = 0; i < count; ++i) {
        const ZQVal* v = first + i;
        if (i > 0 && sep[0]) cur_stdout->imprimir_str(sep);
        switch (v->tipo) {
            case s_NUM:
                cur_stdout->imprimir_str(num2str_def_format(v->num));
                break;
            case s_BOOL:
                cur_stdout->imprimir_str(bool2str(v->b));
                break;
            case s_STR:
                cur_stdout->imprimir_str(v->str);
                break;
            case s_CLUSTER:
                if (v->cluster) {
                    if (!exec_stdf_imprimir(v->cluster->cells, v->cluster->get_size(), depth + 1))
                        return 0;
                } else if (ofs[0]) {
                    cur_stdout->imprimir_str(ofs + 1);
                }
                break;
            default:
                abort(ar_UNKNOWN_TYPE);
                return 0;
        }
    }
    return 1;
}

bool stdf_io(ZQExec& e, STDF_ID id) {
    switch (id) {
        case sf_LEER: {
            // Whatever was written without a line break (a prompt) shows before the read.
            e.get_cur_stdout()->flush();
            e.exec_stdf_leer(e.getTopPtr()->addr, static_cast<int>(e.getPC()->op2));
            e.pop();
            return true;
        }
        case sf_IMPRIMIR: {
            const int cells = static_cast<int>(e.getPC()->op2);
            StdfCall c(e, cells);
            e.exec_stdf_imprimir(c.arg(0), cells, 0);
            c.none();
            return true;
        }
        case sf_EOF:
            StdfCall(e, 0).result_bool(e.get_cur_stdin()->at_eof());
            return true;
        case sf_SET_STDIN: {
            StdfCall c(e, 1);
            c.result_bool(e.set_stdin(c.str(0)));
            return true;
        }
        case sf_SET_STDOUT: {
            StdfCall c(e, 2);
            c.result_bool(e.set_stdout(c.str(0), c.str(1)));
            return true;
        }
        case sf_SET_IFS: {
            StdfCall c(e, 1);
            e.get_cur_stdin()->set_ifs(c.str(0)[0] ? c.str(0) : nullptr);
            c.none();
            return true;
        }
        case sf_GET_IFS: {
            const char* ifs = e.get_cur_stdin()->get_ifs();
            StdfCall(e, 0).result_text(ifs ? ifs : "");
            return true;
        }
        case sf_SET_OFS: {
            StdfCall c(e, 1);
            e.get_cur_stdout()->set_ofs(c.str(0));
            c.none();
            return true;
        }
        case sf_GET_OFS:
            StdfCall(e, 0).result_text(e.get_cur_stdout()->get_ofs());
            return true;
        default:
            return false;
    }
}
