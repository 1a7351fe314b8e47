#pragma once

namespace tonvela {

// The zeroth-order modified Bessel function of the first kind, by its power
// series; for Kaiser windows.
double besselI0(double x);

} // namespace tonvela
