#include <cmath>

#include "lang/fpu.h"
#include "lang/stdf_call.h"

namespace {

// The functions work in double precision, as the processor's library does. A NaN result
// is an invalid operation: the run ends with "Durante calculo matematico".
bool double_function(STDF_ID id, double x, double* r) {
    switch (id) {
        case sf_ABS:
            *r = std::fabs(x);
            return true;
        case sf_ARCTAN:
            *r = std::atan2(x, 1.0);
            return true;
        case sf_SIN:
            *r = std::sin(x);
            return true;
        case sf_COS:
            *r = std::cos(x);
            return true;
        case sf_TAN:
            *r = std::tan(x);
            return true;
        case sf_EXP:
            *r = std::exp(x);
            return true;
        case sf_LOG:
            // Zero and negative arguments are the library's errors.
            *r = x > 0 ? std::log10(x) : NAN;
            return true;
        case sf_SQRT:
            *r = x < 0 ? NAN : std::sqrt(x);
            return true;
        default:
            return false;
    }
}

}  // namespace

bool stdf_math(ZQExec& e, STDF_ID id) {
    StdfCall c(e, 1);
    if (id == sf_INT) {
        // Exact for every magnitude: beyond 2^63 a long double has no fraction left.
        c.result_num(std::trunc(c.num(0)));
        return true;
    }
    double r = 0;
    if (!double_function(id, static_cast<double>(c.num(0)), &r)) return false;
    if (std::isnan(r)) {
        e.abort(ar_MATH);
        return true;
    }
    c.result_num(r);
    return true;
}
