#include "analysis/ResultBuffer.h"
#include "support/FakeResult.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace tonvela {
namespace {

// A record numbered id that notes its destruction in destroyed.
std::unique_ptr<test::FakeResult> numbered(int id, int windowMs, int intervalMs,
                                           std::vector<int>& destroyed) {
    auto result = std::make_unique<test::FakeResult>();
    result->windowMs = windowMs;
    result->intervalMs = intervalMs;
    result->frequency = float(id);
    result->onDestroy = [id, &destroyed] { destroyed.push_back(id); };
    return result;
}

class ResultBufferTest : public ::testing::Test {
protected:
    void add(int windowMs, int intervalMs = 400) {
        buffer.add(numbered(next++, windowMs, intervalMs, destroyed));
    }
    int oldestId() const { return int(buffer.oldest()->getFrequency()); }

    std::vector<int> destroyed;
    int next = 1;
    ResultBuffer buffer;
};

TEST_F(ResultBufferTest, SizeFollowsTheWindow) {
    struct Case {
        int windowMs;
        int kept;
    };
    // Standard, Accurate and Most Accurate windows at A4, and the extremes.
    const Case cases[] = {{399, 2},  {400, 3},   {557, 3},   {1000, 4}, {1021, 4},
                          {2229, 7}, {4086, 12}, {8173, 22}, {0, 2}};
    for (const Case& c : cases) {
        buffer.clear();
        for (int i = 0; i < 30; ++i)
            add(c.windowMs);
        EXPECT_EQ(buffer.size(), c.kept) << c.windowMs;
        EXPECT_EQ(oldestId(), next - c.kept) << c.windowMs;
    }
}

TEST_F(ResultBufferTest, TheFifthAddDestroysTheFirst) {
    for (int i = 0; i < 4; ++i)
        add(1000);
    EXPECT_TRUE(destroyed.empty());
    EXPECT_EQ(oldestId(), 1);
    add(1000);
    EXPECT_EQ(destroyed, std::vector<int>{1});
    EXPECT_EQ(oldestId(), 2);
}

TEST_F(ResultBufferTest, AShorterWindowTrimsSeveralAtOnce) {
    for (int i = 0; i < 12; ++i)
        add(4086);
    ASSERT_EQ(buffer.size(), 12);
    add(557);
    EXPECT_EQ(buffer.size(), 3);
    EXPECT_EQ(destroyed.size(), 10u);
    EXPECT_EQ(oldestId(), 11);
}

TEST_F(ResultBufferTest, EmptyNullAndClear) {
    EXPECT_EQ(buffer.oldest(), nullptr);
    buffer.add(nullptr);
    EXPECT_EQ(buffer.oldest(), nullptr);
    add(1000);
    add(1000);
    buffer.clear();
    EXPECT_EQ(buffer.oldest(), nullptr);
    EXPECT_EQ(destroyed.size(), 2u);
    // A record without an interval keeps the two the buffer always holds.
    for (int i = 0; i < 5; ++i)
        add(1000, 0);
    EXPECT_EQ(buffer.size(), 2);
}

TEST(ResultBuffer, DestructionDestroysEveryRecord) {
    std::vector<int> destroyed;
    {
        ResultBuffer buffer;
        for (int i = 0; i < 3; ++i)
            buffer.add(numbered(i, 1000, 400, destroyed));
    }
    EXPECT_EQ(destroyed.size(), 3u);
}

} // namespace
} // namespace tonvela
