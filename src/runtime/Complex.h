#pragma once

namespace tonvela {

// Sample windows and transform buffers are arrays of this pair.
struct Complex {
    float re = 0.0f;
    float im = 0.0f;
};

} // namespace tonvela
