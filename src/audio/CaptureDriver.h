#pragma once

#include "platform/audio/AudioBackend.h"
#include "runtime/Complex.h"
#include "runtime/Event.h"
#include "runtime/Mutex.h"
#include "runtime/Thread.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tonvela {

// The wave format of the open device: PCM, one channel.
struct CaptureFormat {
    std::uint16_t formatTag = 1;
    std::uint16_t channels = 1;
    std::uint32_t samplesPerSecond = 0;
    std::uint32_t avgBytesPerSecond = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint16_t extraSize = 0;
};

// Owns the sound input device and the capture thread. The device fills two
// alternating 200 ms buffers; the thread converts each filled one into a ring
// that holds the most recent 60 seconds on a common scale of -128..+128.
class CaptureDriver : public Thread {
public:
    // A driver without a device reports this rate: the analyzers divide by it.
    static constexpr std::uint32_t SILENT_SAMPLE_RATE = 11025;

    // deviceId: a device index, or -1 for the system's default input device.
    explicit CaptureDriver(int deviceId);
    ~CaptureDriver() override;

    // count samples spaced stride apart, oldest first, ending a random 0 ..
    // bufferBytes - 1 positions plus one stride before the newest sample.
    void readStrided(Complex* dest, int count, int stride);
    // The samples readStrided(dest, count, 1) would give, with the same
    // jitter, handed to consume in place as successive runs of the ring,
    // oldest first, while the ring is locked: a long window need not be
    // copied before it is filtered. consume must not call back into the
    // driver, but for lastReadSpan(), which already tells this read's span.
    void readRuns(int count, const std::function<void(const float* run, int length)>& consume);
    float sampleRate() const { return static_cast<float>(captureFormat.samplesPerSecond); }
    // A sine of peak 10 on the ring's scale, at the rate of every stride-th sample.
    void makeTestTone(Complex* dest, int count, int stride, float frequency,
                      float startPhase) const;
    int requestedDevice() const { return requested; }

    int openedDevice() const { return opened; }
    bool isSilent() const { return silent; }
    // The open device stopped delivering for good (unplugged): the ring keeps
    // its last samples and no more come.
    bool hasFailed() const { return failed; }
    // The open device's product name; empty for a silent driver.
    const std::string& deviceName() const { return name; }
    const CaptureFormat& format() const { return captureFormat; }
    int getRingLength() const { return ringLength; }
    // No other driver of this process has it (from 1): sample numbers of
    // different drivers, which all count from 0, are not to be mixed.
    std::uint64_t getSerial() const { return serial; }
    int getBufferBytes() const { return bufferBytes; }

    // The samples the last readStrided or readRuns of the calling thread's
    // analysis took, numbered from the first sample the device delivered
    // (earlier positions, before the ring was full, are negative).
    struct ReadSpan {
        std::int64_t first = 0;
        std::int64_t last = -1;
    };
    ReadSpan lastReadSpan() const { return lastRead; }
    // Whether input was lost inside the last read: a result measured across
    // such a splice would time two stretches of sound as one.
    bool lastReadLostInput() const { return lastReadLost; }
    struct StridedRead {
        ReadSpan span;
        bool lostInput = false;
    };
    // The two halves of readStrided for analyses that run side by side: the
    // jitter is drawn in turn from the process's one random sequence (0 for
    // a silent driver, which draws none), and the read with it returns its
    // span and whether input was lost inside it, which keepAsLastRead()
    // makes the analysing thread's last read.
    int drawJitter() const;
    StridedRead readStrided(Complex* dest, int count, int stride, int jitter);
    void keepAsLastRead(const StridedRead& read);
    // Stretches of input lost since the device was opened: bytes with no
    // buffer to go to, an overflow reported by the device, a buffer given
    // back late. Any thread may read it.
    int lostStretches() const { return lostCount.load(); }

protected:
    void run() override;

private:
    // Tests move the write position, e.g. to wrap the ring inside a buffer.
    friend class CaptureDriverTestAccess;

    bool probeDevice(int deviceId);
    bool openDevice(int deviceId, std::uint32_t samplesPerSecond, int bitsPerSample);
    void storeBuffer(const AudioBuffer& buffer);
    // The span of a read ending at newest, count positions step apart.
    static ReadSpan spanOf(std::int64_t newest, long long count, long long step);
    // Whether input was lost inside span (lock held).
    bool lostWithin(const ReadSpan& span) const;
    void stop();
    // The device's callback: a buffer came back filled.
    void bufferFilled();
    // Stores the buffers that came back, in turn, and queues them again.
    void storeDoneBuffers();

    CaptureFormat captureFormat;
    int ringDurationMs = 60000;
    int bufferDurationMs = 200;
    int ringLength = 0;
    int bufferBytes = 0;
    struct FreeRing {
        void operator()(float* samples) const { std::free(samples); }
    };
    std::unique_ptr<float[], FreeRing> ring;
    AudioBuffer headers[2];
    std::vector<std::uint8_t> buffers[2];
    std::atomic<bool> running{false};
    std::atomic<bool> failed{false};
    bool silent = false;
    std::string name;
    Event bufferDone;
    // A device that fills in steps has its buffers stored on the stepping
    // thread, in the callback.
    std::atomic<bool> storesOnCallback{false};
    ThreadMutex storeLock;
    // The buffer that comes back next (storeLock held).
    int current = 0;
    int writeIndex = 0;
    // Samples stored since the device was opened, the number of the one
    // writeIndex will hold next.
    std::int64_t written = 0;
    // Sample numbers at which input was lost just before; those older than
    // the ring are dropped.
    std::vector<std::int64_t> lostAt;
    std::atomic<int> lostCount{0};
    // Only the analysing thread reads and writes these; passes measured side
    // by side take theirs from the read itself.
    ReadSpan lastRead;
    bool lastReadLost = false;
    ThreadMutex ringLock;
    int opened = -2;
    int requested = -1;
    std::uint64_t serial = 0;
    std::unique_ptr<AudioInput> device;
};

} // namespace tonvela
