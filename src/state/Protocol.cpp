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
    tell(-1);
}

void Protocol::setFrequency(int index, float hertz, bool notify) {
    const float stored = frequencies[index];
    if (!(hertz < stored || hertz > stored))
        return;
    frequencies[index] = hertz;
    if (notify)
        tell(index);
}

void Protocol::notifyReset() {
    tell(-1);
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

void Protocol::addListener(ProtocolListener* listener) {
    listeners.push_back(listener);
}

void Protocol::removeListener(ProtocolListener* listener) {
    const auto it = std::find(listeners.begin(), listeners.end(), listener);
    if (it != listeners.end())
        listeners.erase(it);
}

void Protocol::tell(int note) {
    // By index: a listener may register or unregister while it is told.
    for (std::size_t i = 0; i < listeners.size(); ++i) {
        if (note < 0)
            listeners[i]->onReset();
        else
            listeners[i]->onEntry(note);
    }
}

} // namespace tonvela
