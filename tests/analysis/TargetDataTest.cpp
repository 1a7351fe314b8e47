#include "analysis/TargetData.h"

#include <cmath>
#include <gtest/gtest.h>

namespace tonvela {
namespace {

TEST(TargetData, Equality) {
    const TargetData a4(57, 440.0f, "A4");
    struct Case {
        TargetData other;
        bool equal;
    };
    const Case cases[] = {
        {TargetData(57, 440.0f, "A4"), true},
        {TargetData(58, 440.0f, "A4"), false},
        {TargetData(57, 440.01f, "A4"), false},
        {TargetData(57, 440.0f, "A"), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(a4.equals(c.other), c.equal) << c.other.note << " " << c.other.name;
    // An ordered comparison: a NaN frequency counts as equal.
    EXPECT_TRUE(TargetData(57, NAN, "A4").equals(a4));
    EXPECT_TRUE(a4.equals(TargetData(57, NAN, "A4")));
}

TEST(TargetData, CloneIsAnIndependentCopy) {
    TargetData a4(57, 440.0f, "A4");
    const auto copy = a4.clone();
    a4.update(445.0f, 57, "A4");
    EXPECT_EQ(copy->frequency, 440.0f);
    EXPECT_EQ(copy->name, "A4");
    EXPECT_FALSE(copy->equals(a4));
}

TEST(TargetData, UpdateAndSetNote) {
    TargetData t;
    EXPECT_EQ(t.note, 0);
    EXPECT_EQ(t.frequency, 0.0f);
    EXPECT_EQ(t.name, "");
    t.update(261.62558f, 48, "C4");
    EXPECT_TRUE(t.equals(TargetData(48, 261.62558f, "C4")));
    t.setNote(50);
    EXPECT_TRUE(t.equals(TargetData(50, 261.62558f, "C4")));
}

TEST(TargetData, FrequencyText) {
    struct Case {
        float hz;
        const char* text;
    };
    const Case cases[] = {{440.0f, "440.00"},
                          {16.351597f, "16.35"},
                          {3951.0664f, "3951.07"},
                          {0.0f, "0.00"},
                          {261.625f, "261.62"}};
    for (const Case& c : cases)
        EXPECT_EQ(TargetData(0, c.hz, "").frequencyText(), c.text) << c.hz;
}

} // namespace
} // namespace tonvela
