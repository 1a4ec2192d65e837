#pragma once

#include <cstdint>
#include <numeric>

// C(n, k): the number of k-number tickets from n numbers; 0 when k < 0 or k > n. Exact whenever the
// result fits in int64_t (every lottery pool and pick count, C(80, 20) included): the running value
// C(n - k + i, i) only grows with i once k <= n / 2, and the common factor is divided out before the
// multiplication, so no intermediate exceeds the result.
constexpr int64_t Binomial(int n, int k) {
    if (k < 0 || k > n) return 0;
    if (k > n - k) k = n - k;
    int64_t c = 1;
    for (int i = 1; i <= k; ++i) {
        const int64_t g = std::gcd(c, int64_t(i));
        c = c / g * ((n - k + i) / (i / g));
    }
    return c;
}
