#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace tonvela::test {

// What a virtual output played, as 16-bit samples at 44100 Hz.
using Samples = std::vector<std::int16_t>;

// Frequency from the upward zero crossings in [from, to), each placed between
// its two samples by linear interpolation.
inline double frequencyOf(const Samples& s, std::size_t from, std::size_t to) {
    double first = -1.0;
    double last = -1.0;
    int crossings = 0;
    for (std::size_t n = std::max<std::size_t>(from, 1); n < to && n < s.size(); ++n) {
        if (s[n - 1] < 0 && s[n] >= 0) {
            const double t =
                static_cast<double>(n - 1) + static_cast<double>(s[n - 1]) / (s[n - 1] - s[n]);
            if (first < 0.0)
                first = t;
            last = t;
            ++crossings;
        }
    }
    if (crossings < 2)
        return 0.0;
    return (crossings - 1) * 44100.0 / (last - first);
}

// The largest step between neighbouring samples in [from, to): a click.
inline int largestStep(const Samples& s, std::size_t from, std::size_t to) {
    int largest = 0;
    for (std::size_t n = from + 1; n < to && n < s.size(); ++n)
        largest = std::max(largest, std::abs(s[n] - s[n - 1]));
    return largest;
}

inline std::int16_t peak(const Samples& s, std::size_t from, std::size_t to) {
    return *std::max_element(s.begin() + static_cast<std::ptrdiff_t>(from),
                             s.begin() + static_cast<std::ptrdiff_t>(to));
}

} // namespace tonvela::test
