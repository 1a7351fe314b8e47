#include "platform/audio/VirtualAudioBackend.h"

#include "runtime/Bessel.h"

#include <sndfile.h>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <algorithm>
#include <chrono>
#include <cmath>
#include <deque>
#include <new>
#include <thread>
#include <utility>

namespace tonvela {

namespace {

using Clock = std::chrono::steady_clock;
// Fills out[0 .. count - 1] with the signal's frames first, first + 1, ...:
// one call for a whole buffer, not one for every sample.
using Signal = std::function<void(std::uint64_t first, std::size_t count, double* out)>;

constexpr auto STEP_TIMEOUT = std::chrono::seconds(5);

bool isDeviceRate(unsigned rate) {
    return rate == 44100 || rate == 22050 || rate == 11025;
}

unsigned bothWidths(unsigned rate) {
    return formatFlag(rate, 16) | formatFlag(rate, 8);
}

// A sound card's converter: round to the nearest step, clip at full scale.
// The scale is libsndfile's (s / 32768, (b - 128) / 128), so a 16- or 8-bit
// recording is played back bit for bit.
// std::lround for |y| up to 2^16, without a library call for every sample:
// there the truncation and the rest are exact.
// The steps up or down as comparisons rather than branches, which a
// waveform's samples would mispredict half the time.
long roundHalfAway(double y) {
    const long whole = static_cast<long>(y);
    const double rest = y - static_cast<double>(whole);
    return whole + static_cast<long>(rest >= 0.5) - static_cast<long>(rest <= -0.5);
}

void storeSample(std::uint8_t* out, int bitsPerSample, double x) {
    if (std::isnan(x))
        x = 0.0;
    x = std::clamp(x, -2.0, 2.0);
    if (bitsPerSample == 16) {
        const long value = std::clamp(roundHalfAway(x * 32768.0), -32768L, 32767L);
        out[0] = static_cast<std::uint8_t>(value & 0xFF);
        out[1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    } else {
        out[0] = static_cast<std::uint8_t>(std::clamp(roundHalfAway(x * 128.0) + 128, 0L, 255L));
    }
}

// storeSample for count 16-bit samples: four at a time with the same
// arithmetic where the processor has SSE2 (every x86-64 does). Truncating to
// 32 bits is exact after the clamp, as the rest is; the final clamp is the
// saturation of the pack to 16 bits.
void storeSamples16(const double* in, std::size_t count, std::uint8_t* out) {
    std::size_t i = 0;
#ifdef __SSE2__
    const __m128d low = _mm_set1_pd(-2.0);
    const __m128d high = _mm_set1_pd(2.0);
    const __m128d scale = _mm_set1_pd(32768.0);
    const __m128d half = _mm_set1_pd(0.5);
    const __m128d minusHalf = _mm_set1_pd(-0.5);
    const auto rounded = [&](__m128d x) {
        // NaN to +0, as the sound card's converter gives silence for it.
        x = _mm_and_pd(x, _mm_cmpord_pd(x, x));
        const __m128d y = _mm_mul_pd(_mm_min_pd(_mm_max_pd(x, low), high), scale);
        const __m128i whole = _mm_cvttpd_epi32(y);
        const __m128d rest = _mm_sub_pd(y, _mm_cvtepi32_pd(whole));
        // All ones (-1) in the low 32 bits of each lane where a step is due.
        const __m128i up = _mm_shuffle_epi32(_mm_castpd_si128(_mm_cmpge_pd(rest, half)), 0x08);
        const __m128i down =
            _mm_shuffle_epi32(_mm_castpd_si128(_mm_cmple_pd(rest, minusHalf)), 0x08);
        return _mm_add_epi32(_mm_sub_epi32(whole, up), down);
    };
    for (; i + 4 <= count; i += 4) {
        const __m128i four =
            _mm_unpacklo_epi64(rounded(_mm_loadu_pd(in + i)), rounded(_mm_loadu_pd(in + i + 2)));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 2 * i), _mm_packs_epi32(four, four));
    }
#endif
    for (; i < count; ++i)
        storeSample(out + 2 * i, 16, in[i]);
}

// A recording's mono samples by index, for the players below. Indices are
// asked for in rising order, so a source read from disk keeps only a short
// stretch of the file.
class SampleSource {
public:
    virtual ~SampleSource() = default;
    // Makes the samples first..last available as far as the recording holds
    // them (earlier ones may be forgotten); returns one past the last index
    // the recording holds up to there.
    virtual std::uint64_t prepare(std::uint64_t first, std::uint64_t last) = 0;
    virtual float at(std::uint64_t index) const = 0;
    // The samples first .. first + count - 1, silence after the recording's end.
    virtual void read(std::uint64_t first, std::size_t count, double* out) = 0;
};

class MemorySource : public SampleSource {
public:
    explicit MemorySource(std::shared_ptr<const Recording> recording)
        : recording(std::move(recording)) {}
    std::uint64_t prepare(std::uint64_t, std::uint64_t last) override {
        return std::min<std::uint64_t>(last + 1, recording->samples.size());
    }
    float at(std::uint64_t index) const override {
        return recording->samples[static_cast<std::size_t>(index)];
    }
    void read(std::uint64_t first, std::size_t count, double* out) override {
        const std::vector<float>& samples = recording->samples;
        for (std::size_t i = 0; i < count; ++i)
            out[i] =
                first + i < samples.size() ? samples[static_cast<std::size_t>(first + i)] : 0.0;
    }

private:
    std::shared_ptr<const Recording> recording;
};

// Mixes a sound file's frames to mono as they are read, in blocks.
class SoundFileReader {
public:
    SoundFileReader() = default;
    SoundFileReader(const SoundFileReader&) = delete;
    SoundFileReader& operator=(const SoundFileReader&) = delete;
    ~SoundFileReader() {
        if (file)
            sf_close(file);
    }

    // False, with the reason, when libsndfile cannot open the file.
    bool open(const std::string& path, std::string& reason) {
        file = sf_open(path.c_str(), SFM_READ, &info);
        if (!file) {
            reason = sf_strerror(nullptr);
            return false;
        }
        if (info.channels > 0)
            block.resize(static_cast<std::size_t>(BLOCK_FRAMES) *
                         static_cast<std::size_t>(info.channels));
        return true;
    }
    const SF_INFO& format() const { return info; }

    // Appends up to BLOCK_FRAMES mono samples to out; 0 at the end of the
    // data (or where it cannot be read any further).
    std::size_t readBlock(std::vector<float>& out) {
        if (!file || info.channels <= 0)
            return 0;
        const sf_count_t frames = sf_readf_float(file, block.data(), BLOCK_FRAMES);
        if (frames <= 0)
            return 0;
        const auto channels = static_cast<std::size_t>(info.channels);
        if (channels == 1) {
            // The average of one: the sample plus +0, which only turns -0 into +0.
            const std::size_t start = out.size();
            out.resize(start + static_cast<std::size_t>(frames));
            for (sf_count_t f = 0; f < frames; ++f)
                out[start + static_cast<std::size_t>(f)] =
                    block[static_cast<std::size_t>(f)] + 0.0f;
            return static_cast<std::size_t>(frames);
        }
        for (sf_count_t f = 0; f < frames; ++f) {
            double sum = 0.0;
            for (std::size_t c = 0; c < channels; ++c)
                sum += block[static_cast<std::size_t>(f) * channels + c];
            out.push_back(static_cast<float>(sum / static_cast<double>(channels)));
        }
        return static_cast<std::size_t>(frames);
    }
    bool failed() const { return sf_error(file) != SF_ERR_NO_ERROR; }
    std::string reason() const { return sf_strerror(file); }

private:
    static constexpr sf_count_t BLOCK_FRAMES = 4096;
    SNDFILE* file = nullptr;
    SF_INFO info{};
    std::vector<float> block;
};

// A sound file read block by block as the players get to it. A file that
// can no longer be opened plays as silence.
class StreamSource : public SampleSource {
public:
    explicit StreamSource(const std::string& path) {
        std::string reason;
        ended = !reader.open(path, reason);
    }
    std::uint64_t prepare(std::uint64_t first, std::uint64_t last) override {
        // Forget what lies behind in large steps, so moving the rest is rare.
        if (first > windowStart && first - windowStart >= FORGET_FRAMES) {
            const std::uint64_t drop = std::min<std::uint64_t>(first - windowStart, window.size());
            window.erase(window.begin(), window.begin() + static_cast<std::ptrdiff_t>(drop));
            windowStart += drop;
        }
        while (!ended && windowStart + window.size() <= last)
            ended = reader.readBlock(window) == 0;
        return windowStart + std::min<std::uint64_t>(window.size(), last + 1 - windowStart);
    }
    float at(std::uint64_t index) const override {
        return index >= windowStart && index - windowStart < window.size()
                   ? window[static_cast<std::size_t>(index - windowStart)]
                   : 0.0f;
    }
    void read(std::uint64_t first, std::size_t count, double* out) override {
        if (count == 0)
            return;
        const std::uint64_t available = prepare(first, first + count - 1);
        for (std::size_t i = 0; i < count; ++i)
            out[i] = first + i < available
                         ? window[static_cast<std::size_t>(first + i - windowStart)]
                         : 0.0;
    }

private:
    static constexpr std::uint64_t FORGET_FRAMES = 1 << 16;
    SoundFileReader reader;
    std::vector<float> window; // samples from windowStart on
    std::uint64_t windowStart = 0;
    bool ended = false;
};

// Band-limited interpolation of a recording at another rate. Output sample n
// lies exactly at input position n * inRate / outRate (integer arithmetic), so
// the resampled signal keeps every frequency.
class Resampler {
public:
    Resampler(std::shared_ptr<SampleSource> source, unsigned inRate, unsigned outRate)
        : source(std::move(source)), inRate(inRate), outRate(outRate) {
        cutoff = 0.95 * std::min(1.0, static_cast<double>(outRate) / inRate);
        reach = static_cast<int>(std::ceil(ZERO_CROSSINGS / cutoff));
        kernel.resize(ZERO_CROSSINGS * STEPS + 2);
        const double pi = 3.14159265358979323846;
        const double norm = besselI0(BETA);
        for (std::size_t i = 0; i < kernel.size(); ++i) {
            const double u = static_cast<double>(i) / STEPS;
            const double r = u / ZERO_CROSSINGS;
            const double window = r < 1.0 ? besselI0(BETA * std::sqrt(1.0 - r * r)) / norm : 0.0;
            const double sinc = u == 0.0 ? 1.0 : std::sin(pi * u) / (pi * u);
            kernel[i] = sinc * window;
        }
    }

    double operator()(std::uint64_t n) const {
        const std::uint64_t position = n * inRate;
        const auto base = static_cast<long long>(position / outRate);
        const double fraction = static_cast<double>(position % outRate) / outRate;
        const long long first = std::max(0LL, base - reach + 1);
        const auto available = static_cast<long long>(source->prepare(
            static_cast<std::uint64_t>(first), static_cast<std::uint64_t>(base + reach)));
        const long long last = std::min(available - 1, base + reach);
        double sum = 0.0;
        for (long long k = first; k <= last; ++k) {
            const double u = std::abs(static_cast<double>(base - k) + fraction) * cutoff;
            if (u >= ZERO_CROSSINGS)
                continue;
            const double scaled = u * STEPS;
            const auto index = static_cast<std::size_t>(scaled);
            const double weight = scaled - static_cast<double>(index);
            const double h = kernel[index] + weight * (kernel[index + 1] - kernel[index]);
            sum += source->at(static_cast<std::uint64_t>(k)) * h;
        }
        return sum * cutoff;
    }

private:
    static constexpr int ZERO_CROSSINGS = 32;
    static constexpr int STEPS = 512;
    static constexpr double BETA = 9.0;

    std::shared_ptr<SampleSource> source;
    std::uint64_t inRate;
    std::uint64_t outRate;
    double cutoff = 1.0;
    int reach = 0;
    std::vector<double> kernel;
};

// The rate a recording plays at, 0 when the device plays none.
unsigned recordingRate(const VirtualInputDevice& device) {
    if (device.recording && device.recording->sampleRate > 0)
        return device.recording->sampleRate;
    if (device.recordingFile && device.recordingFile->sampleRate > 0)
        return device.recordingFile->sampleRate;
    return 0;
}

Signal signalFor(const VirtualInputDevice& device, unsigned rate) {
    if (const unsigned inRate = recordingRate(device)) {
        std::shared_ptr<SampleSource> source;
        if (device.recording && device.recording->sampleRate > 0)
            source = std::make_shared<MemorySource>(device.recording);
        else
            source = std::make_shared<StreamSource>(device.recordingFile->path);
        if (inRate == rate)
            return [source](std::uint64_t first, std::size_t count, double* out) {
                source->read(first, count, out);
            };
        return [resampler = Resampler(std::move(source), inRate, rate)](
                   std::uint64_t first, std::size_t count, double* out) {
            for (std::size_t i = 0; i < count; ++i)
                out[i] = resampler(first + i);
        };
    }
    if (device.generator) {
        std::function<double(double)> generator = device.generator;
        return [generator, rate](std::uint64_t first, std::size_t count, double* out) {
            for (std::size_t i = 0; i < count; ++i)
                out[i] = generator(static_cast<double>(first + i) / rate);
        };
    }
    return [](std::uint64_t, std::size_t count, double* out) { std::fill(out, out + count, 0.0); };
}

unsigned reportedFormats(const VirtualInputDevice& device) {
    if (const unsigned rate = recordingRate(device))
        return bothWidths(isDeviceRate(rate) ? rate : 44100);
    return device.formats;
}

void giveBack(std::deque<AudioBuffer*>& queue) {
    for (AudioBuffer* buffer : queue)
        buffer->flags |= BUFFER_DONE;
    queue.clear();
}

} // namespace

namespace {

// Opens a recording and checks its format; false with a message in error.
bool openChecked(const std::string& path, SoundFileReader& reader, std::string& error) {
    const std::string prefix = "Cannot read recording " + path + ": ";
    std::string reason;
    if (!reader.open(path, reason)) {
        error = prefix + reason;
        return false;
    }
    const SF_INFO& info = reader.format();
    if (info.channels <= 0 || info.samplerate <= 0) {
        error = prefix + "it has no valid sample format";
        return false;
    }
    const auto rate = static_cast<unsigned>(info.samplerate);
    if (rate < MIN_RECORDING_RATE || rate > MAX_RECORDING_RATE) {
        error = prefix + "its sample rate of " + std::to_string(rate) + " Hz lies outside " +
                std::to_string(MIN_RECORDING_RATE) + " .. " + std::to_string(MAX_RECORDING_RATE) +
                " Hz";
        return false;
    }
    return true;
}

std::string noSamples(const std::string& path, const SoundFileReader& reader) {
    return "Cannot read recording " + path + ": " +
           (reader.failed() ? reader.reason() : "it contains no samples");
}

} // namespace

bool readRecording(const std::string& path, Recording& out, std::string& error) {
    SoundFileReader reader;
    if (!openChecked(path, reader, error))
        return false;
    std::vector<float> mono;
    try {
        while (reader.readBlock(mono) > 0) {
        }
    } catch (const std::bad_alloc&) {
        error = "Cannot read recording " + path + ": not enough memory";
        return false;
    }
    if (mono.empty()) {
        error = noSamples(path, reader);
        return false;
    }
    out.samples = std::move(mono);
    out.sampleRate = static_cast<unsigned>(reader.format().samplerate);
    return true;
}

bool openRecordingFile(const std::string& path, RecordingFile& out, std::string& error) {
    SoundFileReader reader;
    if (!openChecked(path, reader, error))
        return false;
    std::vector<float> block;
    std::uint64_t frames = 0;
    for (std::size_t read = 0; (read = reader.readBlock(block)) > 0; block.clear())
        frames += read;
    if (frames == 0) {
        error = noSamples(path, reader);
        return false;
    }
    out.path = path;
    out.sampleRate = static_cast<unsigned>(reader.format().samplerate);
    out.frames = frames;
    return true;
}

struct VirtualAudioBackend::Slot {
    VirtualInputDevice device;
    PcmFormat opened{0, 16};
    std::shared_ptr<Session> session;
};

struct VirtualAudioBackend::Session {
    int device = 0;
    PcmFormat format;
    BufferDoneCallback onDone;
    Signal signal;
    // The signal of the buffer being filled.
    std::vector<double> frames;
    std::deque<AudioBuffer*> queue;
    std::uint64_t position = 0; // frames played so far
    bool lostBefore = false;    // frames went by with no buffer to take them
    bool started = false;
    bool everStarted = false;
    bool failed = false;
    bool closed = false;
    int callbacksRunning = 0; // step() calls inside the owner's callback
    std::thread pacer;
};

struct VirtualAudioBackend::OutputSession {
    BufferDoneCallback onDone;
    std::deque<AudioBuffer*> queue;
    bool closed = false;
    int callbacksRunning = 0; // stepOutput() calls inside the owner's callback
    std::thread player;
};

class VirtualInput : public AudioInput {
public:
    VirtualInput(VirtualAudioBackend& backend,
                 std::shared_ptr<VirtualAudioBackend::Session> session, bool stepped)
        : backend(backend), session(std::move(session)), stepped(stepped) {}

    ~VirtualInput() override {
        std::unique_lock<std::mutex> guard(backend.lock);
        session->closed = true;
        session->started = false;
        giveBack(session->queue);
        backend.changed.notify_all();
        // The owner's callback must not run once the device is closed.
        backend.changed.wait(guard, [this] { return session->callbacksRunning == 0; });
        std::shared_ptr<VirtualAudioBackend::Session>& slot =
            backend.devices[static_cast<std::size_t>(session->device)]->session;
        if (slot == session)
            slot.reset();
        guard.unlock();
        if (session->pacer.joinable())
            session->pacer.join();
    }

    void addBuffer(AudioBuffer& buffer) override {
        std::lock_guard<std::mutex> guard(backend.lock);
        buffer.flags = 0;
        buffer.bytesUsed = 0;
        session->queue.push_back(&buffer);
        backend.changed.notify_all();
    }

    void start() override {
        std::lock_guard<std::mutex> guard(backend.lock);
        session->started = true;
        session->everStarted = true;
        backend.changed.notify_all();
    }

    // Buffers are filled whole, so there is never a partly filled one to return.
    void stop() override {
        std::lock_guard<std::mutex> guard(backend.lock);
        session->started = false;
        backend.changed.notify_all();
    }

    void reset() override {
        std::lock_guard<std::mutex> guard(backend.lock);
        session->started = false;
        giveBack(session->queue);
        backend.changed.notify_all();
    }

    bool hasFailed() override {
        std::lock_guard<std::mutex> guard(backend.lock);
        return session->failed;
    }

    bool fillsInSteps() const override { return stepped; }

private:
    VirtualAudioBackend& backend;
    std::shared_ptr<VirtualAudioBackend::Session> session;
    const bool stepped;
};

class VirtualOutput : public AudioOutput {
public:
    VirtualOutput(VirtualAudioBackend& backend,
                  std::shared_ptr<VirtualAudioBackend::OutputSession> session)
        : backend(backend), session(std::move(session)) {}

    ~VirtualOutput() override {
        {
            std::unique_lock<std::mutex> guard(backend.lock);
            session->closed = true;
            giveBack(session->queue);
            backend.changed.notify_all();
            // The owner's callback must not run once the device is closed.
            backend.changed.wait(guard, [this] { return session->callbacksRunning == 0; });
        }
        session->player.join();
    }

    void write(AudioBuffer& buffer) override {
        std::lock_guard<std::mutex> guard(backend.lock);
        buffer.flags = 0;
        session->queue.push_back(&buffer);
        backend.changed.notify_all();
    }

    void reset() override {
        std::lock_guard<std::mutex> guard(backend.lock);
        giveBack(session->queue);
        backend.changed.notify_all();
    }

private:
    VirtualAudioBackend& backend;
    std::shared_ptr<VirtualAudioBackend::OutputSession> session;
};

VirtualAudioBackend::VirtualAudioBackend() = default;
VirtualAudioBackend::~VirtualAudioBackend() = default;

int VirtualAudioBackend::addInputDevice(VirtualInputDevice device) {
    std::lock_guard<std::mutex> guard(lock);
    auto slot = std::make_unique<Slot>();
    slot->device = std::move(device);
    devices.push_back(std::move(slot));
    return static_cast<int>(devices.size()) - 1;
}

int VirtualAudioBackend::resolve(int device) const {
    if (device == -1)
        return devices.empty() ? -1 : 0;
    return device >= 0 && device < static_cast<int>(devices.size()) ? device : -1;
}

int VirtualAudioBackend::inputDeviceCount() {
    std::lock_guard<std::mutex> guard(lock);
    return static_cast<int>(devices.size());
}

int VirtualAudioBackend::inputCapabilities(int device, InputCapabilities& capabilities) {
    std::lock_guard<std::mutex> guard(lock);
    const int index = resolve(device);
    if (index < 0)
        return AUDIO_BAD_DEVICE_ID;
    const VirtualInputDevice& config = devices[static_cast<std::size_t>(index)]->device;
    if (config.capabilitiesResult != AUDIO_OK)
        return config.capabilitiesResult;
    capabilities.name = config.name;
    capabilities.formats = reportedFormats(config);
    return AUDIO_OK;
}

int VirtualAudioBackend::openInput(int device, const PcmFormat& format, BufferDoneCallback onDone,
                                   std::unique_ptr<AudioInput>& input) {
    std::lock_guard<std::mutex> guard(lock);
    const int index = resolve(device);
    if (index < 0)
        return AUDIO_BAD_DEVICE_ID;
    Slot& slot = *devices[static_cast<std::size_t>(index)];
    const unsigned flag = formatFlag(format.samplesPerSecond, format.bitsPerSample);
    if (flag == 0)
        return AUDIO_BAD_FORMAT;
    if (slot.device.failOpen || slot.session)
        return AUDIO_ALLOCATED;
    if (slot.device.failingFormats & flag)
        return AUDIO_BAD_FORMAT;

    auto session = std::make_shared<Session>();
    session->device = index;
    session->format = format;
    session->onDone = std::move(onDone);
    session->signal = signalFor(slot.device, format.samplesPerSecond);
    if (slot.device.pacing == VirtualInputDevice::Pacing::RealTime)
        session->pacer = std::thread([this, session] { pace(session); });
    slot.session = session;
    slot.opened = format;
    input = std::make_unique<VirtualInput>(
        *this, session, slot.device.pacing == VirtualInputDevice::Pacing::Stepped);
    return AUDIO_OK;
}

AudioBuffer* VirtualAudioBackend::deliver(Session& session) {
    AudioBuffer* buffer = session.queue.front();
    session.queue.pop_front();
    const int bytes = session.format.bitsPerSample / 8;
    const std::uint32_t frames = buffer->length / static_cast<std::uint32_t>(bytes);
    session.frames.resize(frames);
    session.signal(session.position, frames, session.frames.data());
    if (session.format.bitsPerSample == 16) {
        storeSamples16(session.frames.data(), frames, buffer->data);
    } else {
        for (std::uint32_t i = 0; i < frames; ++i)
            storeSample(buffer->data + i, 8, session.frames[i]);
    }
    session.position += frames;
    buffer->bytesUsed = frames * static_cast<std::uint32_t>(bytes);
    if (session.lostBefore) {
        buffer->gapAt = 0;
        buffer->flags |= BUFFER_AFTER_GAP;
        session.lostBefore = false;
    }
    buffer->flags |= BUFFER_DONE;
    return buffer;
}

bool VirtualAudioBackend::loseInput(int device, std::uint64_t frames) {
    std::lock_guard<std::mutex> guard(lock);
    if (device < 0 || device >= static_cast<int>(devices.size()))
        return false;
    const std::shared_ptr<Session>& session = devices[static_cast<std::size_t>(device)]->session;
    if (!session || session->closed || frames == 0)
        return false;
    session->position += frames;
    session->lostBefore = true;
    return true;
}

namespace {

// One step of a stepped device: reports the buffer just marked done to the
// owner (outside the lock, as a device's callback runs) and waits until the
// owner has queued it again or the session ended. True when it came back.
template <class Session, class Ended>
bool reportAndAwait(std::unique_lock<std::mutex>& guard, std::condition_variable& changed,
                    Session& session, AudioBuffer* buffer, Ended ended) {
    ++session.callbacksRunning;
    guard.unlock();
    session.onDone();
    guard.lock();
    --session.callbacksRunning;
    changed.notify_all();
    auto queuedAgain = [&] {
        return std::find(session.queue.begin(), session.queue.end(), buffer) != session.queue.end();
    };
    changed.wait_for(guard, STEP_TIMEOUT, [&] { return queuedAgain() || ended(); });
    return queuedAgain();
}

} // namespace

bool VirtualAudioBackend::step(int device) {
    std::unique_lock<std::mutex> guard(lock);
    if (device < 0 || device >= static_cast<int>(devices.size()))
        return false;
    Slot& slot = *devices[static_cast<std::size_t>(device)];
    std::shared_ptr<Session> session = slot.session;
    if (!session || slot.device.pacing != VirtualInputDevice::Pacing::Stepped)
        return false;
    // The owner's thread starts the device on its own time after opening it;
    // a step that comes before that waits for it.
    changed.wait_for(guard, STEP_TIMEOUT,
                     [&] { return session->closed || session->failed || session->everStarted; });
    if (!session->started || session->closed || session->failed || session->queue.empty())
        return false;
    AudioBuffer* buffer = deliver(*session);
    return reportAndAwait(guard, changed, *session, buffer,
                          [&] { return session->closed || !session->started || session->failed; });
}

// Real-time pacing: each buffer is done one buffer duration after the one
// before, as a device records; a stall longer than one buffer restarts the
// clock instead of delivering a burst.
void VirtualAudioBackend::pace(const std::shared_ptr<Session>& session) {
    std::unique_lock<std::mutex> guard(lock);
    Clock::time_point base = Clock::now();
    auto stopped = [&] { return session->closed || !session->started || session->failed; };
    while (!session->closed) {
        changed.wait(guard,
                     [&] { return session->closed || (!stopped() && !session->queue.empty()); });
        if (session->closed)
            break;
        const AudioBuffer& front = *session->queue.front();
        const std::uint32_t frames =
            front.length / static_cast<std::uint32_t>(session->format.bitsPerSample / 8);
        const auto duration =
            std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(
                static_cast<double>(frames) / session->format.samplesPerSecond));
        const Clock::time_point now = Clock::now();
        if (now - base > std::max(duration, Clock::duration(std::chrono::milliseconds(200))))
            base = now;
        const Clock::time_point due = base + duration;
        if (changed.wait_until(guard, due, stopped))
            continue;
        if (session->queue.empty())
            continue;
        deliver(*session);
        base = due;
        guard.unlock();
        session->onDone();
        guard.lock();
    }
}

void VirtualAudioBackend::failDevice(int device) {
    std::lock_guard<std::mutex> guard(lock);
    if (device < 0 || device >= static_cast<int>(devices.size()))
        return;
    if (const std::shared_ptr<Session>& session =
            devices[static_cast<std::size_t>(device)]->session)
        session->failed = true;
    changed.notify_all();
}

PcmFormat VirtualAudioBackend::openedFormat(int device) const {
    std::lock_guard<std::mutex> guard(lock);
    if (device < 0 || device >= static_cast<int>(devices.size()))
        return PcmFormat{0, 16};
    return devices[static_cast<std::size_t>(device)]->opened;
}

std::vector<std::int16_t> VirtualAudioBackend::outputSamples() const {
    std::lock_guard<std::mutex> guard(lock);
    return played;
}

void VirtualAudioBackend::setOutputFails(bool fails) {
    std::lock_guard<std::mutex> guard(lock);
    outputFails = fails;
}

void VirtualAudioBackend::setOutputPacing(OutputPacing pacing, bool keepSamples) {
    std::lock_guard<std::mutex> guard(lock);
    outputPacing = pacing;
    keepOutput = keepSamples;
    changed.notify_all();
}

int VirtualAudioBackend::openOutput(BufferDoneCallback onDone,
                                    std::unique_ptr<AudioOutput>& output) {
    std::lock_guard<std::mutex> guard(lock);
    if (outputFails)
        return AUDIO_BAD_DEVICE_ID;
    auto session = std::make_shared<OutputSession>();
    session->onDone = std::move(onDone);
    session->player = std::thread([this, session] { play(session); });
    currentOutput = session;
    output = std::make_unique<VirtualOutput>(*this, session);
    return AUDIO_OK;
}

AudioBuffer* VirtualAudioBackend::playFront(OutputSession& session) {
    AudioBuffer* buffer = session.queue.front();
    session.queue.pop_front();
    if (keepOutput)
        for (std::uint32_t i = 0; i + 1 < buffer->length; i += 2)
            played.push_back(static_cast<std::int16_t>(buffer->data[i] | buffer->data[i + 1] << 8));
    buffer->flags |= BUFFER_DONE;
    return buffer;
}

bool VirtualAudioBackend::stepOutput() {
    std::unique_lock<std::mutex> guard(lock);
    std::shared_ptr<OutputSession> session;
    changed.wait_for(guard, STEP_TIMEOUT, [&] {
        session = currentOutput.lock();
        return outputPacing != OutputPacing::Stepped ||
               (session && (session->closed || !session->queue.empty()));
    });
    if (outputPacing != OutputPacing::Stepped || !session || session->closed ||
        session->queue.empty())
        return false;
    AudioBuffer* buffer = playFront(*session);
    return reportAndAwait(guard, changed, *session, buffer, [&] { return session->closed; });
}

// The output's own thread plays the written buffers in order: it records
// their samples, marks each done and reports it, at once or, paced in real
// time, one buffer duration after the one before. Stepped output is played
// by stepOutput() instead.
void VirtualAudioBackend::play(const std::shared_ptr<OutputSession>& session) {
    std::unique_lock<std::mutex> guard(lock);
    Clock::time_point base = Clock::now();
    while (true) {
        changed.wait(guard, [&] {
            return session->closed ||
                   (!session->queue.empty() && outputPacing != OutputPacing::Stepped);
        });
        if (session->closed)
            break;
        AudioBuffer* buffer = session->queue.front();
        if (outputPacing == OutputPacing::RealTime) {
            const auto duration = std::chrono::duration_cast<Clock::duration>(
                std::chrono::duration<double>(buffer->length / 2 / 44100.0));
            const Clock::time_point now = Clock::now();
            if (now - base > std::max(duration, Clock::duration(std::chrono::milliseconds(100))))
                base = now;
            const Clock::time_point due = base + duration;
            // A reset while the buffer plays gives it back unplayed.
            if (changed.wait_until(guard, due, [&] {
                    return session->closed || session->queue.empty() ||
                           session->queue.front() != buffer ||
                           outputPacing == OutputPacing::Stepped;
                }))
                continue;
            base = due;
        }
        playFront(*session);
        guard.unlock();
        session->onDone();
        guard.lock();
    }
}

} // namespace tonvela
