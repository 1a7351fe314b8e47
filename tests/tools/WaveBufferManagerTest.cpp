#include "tools/WaveBufferManager.h"

#include <gtest/gtest.h>

namespace tonvela {
namespace {

TEST(WaveBufferManager, NewBufferPointsAtItsOwnBytes) {
    WaveBufferManager pool;
    WaveBuffer* buffer = pool.acquire(8820);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->capacity(), 8820u);
    EXPECT_EQ(buffer->header.data, reinterpret_cast<std::uint8_t*>(buffer + 1));
    EXPECT_EQ(buffer->header.length, 8820u);
    EXPECT_EQ(buffer->header.bytesUsed, 0u);
    EXPECT_EQ(buffer->header.flags, 0u);
    buffer->header.data[8819] = 7; // the bytes are all there
    pool.release(buffer);
    EXPECT_EQ(pool.acquire(-1), nullptr);
}

TEST(WaveBufferManager, ReusesTheLastReleasedBufferOfTheSameSizeReset) {
    WaveBufferManager pool;
    WaveBuffer* first = pool.acquire(8820);
    WaveBuffer* second = pool.acquire(8820);
    ASSERT_NE(first, second);
    for (WaveBuffer* buffer : {first, second}) {
        buffer->header.flags = BUFFER_DONE;
        buffer->header.length = 10;
        buffer->header.bytesUsed = 10;
        buffer->header.data = nullptr;
    }
    pool.release(first);
    pool.release(second);
    WaveBuffer* again = pool.acquire(8820);
    EXPECT_EQ(again, second);
    EXPECT_EQ(again->header.data, again->bytes());
    EXPECT_EQ(again->header.length, 8820u);
    EXPECT_EQ(again->header.bytesUsed, 0u);
    EXPECT_EQ(again->header.flags, 0u);
    EXPECT_EQ(pool.acquire(8820), first);
    pool.release(first);
    pool.release(again);
}

TEST(WaveBufferManager, ABufferOfAnotherSizeIsNotReused) {
    WaveBufferManager pool;
    WaveBuffer* small = pool.acquire(100);
    pool.release(small);
    WaveBuffer* large = pool.acquire(8820);
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(large->capacity(), 8820u);
    EXPECT_EQ(large->header.length, 8820u);
    pool.release(large);
}

} // namespace
} // namespace tonvela
