#include <cmath>

#include "lang/fpu.h"
#include "lang/stdf_call.h"

namespace {

// The functions work in double precision, as the processor's library does. A NaN result
// is an invalid operation: the run ends with "Durante calculo matematico".
double double_function(STDF_ID id, double x) {
    switch (id) {
        case sf_ABS:
            return std::fabs(x);
        case sf_ARCTAN:
            return std::atan2(x, 1.0);
        case sf_SIN:
            return std::sin(x);
        case sf_COS:
            return std::cos(x);
        case sf_TAN:
            return std::tan(x);
        case sf_EXP:
            return std::exp(x);
        case sf_LOG:
            // Zero and negative arguments are the library's errors.
            return x > 0 ? std::log10(x) : NAN;
        case sf_SQRT:
            return x < 0 ? NAN : std::sqrt(x);
        default:
            return NAN;
    }
}

}  // namespace

bool stdf_math(ZQExec& e, STDF_ID id) {
    if (id < sf_ABS || id > sf_SQRT) return false;
    StdfCall c(e, 1);
    if (id == sf_INT) {
        // Exact for every magnitude: beyond 2^63 a long double has no fraction left.
        c.result_num(std::trunc(c.num(0)));
        return true;
    }
    const double r = double_function(id, static_cast<double>(c.num(0)));
    if (std::isnan(r)) {
        e.abort(ar_MATH);
        return true;
    }
    c.result_num(r);
    return true;
}
