#include "tools/WaveBufferManager.h"

#include <new>

namespace tonvela {

void WaveBufferManager::Free::operator()(WaveBuffer* buffer) const {
    buffer->~WaveBuffer();
    ::operator delete(buffer);
}

WaveBufferManager::~WaveBufferManager() = default;

void WaveBufferManager::reset(WaveBuffer& buffer) {
    buffer.header.data = buffer.bytes();
    buffer.header.length = buffer.capacity();
    buffer.header.bytesUsed = 0;
    buffer.header.flags = 0;
}

WaveBuffer* WaveBufferManager::acquire(int size) {
    if (size < 0)
        return nullptr;
    const auto bytes = static_cast<std::uint32_t>(size);
    Guard guard(lock);
    if (!freeList.empty()) {
        Owned last = std::move(freeList.back());
        freeList.pop_back();
        if (last->capacity() == bytes) {
            reset(*last);
            return last.release();
        }
    }
    void* memory = ::operator new(sizeof(WaveBuffer) + bytes, std::nothrow);
    if (!memory)
        return nullptr;
    auto* buffer = new (memory) WaveBuffer(bytes);
    reset(*buffer);
    return buffer;
}

void WaveBufferManager::release(WaveBuffer* buffer) {
    if (!buffer)
        return;
    Owned owned(buffer);
    Guard guard(lock);
    freeList.push_back(std::move(owned));
}

} // namespace tonvela
