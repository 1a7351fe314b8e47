#pragma once

#include <cstdint>

namespace tonvela {

// Milliseconds since an arbitrary start, monotonic; wraps like a 32-bit tick.
std::uint32_t tickCount();

} // namespace tonvela
