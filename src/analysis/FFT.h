#pragma once

#include "runtime/Complex.h"

#include <cstdint>
#include <vector>

namespace tonvela {

// In-place radix-2 transform of length 2^order with its tables built once.
// The object holds no signal: callers pass their own buffer of getSize()
// values. Neither direction scales, so inverse after forward multiplies by N.
class FFT {
public:
    // order 3 .. 16: the first two butterfly stages are always run, and the
    // reversal table is 16 bits wide.
    explicit FFT(int order);
    virtual ~FFT() = default;

    // The loops that run the butterflies: the plain one, the reference every
    // other must match bit for bit, and the vector ones of x86-64 processors.
    enum class Kernel { Scalar, Sse2, Avx };
    // Whether this processor runs kernel.
    static bool supports(Kernel kernel);
    // What forward and inverse use: the fastest kernel this processor runs.
    static Kernel fastestKernel();

    // X[k] = sum x[n] e^(-2 pi i k n / N)
    void forward(Complex* buffer) const;
    // x[n] = sum X[k] e^(+2 pi i k n / N)
    void inverse(Complex* buffer) const;
    // Either direction with the given kernel, one the processor supports.
    void transform(Complex* buffer, bool inverse, Kernel kernel) const;
    // inverse of the spectrum whose bins from .. to (0 <= from <= to < N)
    // are those in buffer and all others zero, whatever buffer holds there.
    // Equal to inverse of that spectrum in every value, except that a zero
    // may have the other sign. For a narrow band it skips most of the work.
    void inverseBand(Complex* buffer, int from, int to) const;
    void inverseBand(Complex* buffer, int from, int to, Kernel kernel) const;

    int getOrder() const { return order; }
    int getSize() const { return size; }
    // Entry j is j with its lowest order bits reversed.
    const std::uint16_t* getBitReversal() const { return bitReversal.data(); }
    // N/2 entries (cos(2 pi k / N), -sin(2 pi k / N)).
    const Complex* getTwiddles() const { return twiddles.data(); }

private:
    // The bit-reversal reordering every transform starts with.
    void reorder(Complex* buffer) const;
    // The butterfly stages of half-group sizes from .. n/2 of a transform of
    // size n (a power of two up to N) on buffer; from is 1 or at least 4.
    void butterflies(Complex* buffer, int n, int from, bool inverse, Kernel kernel) const;
    template <bool Inverse> void scalarButterflies(Complex* buffer, int n, int from) const;

    int order;
    int size;
    std::vector<std::uint16_t> bitReversal;
    std::vector<Complex> twiddles;
    // The twiddles of each stage in the order the butterflies use them:
    // those of half-group size h at h .. 2h - 1, so the inner loop reads
    // them contiguously; the real parts in stageCos, the imaginary ones in
    // stageSin, as a vector unit spreads them over complex values. Copies of
    // twiddles entries, not new values.
    std::vector<float> stageCos;
    std::vector<float> stageSin;
};

} // namespace tonvela
