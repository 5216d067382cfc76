#include "generator/random_numbers.h"

#include <cmath>

namespace tessark {

void URAND1(int n, double* x, std::int32_t& ir, std::ostream& console) {
    if (n <= 0) {
        console << " (SUBR.URAND1) PARAMETER ERROR. N = " << n << '\n' << " RETURN WITH NO FURTHER CALCULATION.\n";
        return;
    }
    if (ir < 0 || ir >= kRandomModulus) {
        console << " (SUBR.URAND1) WARNING. IR = " << ir << '\n';
    }
    for (int i = 0; i < n; ++i) {
        // In range the product stays below 2^31; out of range the warning above
        // has been given and the arithmetic is done without overflow in 64 bits,
        // keeping the remainder's sign that of the dividend.
        const std::int64_t next =
            (static_cast<std::int64_t>(ir) * kRandomMultiplier + kRandomIncrement) % kRandomModulus;
        ir = static_cast<std::int32_t>(next);
        x[i] = static_cast<double>(ir) * kRandomScale;
    }
}

void NRAND(int n, double* x, std::int32_t& ir, std::ostream& console) {
    if (n <= 0) {
        console << " (SUBR.NRAND) PARAMETER ERROR. N = " << n << '\n' << " RETURN WITH NO FURTHER CALCULATION.\n";
        return;
    }
    int m = n;
    if (n % 2 != 0) {
        console << " (SUBR.NRAND) WARNING. N IS ODD\n";
        m = n + 1;
    }
    URAND1(m, x, ir, console);
    for (int i = 0; i + 1 < m; i += 2) {
        while (x[i] == 0.0) {
            console << " (SUBR.NRAND) WARNING. ZERO UNIFORM VALUE SKIPPED\n";
            for (int k = i; k + 1 < m; ++k) x[k] = x[k + 1];
            URAND1(1, &x[m - 1], ir, console);
        }
        const double r = std::sqrt(-2.0 * std::log(x[i]));
        const double t = x[i + 1] * kBoxMullerTwoPi;
        x[i] = r * std::sin(t);
        x[i + 1] = r * std::cos(t);
    }
}

}  // namespace tessark
