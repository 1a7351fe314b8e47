#include "audio/CaptureDriver.h"

#include "runtime/Random.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <new>

namespace tonvela {

namespace {

// The driver that most recently tried to open a device; the device callback
// reaches it through this pointer. Only one driver exists at a time.
std::atomic<CaptureDriver*> currentCaptureDriver{nullptr};

std::atomic<std::uint64_t> driverCount{0};

constexpr float TWO_PI = 6.2831855f;
constexpr int maxShutdownPolls = 50;
constexpr int failureCheckMs = 500;

struct FormatTry {
    unsigned flag;
    std::uint32_t samplesPerSecond;
    int bitsPerSample;
};

// Best quality first; 11025 Hz 8-bit is tried even without its flag.
constexpr FormatTry formatOrder[] = {
    {FORMAT_4M16, 44100, 16}, {FORMAT_4M08, 44100, 8},  {FORMAT_2M16, 22050, 16},
    {FORMAT_2M08, 22050, 8},  {FORMAT_1M16, 11025, 16}, {0, 11025, 8},
};

} // namespace

CaptureDriver::CaptureDriver(int deviceId) : requested(deviceId), serial(++driverCount) {
    AudioBackend& backend = audioBackend();
    const int count = backend.inputDeviceCount();
    opened = deviceId;
    if (!probeDevice(deviceId)) {
        opened = -2;
        for (int id = 0; id < count; ++id) {
            if (probeDevice(id)) {
                opened = id;
                break;
            }
        }
    }
    if (opened == -2) {
        silent = true;
        if (captureFormat.samplesPerSecond == 0) {
            // No device at all was tried: the analyzers still need a rate.
            captureFormat.samplesPerSecond = SILENT_SAMPLE_RATE;
            captureFormat.bitsPerSample = 8;
            captureFormat.blockAlign = 1;
            captureFormat.avgBytesPerSecond = SILENT_SAMPLE_RATE;
        }
        return;
    }

    const std::uint32_t rate = captureFormat.samplesPerSecond;
    const std::uint32_t bits = captureFormat.bitsPerSample;
    ringLength = static_cast<int>(rate * static_cast<std::uint32_t>(ringDurationMs) / 1000u);
    bufferBytes =
        static_cast<int>(bits * rate * static_cast<std::uint32_t>(bufferDurationMs) / 8000u);
    // Zeros from the system, page by page as the ring fills, rather than
    // written over all 60 seconds up front.
    ring.reset(
        static_cast<float*>(std::calloc(static_cast<std::size_t>(ringLength), sizeof(float))));
    if (!ring)
        throw std::bad_alloc();
    writeIndex = 0;
    for (int i = 0; i < 2; ++i) {
        buffers[i].assign(static_cast<std::size_t>(bufferBytes), 0);
        headers[i].data = buffers[i].data();
        headers[i].length = static_cast<std::uint32_t>(bufferBytes);
    }
    running = true;
    setPriority(2);
    resume();
}

CaptureDriver::~CaptureDriver() {
    stop();
    CaptureDriver* self = this;
    currentCaptureDriver.compare_exchange_strong(self, nullptr);
}

bool CaptureDriver::probeDevice(int deviceId) {
    InputCapabilities capabilities;
    if (audioBackend().inputCapabilities(deviceId, capabilities) != AUDIO_OK)
        return false;
    if ((capabilities.formats & MONO_FORMATS) == 0)
        return false;
    for (const FormatTry& format : formatOrder) {
        if (format.flag != 0 && (capabilities.formats & format.flag) == 0)
            continue;
        if (openDevice(deviceId, format.samplesPerSecond, format.bitsPerSample)) {
            name = capabilities.name;
            return true;
        }
    }
    return false;
}

bool CaptureDriver::openDevice(int deviceId, std::uint32_t samplesPerSecond, int bitsPerSample) {
    captureFormat.formatTag = 1;
    captureFormat.channels = 1;
    captureFormat.samplesPerSecond = samplesPerSecond;
    captureFormat.avgBytesPerSecond =
        samplesPerSecond * static_cast<std::uint32_t>(bitsPerSample) / 8;
    captureFormat.blockAlign = static_cast<std::uint16_t>(bitsPerSample / 8);
    captureFormat.bitsPerSample = static_cast<std::uint16_t>(bitsPerSample);
    captureFormat.extraSize = 0;
    currentCaptureDriver = this;

    PcmFormat format;
    format.samplesPerSecond = samplesPerSecond;
    format.bitsPerSample = bitsPerSample;
    std::unique_ptr<AudioInput> input;
    const int result = audioBackend().openInput(
        deviceId, format,
        [] {
            if (CaptureDriver* driver = currentCaptureDriver.load())
                driver->bufferFilled();
        },
        input);
    if (result != AUDIO_OK || !input)
        return false;
    device = std::move(input);
    storesOnCallback = device->fillsInSteps();
    return true;
}

void CaptureDriver::run() {
    device->addBuffer(headers[0]);
    device->addBuffer(headers[1]);
    device->start();

    while (running) {
        // A device that was unplugged says nothing more: look after it now
        // and then, so the program can tell the user and open another.
        if (!bufferDone.wait(failureCheckMs)) {
            if (!failed && device->hasFailed())
                failed = true;
            continue;
        }
        if (!running)
            break;
        storeDoneBuffers();
    }

    {
        // A buffer stored on a step's callback now is not queued again.
        Guard guard(storeLock);
        device->stop();
        device->reset();
    }
    // A device that vanished may never hand its buffers back; do not let that
    // hang the shutdown (the device is closed before the buffers are freed).
    for (AudioBuffer& header : headers)
        for (int tries = 0; tries < maxShutdownPolls && !(header.flags.load() & BUFFER_DONE);
             ++tries)
            Thread::sleep(100);
    device.reset();
}

void CaptureDriver::bufferFilled() {
    if (storesOnCallback)
        storeDoneBuffers();
    else
        bufferDone.set();
}

void CaptureDriver::storeDoneBuffers() {
    Guard guard(storeLock);
    while (running && (headers[current].flags.load() & BUFFER_DONE)) {
        storeBuffer(headers[current]);
        device->addBuffer(headers[current]);
        current = (current + 1) % 2;
    }
}

void CaptureDriver::storeBuffer(const AudioBuffer& buffer) {
    Guard guard(ringLock);
    const int bytesPerSample = captureFormat.bitsPerSample == 16 ? 2 : 1;
    if (buffer.flags.load() & BUFFER_AFTER_GAP) {
        lostAt.push_back(written + static_cast<std::int64_t>(buffer.gapAt) / bytesPerSample);
        lostCount.fetch_add(1);
    }
    const std::uint8_t* data = buffer.data;
    const int bytes = bufferBytes;
    written += bytes / bytesPerSample;
    // Marks the ring no longer holds can touch no read.
    while (!lostAt.empty() && lostAt.front() < written - ringLength)
        lostAt.erase(lostAt.begin());
    if (captureFormat.bitsPerSample == 16) {
        for (int i = 0; i + 1 < bytes; i += 2) {
            const auto sample = static_cast<std::int16_t>(data[i] | (data[i + 1] << 8));
            ring[static_cast<std::size_t>(writeIndex)] = static_cast<float>(sample) * 0.00390625f;
            if (++writeIndex == ringLength)
                writeIndex = 0;
        }
    } else {
        for (int i = 0; i < bytes; ++i) {
            ring[static_cast<std::size_t>(writeIndex)] = static_cast<float>(data[i] - 128);
            if (++writeIndex == ringLength)
                writeIndex = 0;
        }
    }
}

void CaptureDriver::readStrided(Complex* dest, int count, int stride) {
    if (count > 0)
        keepAsLastRead(readStrided(dest, count, stride, drawJitter()));
}

int CaptureDriver::drawJitter() const {
    return silent ? 0 : tonvela::rand() % bufferBytes;
}

void CaptureDriver::keepAsLastRead(const StridedRead& read) {
    // A silent driver reads nothing.
    if (silent)
        return;
    lastRead = read.span;
    lastReadLost = read.lostInput;
}

CaptureDriver::StridedRead CaptureDriver::readStrided(Complex* dest, int count, int stride,
                                                      int jitter) {
    if (count <= 0)
        return {};
    if (silent) {
        for (int i = 0; i < count; ++i)
            dest[i] = Complex{};
        return {};
    }
    Guard guard(ringLock);
    // A window reaching back further than the ring holds (a runaway target)
    // is folded into it rather than read outside it.
    const long long length = ringLength;
    const long long step = stride > 0 ? stride % length : 0;
    long long p = (static_cast<long long>(writeIndex) - jitter - step) % length;
    if (p < 0)
        p += length;
    const ReadSpan span = spanOf(written - jitter - step, count, step);
    const StridedRead read{span, lostWithin(span)};
    for (long long i = count - 1; i >= 0;) {
        // The reads down to the ring's start, then on from its end.
        const long long run = step > 0 ? std::min(i + 1, p / step + 1) : i + 1;
        for (const long long end = i - run; i > end; --i, p -= step)
            dest[i] = Complex{ring[static_cast<std::size_t>(p)], 0.0f};
        if (p < 0)
            p += length;
    }
    return read;
}

void CaptureDriver::readRuns(int count,
                             const std::function<void(const float* run, int length)>& consume) {
    if (count <= 0)
        return;
    if (silent) {
        static const std::array<float, 4096> zeros{};
        for (int done = 0; done < count;) {
            const int run = std::min(count - done, static_cast<int>(zeros.size()));
            consume(zeros.data(), run);
            done += run;
        }
        return;
    }
    Guard guard(ringLock);
    const long long length = ringLength;
    const long long step = 1 % length;
    const long long jitter = tonvela::rand() % bufferBytes;
    long long newest = (static_cast<long long>(writeIndex) - jitter - step) % length;
    if (newest < 0)
        newest += length;
    lastRead = spanOf(written - jitter - step, count, 1);
    lastReadLost = lostWithin(lastRead);
    if (step == 0) {
        // A ring of one sample: every position is that sample.
        for (int i = 0; i < count; ++i)
            consume(&ring[static_cast<std::size_t>(newest)], 1);
        return;
    }
    // A window longer than the ring goes round it more than once, as in
    // readStrided.
    long long p = (newest - static_cast<long long>(count - 1) % length) % length;
    if (p < 0)
        p += length;
    for (long long remaining = count; remaining > 0;) {
        const long long run = std::min(remaining, length - p);
        consume(&ring[static_cast<std::size_t>(p)], static_cast<int>(run));
        remaining -= run;
        p = 0;
    }
}

CaptureDriver::ReadSpan CaptureDriver::spanOf(std::int64_t newest, long long count,
                                              long long step) {
    return {newest - (count - 1) * step, newest};
}

bool CaptureDriver::lostWithin(const ReadSpan& span) const {
    // A mark at n means sample n does not follow sample n - 1.
    for (std::int64_t mark : lostAt)
        if (mark > span.first && mark <= span.last)
            return true;
    return false;
}

void CaptureDriver::makeTestTone(Complex* dest, int count, int stride, float frequency,
                                 float startPhase) const {
    const float rate =
        static_cast<float>(captureFormat.samplesPerSecond) / static_cast<float>(stride);
    const float increment = frequency * TWO_PI / rate;
    float phase = startPhase;
    for (int i = 0; i < count; ++i) {
        dest[i] = Complex{10.0f * std::sin(phase), 0.0f};
        phase += increment;
        if (phase > TWO_PI)
            phase -= TWO_PI;
    }
}

void CaptureDriver::stop() {
    if (silent) {
        join();
        return;
    }
    running = false;
    bufferDone.set();
    join();
}

} // namespace tonvela
