#include "analysis/ResultBuffer.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace tonvela {
namespace {

// A record that only knows its lengths and tells when it is destroyed.
class FakeResult : public AnalysisResultIfc {
public:
    FakeResult(int id, int windowMs, int intervalMs, std::vector<int>& destroyed)
        : id(id), windowMs(windowMs), intervalMs(intervalMs), destroyed(destroyed) {}
    ~FakeResult() override { destroyed.push_back(id); }
    int getBinCount() const override { return 0; }
    float getPeakLevel() const override { return 0; }
    const float* getLevels() const override { return nullptr; }
    float getBinCents(int) const override { return 0; }
    bool isValid() const override { return true; }
    const TargetData* getTargetData() const override { return &target; }
    std::string getCentsText() const override { return text; }
    std::string getFrequencyText() const override { return text; }
    float getCents() const override { return 0; }
    float getFrequency() const override { return 0; }
    int getWindowMs() const override { return windowMs; }
    int getIntervalMs() const override { return intervalMs; }

    const int id;

private:
    int windowMs;
    int intervalMs;
    std::vector<int>& destroyed;
    TargetData target;
    std::string text;
};

class ResultBufferTest : public ::testing::Test {
protected:
    void add(int windowMs, int intervalMs = 400) {
        buffer.add(std::make_unique<FakeResult>(next++, windowMs, intervalMs, destroyed));
    }
    int oldestId() const { return static_cast<FakeResult*>(buffer.oldest())->id; }

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
            buffer.add(std::make_unique<FakeResult>(i, 1000, 400, destroyed));
    }
    EXPECT_EQ(destroyed.size(), 3u);
}

} // namespace
} // namespace tonvela
