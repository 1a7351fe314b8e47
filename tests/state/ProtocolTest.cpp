#include "state/Protocol.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

using namespace tonvela;

namespace {

// Records every call, as the protocol grid would receive it: -1 for a
// reset, the note for an entry.
struct RecordingWindow : ProtocolListener {
    static constexpr int Reset = -1;
    std::vector<int> messages;
    void onReset() override { messages.push_back(Reset); }
    void onEntry(int note) override { messages.push_back(note); }
    int count(int message) const {
        int n = 0;
        for (int m : messages)
            n += m == message;
        return n;
    }
};

} // namespace

TEST(Protocol, StartsEmpty) {
    const Protocol protocol;
    for (int i = 0; i < Protocol::NoteCount; ++i)
        EXPECT_EQ(protocol.getFrequency(i), 0.0f) << i;
}

TEST(Protocol, SetFrequencyNotifiesOnlyChanges) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Step {
        int index;
        float hertz;
        bool notify;
        float stored;  // expected afterwards
        bool messaged; // one onEntry expected
    };
    const Step steps[] = {
        {57, 440.0f, true, 440.0f, true},   // empty entry gets a value
        {57, 440.0f, true, 440.0f, false},  // the same value again
        {57, 441.0f, false, 441.0f, false}, // changed, but silently
        {57, nan, true, 441.0f, false},     // NaN counts as equal
        {57, 0.0f, true, 0.0f, true},       // removed
        {0, 16.35f, true, 16.35f, true},    {95, 3951.0f, true, 3951.0f, true},
    };
    Protocol protocol;
    RecordingWindow window;
    protocol.addListener(&window);
    for (const Step& s : steps) {
        window.messages.clear();
        protocol.setFrequency(s.index, s.hertz, s.notify);
        EXPECT_EQ(protocol.getFrequency(s.index), s.stored) << s.index << " " << s.hertz;
        if (s.messaged) {
            ASSERT_EQ(window.messages.size(), 1u) << s.index << " " << s.hertz;
            EXPECT_EQ(window.messages[0], s.index);
        } else {
            EXPECT_TRUE(window.messages.empty()) << s.index << " " << s.hertz;
        }
    }
    // A NaN already stored is never replaced by the ordered comparison either.
    protocol.setFrequency(3, nan, true);
    EXPECT_EQ(protocol.getFrequency(3), 0.0f);
}

TEST(Protocol, ClearAndResetNotifyEveryWindowInOrder) {
    Protocol protocol;
    RecordingWindow a, b;
    protocol.addListener(&a);
    protocol.addListener(&b);
    protocol.addListener(&a); // registered twice: told twice

    protocol.clear(); // already empty: still a reset
    EXPECT_EQ(a.count(RecordingWindow::Reset), 2);
    EXPECT_EQ(b.count(RecordingWindow::Reset), 1);

    protocol.setFrequency(10, 30.0f, false);
    protocol.clear();
    EXPECT_EQ(protocol.getFrequency(10), 0.0f);
    EXPECT_EQ(a.count(RecordingWindow::Reset), 4);

    protocol.removeListener(&a); // one registration stays
    protocol.notifyReset();
    EXPECT_EQ(a.count(RecordingWindow::Reset), 5);
    EXPECT_EQ(b.count(RecordingWindow::Reset), 3);
    protocol.removeListener(&a);
    protocol.removeListener(&a); // none left: nothing happens
    protocol.notifyReset();
    EXPECT_EQ(a.count(RecordingWindow::Reset), 5);
    for (int m : a.messages)
        EXPECT_EQ(m, RecordingWindow::Reset);
}

TEST(Protocol, BulkLoadSendsOneReset) {
    Protocol protocol;
    RecordingWindow window;
    protocol.addListener(&window);
    for (int i = 0; i < Protocol::NoteCount; ++i)
        protocol.setFrequency(i, 16.0f + i, false);
    protocol.notifyReset();
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0], RecordingWindow::Reset);
}

TEST(Protocol, DeviationAgainstEqualTemperamentAt440) {
    struct Case {
        int index;
        float hertz;
        float cents;
        float tolerance;
    };
    const Case cases[] = {
        {57, 440.0f, 0.0f, 0.0f},
        {57, 445.0f, 19.562156f, 5e-6f}, // the quotient in single
                                         // precision
        {57, 0.0f, 0.0f, 0.0f},
        {57, -5.0f, 0.0f, 0.0f},      // not a measurement
        {0, 16.351597f, 0.0f, 3e-4f}, // one float step off C0     {95, 3951.0664f, 0.0f, 2e-4f},
        {56, 440.0f, 100.0f, 2e-4f},
        {58, 440.0f, -100.0f, 2e-4f},
        {45, 220.0f, 0.0f, 1e-4f},
        {69, 880.0f, 0.0f, 1e-4f},
        {60, 521.48151f, -5.865f, 1e-3f}, // a Pythagorean C5
    };
    for (const Case& c : cases) {
        Protocol protocol;
        protocol.setFrequency(c.index, c.hertz, false);
        EXPECT_NEAR(protocol.getDeviation(c.index), c.cents, c.tolerance)
            << c.index << " " << c.hertz;
    }
}

TEST(Protocol, DeviationMatchesIndependentComputation) {
    // Every note measured a quarter tone sharp of equal temperament.
    Protocol protocol;
    for (int i = 0; i < Protocol::NoteCount; ++i)
        protocol.setFrequency(i, static_cast<float>(440.0 * std::pow(2.0, (i - 57 + 0.5) / 12.0)),
                              false);
    for (int i = 0; i < Protocol::NoteCount; ++i)
        EXPECT_NEAR(protocol.getDeviation(i), 50.0f, 2e-3f) << i;
}
