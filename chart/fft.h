#ifndef FFT_H
#define FFT_H

#include <complex>
#include <vector>

// In-place radix-2 transform of the spectrum series, unnormalised. A length
// that is not a power of two has no radix-2 butterflies; it gets the plain
// transform with the same angle constant instead.
class Fft
{
public:
    static void transform(std::vector<std::complex<double>> &a, bool forward);
    static bool power_of_two(size_t n) { return n > 0 && (n & (n - 1)) == 0; }

private:
    static void direct(std::vector<std::complex<double>> &a, bool forward);
};

#endif
