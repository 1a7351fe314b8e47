// Input lost on the way to the ring (the device recorded while no buffer was
// queued) splices two stretches of sound; a reading whose window holds the
// splice is invalid in every mode, and the driver counts the lost stretches.
#include "analysis/ChangingTones.h"
#include "runtime/Random.h"

#include <gtest/gtest.h>

namespace tonvela {
namespace {

TEST(LostInput, ReadingsAcrossTheSpliceAreInvalid) {
    tonvela::srand(7);
    const TargetData target(57, 440.0f, "A4");
    for (int mode = 0; mode < 3; ++mode) {
        SCOPED_TRACE(mode);
        // A4 three cents sharp, steady throughout: only the splice is wrong.
        const test::StretchedRecording recording(
            440.0, test::harmonicTimbre(), {{test::Stretch::Kind::Tone, 40.0, 3.0, true, 0.0}}, 5);
        test::RecordingCapture capture(recording.render(44100));
        ASSERT_TRUE(capture.step(50)); // 10 s: every window lies inside the tone
        for (const test::SpannedReading& r : test::readAlong(capture, target, mode, 2.0))
            EXPECT_TRUE(r.valid) << r.from << " .. " << r.to;
        EXPECT_EQ(capture.driver->lostStretches(), 0);

        // 0.13 s recorded with nowhere to go: the phase jumps at the splice.
        const double splice = capture.deliveredSeconds();
        ASSERT_TRUE(capture.backend->loseInput(0, 5733));
        const std::vector<test::SpannedReading> after =
            test::readAlong(capture, target, mode, 12.0);
        EXPECT_EQ(capture.driver->lostStretches(), 1);
        int across = 0;
        int beyond = 0;
        for (const test::SpannedReading& r : after) {
            if (r.from < splice && r.to >= splice) {
                ++across;
                EXPECT_FALSE(r.valid) << r.from << " .. " << r.to << ": " << r.cents;
            } else if (r.from >= splice) {
                ++beyond;
                EXPECT_TRUE(r.valid) << r.from << " .. " << r.to;
            }
        }
        EXPECT_GT(across, 0);
        EXPECT_GT(beyond, 0);
    }
}

} // namespace
} // namespace tonvela
