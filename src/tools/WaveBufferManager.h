#pragma once

#include "platform/audio/AudioBackend.h"
#include "runtime/Mutex.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace tonvela {

// One output buffer in a single allocation: the device's header record
// followed directly by the sample bytes it points at.
class WaveBuffer {
public:
    WaveBuffer(const WaveBuffer&) = delete;
    WaveBuffer& operator=(const WaveBuffer&) = delete;

    AudioBuffer header;

    std::uint32_t capacity() const { return size; }
    std::uint8_t* bytes() { return reinterpret_cast<std::uint8_t*>(this + 1); }

private:
    friend class WaveBufferManager;
    explicit WaveBuffer(std::uint32_t size) : size(size) {}

    std::uint32_t size;
};

// Pool of output buffers for the synthesizer. Reusing a buffer of the same
// size avoids an allocation for every 100 ms of sound.
class WaveBufferManager {
public:
    WaveBufferManager() = default;
    ~WaveBufferManager();
    WaveBufferManager(const WaveBufferManager&) = delete;
    WaveBufferManager& operator=(const WaveBufferManager&) = delete;

    // A buffer of `size` bytes with its header reset (data at its bytes,
    // length `size`, nothing used, no flags); the caller holds it until
    // release(). The most recently released buffer is reused when it has
    // that size, and freed when not. nullptr for a negative size or when
    // memory runs out.
    WaveBuffer* acquire(int size);
    // Gives a buffer from acquire() back to the pool.
    void release(WaveBuffer* buffer);

private:
    struct Free {
        void operator()(WaveBuffer* buffer) const;
    };
    using Owned = std::unique_ptr<WaveBuffer, Free>;

    static void reset(WaveBuffer& buffer);

    ThreadMutex lock;
    std::vector<Owned> freeList;
};

} // namespace tonvela
