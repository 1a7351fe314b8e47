#include "state/Protocol.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tonvela {

Protocol::Protocol() {
    std::fill(std::begin(frequencies), std::end(frequencies), 0.0f);
}

void Protocol::clear() {
    std::fill(std::begin(frequencies), std::end(frequencies), 0.0f);
    send(WM_PROTOCOL_RESET, 0);
}

void Protocol::setFrequency(int index, float hertz, bool notify) {
    const float stored = frequencies[index];
    if (!(hertz < stored || hertz > stored))
        return;
    frequencies[index] = hertz;
    if (notify)
        send(WM_PROTOCOL_ENTRY, static_cast<std::uintptr_t>(index));
}

void Protocol::notifyReset() {
    send(WM_PROTOCOL_RESET, 0);
}

float Protocol::getDeviation(int index) const {
    const float f = frequencies[index];
    if (!(f > 0.0f))
        return 0.0f;
    static const double semitone = std::pow(2.0, 0.08333333333333333);
    const int n = index - 57;
    // Square and multiply over the bits of |n|, so every note gets the same
    // rounding whatever order the notes are asked in.
    double e = 1.0;
    double base = semitone;
    for (unsigned bits = static_cast<unsigned>(std::abs(n)); bits != 0; bits >>= 1) {
        if (bits & 1u)
            e *= base;
        base *= base;
    }
    if (n < 0)
        e = 1.0 / e;
    const float et = static_cast<float>(e * 440.0);
    const float q = f / et;
    return static_cast<float>(1200.0 * std::log(static_cast<double>(q)) / std::log(2.0));
}

void Protocol::addWindow(ProtocolWindow* window) {
    windows.push_back(window);
}

void Protocol::removeWindow(ProtocolWindow* window) {
    const auto it = std::find(windows.begin(), windows.end(), window);
    if (it != windows.end())
        windows.erase(it);
}

void Protocol::send(unsigned message, std::uintptr_t wParam) {
    // By index: a window may register or unregister while it is told.
    for (std::size_t i = 0; i < windows.size(); ++i)
        windows[i]->protocolMessage(message, wParam, 0);
}

} // namespace tonvela
