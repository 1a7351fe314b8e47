#include "panel/TargetFollower.h"

#include "analysis/CentFreqCalculator.h"
#include "support/FakeResult.h"
#include "tuning/ToneScaleCollection.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace tonvela {
namespace {

using test::FakeResult;

// The panel's part around the follower, without a window: its own scale
// settings, the target, what the displays would show, and the moves.
class TargetFollowerTest : public ::testing::Test {
protected:
    TargetFollowerTest() { moveTo(57); }

    void moveTo(int note) {
        note = std::clamp(note, 0, TargetFollower::NoteCount - 1);
        target = TargetData(note, scales.getNoteFrequency(note), scales.getNoteLabel(note));
        shown = nullptr;
        follower.restart();
    }
    // As the panel applies a decision: show, buffer, then move.
    void feed(std::unique_ptr<FakeResult> r) {
        TargetFollower::Decision d = follower.take(std::move(r), target, on);
        shown = d.shown;
        held = d.held;
        follower.keep(std::move(d.record));
        if (d.moveBy != 0) {
            moveTo(target.note + d.moveBy);
        } else if (d.moveTo >= 0) {
            moveTo(d.moveTo);
        }
    }
    // A reading `cents` from the target, in a one-second window every 400 ms
    // (the buffer keeps four).
    std::unique_ptr<FakeResult> clean(float cents) {
        auto r = std::make_unique<FakeResult>();
        r->target = target;
        r->cents = cents;
        r->frequency = CentFreqCalculator::frequencyOf(target.frequency, cents);
        r->windowMs = 1000;
        r->intervalMs = 400;
        return r;
    }
    // No reading; the search over the whole range found a tone of playedHz.
    std::unique_ptr<FakeResult> unclear(float playedHz) {
        std::unique_ptr<FakeResult> r = clean(0.0f);
        r->valid = false;
        r->setPlayedFrequency(playedHz);
        return r;
    }
    float shownCents() const { return shown ? shown->getCents() : NAN; }

    ToneScaleCollection scales;
    TargetFollower follower{scales};
    TargetData target{0, 0.0f, ""};
    TargetFollower::Switches on{true, true};
    const AnalysisResultIfc* shown = nullptr;
    bool held = false;
};

TEST_F(TargetFollowerTest, ToneDetectionMovesByOneOrTwoSemitonesAfterTheSettlingResults) {
    struct Case {
        float cents;
        int movesWith; // 0: never within 12 results
        int to;
    };
    const Case cases[] = {
        {70, 6, 58},  {66, 0, 57},  {67, 6, 58},   {-66, 0, 57},  {-67, 6, 56}, {150, 6, 58},
        {151, 6, 59}, {160, 6, 59}, {-160, 6, 55}, {-150, 6, 56}, {0, 0, 57},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cents);
        moveTo(57);
        int movedWith = 0;
        for (int i = 1; i <= 12 && movedWith == 0; ++i) {
            feed(clean(c.cents));
            if (target.note != 57) {
                movedWith = i;
            } else {
                EXPECT_NEAR(shownCents(), c.cents, 1e-4f) << "result " << i;
                EXPECT_FALSE(held);
            }
        }
        EXPECT_EQ(movedWith, c.movesWith);
        EXPECT_EQ(target.note, c.to);
        if (movedWith != 0) {
            EXPECT_EQ(follower.getResults().size(), 0);
            EXPECT_EQ(follower.getSettleCountdown(), TargetFollower::SettleResults);
        }
    }
    // Off: the target stays wherever the tone lies.
    on.toneDetection = false;
    moveTo(57);
    for (int i = 0; i < 12; ++i)
        feed(clean(160.0f));
    EXPECT_EQ(target.note, 57);
    EXPECT_NEAR(shownCents(), 160.0f, 1e-4f);
}

TEST_F(TargetFollowerTest, AMoveOnTheGridShowsTheOldestRecordFirst) {
    for (int i = 0; i < 5; ++i)
        feed(clean(float(i)));
    ASSERT_EQ(target.note, 57);
    ASSERT_EQ(follower.getResults().size(), 4);
    // The decision itself, before the move clears the buffer.
    TargetFollower::Decision d = follower.take(clean(80.0f), target, on);
    EXPECT_EQ(d.shown, follower.getResults().oldest());
    EXPECT_NEAR(d.shown->getCents(), 1.0f, 1e-4f);
    EXPECT_FALSE(d.held);
    EXPECT_EQ(d.record, nullptr);
    EXPECT_EQ(d.moveBy, 1);
    EXPECT_EQ(d.moveTo, -1);
}

// A tone beyond the grid: the wide search names it, and after the settling
// results three that agree in a row take the target straight there, on the
// notes of the scale settings the follower was given.
TEST_F(TargetFollowerTest, ToneDetectionGoesToTheNoteTheWideSearchNames) {
    scales.setScale("equal", 0, 415.0f, 0.0f);
    moveTo(57);
    const float d5 = scales.getNoteFrequency(62);
    const float c5 = scales.getNoteFrequency(60);
    ASSERT_NEAR(d5, 415.0f * std::pow(2.0f, 5.0f / 12.0f), 0.01f);

    struct Step {
        float played;
        int noteAfter;
    };
    // Five settling results never move; the count of agreeing ones starts
    // again whenever another note (or none) is named.
    const std::vector<Step> steps = {
        {d5, 57},          {d5, 57}, {d5, 57}, {d5, 57},   {d5, 57}, // settling
        {c5, 57},          {d5, 57}, {d5, 57}, {0.0f, 57},           // never three in a row
        {d5 * 1.028f, 57},                                           // 48 cents sharp: still D5
        {d5, 57},                                                    // three D5 in a row
        {d5, 62},
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        feed(unclear(steps[i].played));
        EXPECT_EQ(target.note, steps[i].noteAfter) << "step " << i;
    }

    // The note the target is on already, a tone far above the highest note,
    // or detection off: the target stays.
    for (float played : {d5, 20000.0f}) {
        moveTo(62);
        for (int i = 0; i < 10; ++i)
            feed(unclear(played));
        EXPECT_EQ(target.note, 62) << played;
    }
    on.toneDetection = false;
    moveTo(57);
    for (int i = 0; i < 10; ++i)
        feed(unclear(d5));
    EXPECT_EQ(target.note, 57);
}

TEST_F(TargetFollowerTest, MeasurementStopHoldsTheOldestRecord) {
    for (int cents = 1; cents <= 6; ++cents)
        feed(clean(float(cents)));
    ASSERT_EQ(follower.getResults().size(), 4); // 3, 4, 5 and 6
    feed(unclear(0.0f));
    EXPECT_NEAR(shownCents(), 3.0f, 1e-4f);
    EXPECT_EQ(shown, follower.getResults().oldest());
    EXPECT_TRUE(held);
    EXPECT_EQ(follower.getResults().size(), 4) << "the unclear record is not kept";

    feed(clean(7.0f));
    EXPECT_NEAR(shownCents(), 7.0f, 1e-4f);
    EXPECT_FALSE(held);

    // Right after a change of target there is nothing to fall back on.
    moveTo(58);
    feed(unclear(0.0f));
    EXPECT_EQ(shown, nullptr);
    EXPECT_FALSE(held);

    // Off: an unclear record is shown as it is, and kept.
    on = {false, false};
    feed(clean(2.0f));
    feed(unclear(0.0f));
    ASSERT_NE(shown, nullptr);
    EXPECT_FALSE(shown->isValid());
    EXPECT_FALSE(held);
    EXPECT_EQ(follower.getResults().size(), 2);
}

TEST_F(TargetFollowerTest, ARecordForAnotherTargetIsDroppedButCounts) {
    feed(clean(2.0f));
    const int countdown = follower.getSettleCountdown();
    bool destroyed = false;
    std::unique_ptr<FakeResult> other = clean(2.0f);
    other->target = TargetData(57, 442.0f, "A4");
    other->onDestroy = [&] { destroyed = true; };
    feed(std::move(other));
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(shown, nullptr);
    EXPECT_EQ(follower.getResults().size(), 1);
    EXPECT_EQ(follower.getSettleCountdown(), countdown - 1);

    std::unique_ptr<FakeResult> none = clean(2.0f);
    none->hasTarget = false;
    feed(std::move(none));
    EXPECT_EQ(shown, nullptr);
    EXPECT_EQ(follower.getResults().size(), 1);
}

} // namespace
} // namespace tonvela
