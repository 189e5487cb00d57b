#include "fft.h"

#include <cmath>
#include <utility>

namespace {

constexpr double kTurn = 6.28318;

}

void Fft::transform(std::vector<std::complex<double>> &a, bool forward)
{
    const size_t n = a.size();
    if (n < 2)
        return;
    if (!power_of_two(n)) {
        direct(a, forward);
        return;
    }
    int bits = 0;
    for (size_t one = 1; one < n; one <<= 1)
        ++bits;
    for (size_t j = 0; j < n; ++j) {
        size_t r = 0;
        for (int b = 0; b < bits; ++b)
            if (j & (size_t(1) << b))
                r |= size_t(1) << (bits - 1 - b);
        if (j < r)
            std::swap(a[j], a[r]);
    }
    for (size_t m = 2; m <= n; m <<= 1) {
        const size_t half = m / 2;
        for (size_t p = 0; p < n; p += m) {
            for (size_t j = 0; j < half; ++j) {
                const double angle = double(j) * kTurn / double(m);
                const std::complex<double> w(std::cos(angle), forward ? -std::sin(angle) : std::sin(angle));
                const std::complex<double> t = w * a[p + half + j];
                a[p + half + j] = a[p + j] - t;
                a[p + j] = a[p + j] + t;
            }
        }
    }
}

void Fft::direct(std::vector<std::complex<double>> &a, bool forward)
{
    const size_t n = a.size();
    std::vector<std::complex<double>> out(n);
    for (size_t k = 0; k < n; ++k) {
        std::complex<double> sum;
        for (size_t j = 0; j < n; ++j) {
            const double angle = double((k * j) % n) * kTurn / double(n);
            sum += a[j] * std::complex<double>(std::cos(angle), forward ? -std::sin(angle) : std::sin(angle));
        }
        out[k] = sum;
    }
    a.swap(out);
}
