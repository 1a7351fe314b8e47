// The search over the whole range names the fundamental of the tone played,
// also when the fundamental itself is missing, and nothing in noise.
#include "analysis/WideSearch.h"
#include "analysis/ChangingTones.h"
#include "runtime/Random.h"

#include <gtest/gtest.h>

namespace tonvela {
namespace {

TEST(WideSearch, NamesTheFundamentalOfTheTonePlayed) {
    struct Case {
        double hz;
        int timbre; // 0 pure, 1 harmonic, 2 missing fundamental
        unsigned rate;
    };
    const Case cases[] = {
        {65.41, 1, 44100},  {98.0, 2, 44100},    {261.63, 1, 48000}, {369.99, 1, 44100},
        {440.0, 0, 44100},  {587.33, 1, 44100},  {587.33, 2, 48000}, {1046.5, 1, 44100},
        {1760.0, 0, 44100}, {3135.96, 0, 44100},
    };
    tonvela::srand(4);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.hz << " Hz, timbre " << c.timbre);
        const test::Timbre timbre = c.timbre == 0   ? test::pureTimbre()
                                    : c.timbre == 1 ? test::harmonicTimbre()
                                                    : test::missingFundamentalTimbre();
        const test::StretchedRecording recording(
            c.hz, timbre, {{test::Stretch::Kind::Tone, 3.0, 0.0, true, 0.0}}, 9);
        test::RecordingCapture capture(recording.render(c.rate));
        ASSERT_TRUE(capture.step(12));
        WideSearch search;
        const float found = search.find(*capture.driver);
        EXPECT_NEAR(1200.0 * std::log2(found / c.hz), 0.0, 10.0) << found;
    }
}

TEST(WideSearch, FindsNothingInNoiseOrSilenceOrAcrossLostInput) {
    WideSearch search;
    {
        const test::StretchedRecording noise(
            440.0, test::pureTimbre(), {{test::Stretch::Kind::Noise, 3.0, 0.0, true, 0.0}}, 2);
        test::RecordingCapture capture(noise.render(44100));
        ASSERT_TRUE(capture.step(12));
        EXPECT_EQ(search.find(*capture.driver), 0.0f);
    }
    {
        const test::StretchedRecording silence(
            440.0, test::pureTimbre(), {{test::Stretch::Kind::Silence, 3.0, 0.0, true, 0.0}}, 2);
        test::RecordingCapture capture(silence.render(44100));
        ASSERT_TRUE(capture.step(12));
        EXPECT_EQ(search.find(*capture.driver), 0.0f);
    }
    {
        const test::StretchedRecording tone(440.0, test::harmonicTimbre(),
                                            {{test::Stretch::Kind::Tone, 4.0, 0.0, true, 0.0}}, 2);
        test::RecordingCapture capture(tone.render(44100));
        ASSERT_TRUE(capture.step(10));
        ASSERT_TRUE(capture.backend->loseInput(0, 3000));
        // Every window of 1.5 s read now holds the splice, whatever its jitter.
        ASSERT_TRUE(capture.step(4));
        EXPECT_EQ(search.find(*capture.driver), 0.0f);
    }
}

} // namespace
} // namespace tonvela
