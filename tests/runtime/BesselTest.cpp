#include "runtime/Bessel.h"

#include <gtest/gtest.h>

namespace tonvela {
namespace {

// Values of I0 from its series summed independently to full precision.
TEST(Bessel, MatchesKnownValues) {
    struct Case {
        double x;
        double expected;
    };
    const Case cases[] = {
        {0.0, 1.0},
        {1.0, 1.2660658777520082},
        {2.5, 3.2898391440501231},
        {5.0, 27.239871823604442},
        {10.0, 2815.7166284662544},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(besselI0(c.x), c.expected, c.expected * 1e-14) << c.x;
        EXPECT_EQ(besselI0(-c.x), besselI0(c.x)) << c.x;
    }
}

} // namespace
} // namespace tonvela
