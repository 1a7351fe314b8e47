#include "platform/audio/PortAudioBackend.h"

#include <alsa/asoundlib.h>
#include <jack/jack.h>
#include <portaudio.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <utility>
#include <vector>

namespace tonvela {

namespace {

// ALSA and JACK print to the console when a device or server is missing; the
// program reports devices itself, so their messages are dropped.
void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}
void ignoreJackMessage(const char*) {}

void silenceSoundLibraries() {
    snd_lib_error_set_handler(ignoreAlsaError);
    jack_set_error_function(ignoreJackMessage);
    jack_set_info_function(ignoreJackMessage);
    // Probing must never start a JACK server as a side effect.
    setenv("JACK_NO_START_SERVER", "1", 1);
}

int resultOfOpen(PaError error) {
    switch (error) {
    case paInvalidSampleRate:
    case paSampleFormatNotSupported:
    case paInvalidChannelCount:
        return AUDIO_BAD_FORMAT;
    case paDeviceUnavailable:
        return AUDIO_ALLOCATED;
    case paInsufficientMemory:
        return AUDIO_NO_MEMORY;
    case paInvalidDevice:
        return AUDIO_BAD_DEVICE_ID;
    default:
        return AUDIO_ERROR;
    }
}

// PortAudio is not safe for calls from several threads at once (the capture
// thread stops a stream while the user interface may list devices).
std::mutex& portAudioLock() {
    static std::mutex lock;
    return lock;
}

PaSampleFormat sampleFormatOf(int bitsPerSample) {
    return bitsPerSample == 16 ? paInt16 : paUInt8;
}

// One open capture stream. PortAudio's callback copies the recorded bytes into
// the queued buffers in turn; a full buffer is marked done and reported.
class PortAudioInput : public AudioInput {
public:
    PortAudioInput(int bytesPerFrame, BufferDoneCallback onDone)
        : bytesPerFrame(bytesPerFrame), onDone(std::move(onDone)) {}

    ~PortAudioInput() override {
        if (stream) {
            // Abort never waits for a device that stopped answering.
            std::lock_guard<std::mutex> portAudio(portAudioLock());
            Pa_AbortStream(stream);
            Pa_CloseStream(stream);
        }
        giveBack(queue.size());
    }

    // Called with portAudioLock() held.
    PaError open(const PaStreamParameters& parameters, double sampleRate) {
        const PaError error =
            Pa_OpenStream(&stream, &parameters, nullptr, sampleRate, paFramesPerBufferUnspecified,
                          paClipOff | paDitherOff, &streamCallback, this);
        if (error != paNoError)
            stream = nullptr;
        return error;
    }

    void addBuffer(AudioBuffer& buffer) override {
        std::lock_guard<std::mutex> guard(lock);
        buffer.flags = 0;
        buffer.bytesUsed = 0;
        buffer.gapAt = 0;
        queue.push_back(&buffer);
    }

    void start() override {
        std::lock_guard<std::mutex> portAudio(portAudioLock());
        Pa_StartStream(stream);
    }

    void stop() override {
        {
            // Input has nothing to drain, so aborting loses nothing and cannot
            // hang on a device that vanished.
            std::lock_guard<std::mutex> portAudio(portAudioLock());
            Pa_AbortStream(stream);
        }
        std::lock_guard<std::mutex> guard(lock);
        if (!queue.empty() && queue.front()->bytesUsed > 0)
            giveBack(1);
    }

    void reset() override {
        {
            std::lock_guard<std::mutex> portAudio(portAudioLock());
            Pa_AbortStream(stream);
        }
        std::lock_guard<std::mutex> guard(lock);
        giveBack(queue.size());
    }

private:
    static int streamCallback(const void* input, void*, unsigned long frames,
                              const PaStreamCallbackTimeInfo*, PaStreamCallbackFlags status,
                              void* userData) {
        static_cast<PortAudioInput*>(userData)->record(static_cast<const std::uint8_t*>(input),
                                                       frames, (status & paInputOverflow) != 0);
        return paContinue;
    }

    void record(const std::uint8_t* input, unsigned long frames, bool overflow) {
        int filled = 0;
        {
            std::lock_guard<std::mutex> guard(lock);
            // PortAudio dropped input before these frames.
            lostBefore = lostBefore || overflow;
            std::size_t bytes = input ? frames * static_cast<std::size_t>(bytesPerFrame) : 0;
            while (bytes > 0 && !queue.empty()) {
                AudioBuffer& buffer = *queue.front();
                if (lostBefore) {
                    // The sound goes on from here after a stretch that is gone.
                    if (!(buffer.flags.load() & BUFFER_AFTER_GAP)) {
                        buffer.gapAt = buffer.bytesUsed;
                        buffer.flags |= BUFFER_AFTER_GAP;
                    }
                    lostBefore = false;
                }
                const std::size_t room = buffer.length - buffer.bytesUsed;
                const std::size_t count = std::min(bytes, room);
                std::memcpy(buffer.data + buffer.bytesUsed, input, count);
                buffer.bytesUsed += static_cast<std::uint32_t>(count);
                input += count;
                bytes -= count;
                if (buffer.bytesUsed == buffer.length) {
                    giveBack(1);
                    ++filled;
                }
            }
            // Bytes that find no queued buffer are lost, as on any device
            // whose owner falls behind; the next buffer filled is marked.
            if (bytes > 0)
                lostBefore = true;
        }
        for (int i = 0; i < filled; ++i)
            onDone();
    }

    // Marks the first count queued buffers done and removes them; lock held.
    void giveBack(std::size_t count) {
        for (std::size_t i = 0; i < count && !queue.empty(); ++i) {
            queue.front()->flags |= BUFFER_DONE;
            queue.pop_front();
        }
    }

    const int bytesPerFrame;
    const BufferDoneCallback onDone;
    PaStream* stream = nullptr;
    std::mutex lock;
    std::deque<AudioBuffer*> queue;
    bool lostBefore = false;
};

// The default output device. The stream runs from open to close; it plays the
// written buffers in order and silence whenever none is queued.
class PortAudioOutput : public AudioOutput {
public:
    explicit PortAudioOutput(BufferDoneCallback onDone) : onDone(std::move(onDone)) {}

    ~PortAudioOutput() override {
        if (stream) {
            std::lock_guard<std::mutex> portAudio(portAudioLock());
            Pa_AbortStream(stream);
            Pa_CloseStream(stream);
        }
        reset();
    }

    // Called with portAudioLock() held.
    PaError open(const PaStreamParameters& parameters) {
        PaError error =
            Pa_OpenStream(&stream, nullptr, &parameters, 44100.0, paFramesPerBufferUnspecified,
                          paClipOff | paDitherOff, &streamCallback, this);
        if (error == paNoError) {
            error = Pa_StartStream(stream);
            if (error != paNoError)
                Pa_CloseStream(stream);
        }
        if (error != paNoError)
            stream = nullptr;
        return error;
    }

    void write(AudioBuffer& buffer) override {
        std::lock_guard<std::mutex> guard(lock);
        buffer.flags = 0;
        queue.push_back({&buffer, 0});
    }

    void reset() override {
        std::lock_guard<std::mutex> guard(lock);
        for (const Pending& pending : queue)
            pending.buffer->flags |= BUFFER_DONE;
        queue.clear();
    }

private:
    struct Pending {
        AudioBuffer* buffer;
        std::uint32_t played;
    };

    static int streamCallback(const void*, void* output, unsigned long frames,
                              const PaStreamCallbackTimeInfo*, PaStreamCallbackFlags,
                              void* userData) {
        static_cast<PortAudioOutput*>(userData)->play(static_cast<std::uint8_t*>(output), frames);
        return paContinue;
    }

    void play(std::uint8_t* output, unsigned long frames) {
        std::size_t bytes = frames * sizeof(std::int16_t);
        int played = 0;
        {
            std::lock_guard<std::mutex> guard(lock);
            while (bytes > 0 && !queue.empty()) {
                Pending& pending = queue.front();
                const std::size_t left = pending.buffer->length - pending.played;
                const std::size_t count = std::min(bytes, left);
                std::memcpy(output, pending.buffer->data + pending.played, count);
                pending.played += static_cast<std::uint32_t>(count);
                output += count;
                bytes -= count;
                if (pending.played == pending.buffer->length) {
                    pending.buffer->flags |= BUFFER_DONE;
                    queue.pop_front();
                    ++played;
                }
            }
        }
        std::memset(output, 0, bytes);
        for (int i = 0; i < played; ++i)
            onDone();
    }

    const BufferDoneCallback onDone;
    PaStream* stream = nullptr;
    std::mutex lock;
    std::deque<Pending> queue;
};

class PortAudioBackend : public AudioBackend {
public:
    ~PortAudioBackend() override {
        std::lock_guard<std::mutex> guard(portAudioLock());
        if (initialised)
            Pa_Terminate();
    }

    int inputDeviceCount() override {
        std::lock_guard<std::mutex> guard(portAudioLock());
        return initialise() ? static_cast<int>(inputs.size()) : 0;
    }

    int inputCapabilities(int device, InputCapabilities& capabilities) override {
        std::lock_guard<std::mutex> guard(portAudioLock());
        PaDeviceIndex index = paNoDevice;
        const int result = resolve(device, index);
        if (result != AUDIO_OK)
            return result;
        const PaDeviceInfo* info = Pa_GetDeviceInfo(index);
        if (!info)
            return AUDIO_BAD_DEVICE_ID;
        capabilities.name = info->name ? info->name : "";
        capabilities.formats = 0;
        for (unsigned rate : {44100u, 22050u, 11025u}) {
            for (int bits : {16, 8}) {
                const PaStreamParameters parameters = inputParameters(index, bits);
                if (Pa_IsFormatSupported(&parameters, nullptr, rate) == paFormatIsSupported)
                    capabilities.formats |= formatFlag(rate, bits);
            }
        }
        return AUDIO_OK;
    }

    int openInput(int device, const PcmFormat& format, BufferDoneCallback onDone,
                  std::unique_ptr<AudioInput>& input) override {
        std::lock_guard<std::mutex> guard(portAudioLock());
        PaDeviceIndex index = paNoDevice;
        const int result = resolve(device, index);
        if (result != AUDIO_OK)
            return result;
        if (formatFlag(format.samplesPerSecond, format.bitsPerSample) == 0)
            return AUDIO_BAD_FORMAT;
        auto opened = std::make_unique<PortAudioInput>(format.bitsPerSample / 8, std::move(onDone));
        const PaError error =
            opened->open(inputParameters(index, format.bitsPerSample), format.samplesPerSecond);
        if (error != paNoError)
            return resultOfOpen(error);
        input = std::move(opened);
        return AUDIO_OK;
    }

    int openOutput(BufferDoneCallback onDone, std::unique_ptr<AudioOutput>& output) override {
        std::lock_guard<std::mutex> guard(portAudioLock());
        if (!initialise())
            return AUDIO_NO_DRIVER;
        const PaDeviceIndex index = Pa_GetDefaultOutputDevice();
        const PaDeviceInfo* info = index == paNoDevice ? nullptr : Pa_GetDeviceInfo(index);
        if (!info)
            return AUDIO_BAD_DEVICE_ID;
        PaStreamParameters parameters{};
        parameters.device = index;
        parameters.channelCount = 1;
        parameters.sampleFormat = paInt16;
        parameters.suggestedLatency = info->defaultHighOutputLatency;
        auto opened = std::make_unique<PortAudioOutput>(std::move(onDone));
        const PaError error = opened->open(parameters);
        if (error != paNoError)
            return resultOfOpen(error);
        output = std::move(opened);
        return AUDIO_OK;
    }

private:
    // Initialises PortAudio on first use; portAudioLock() held. A failed attempt is not
    // repeated: the process then has no sound devices.
    bool initialise() {
        if (!tried) {
            tried = true;
            silenceSoundLibraries();
            initialised = Pa_Initialize() == paNoError;
            if (initialised) {
                const PaDeviceIndex count = Pa_GetDeviceCount();
                for (PaDeviceIndex i = 0; i < count; ++i) {
                    const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
                    if (info && info->maxInputChannels > 0)
                        inputs.push_back(i);
                }
            }
        }
        return initialised;
    }

    // Maps an input device number (-1: the default) to PortAudio's index.
    int resolve(int device, PaDeviceIndex& index) {
        if (!initialise())
            return AUDIO_NO_DRIVER;
        if (device == -1) {
            index = Pa_GetDefaultInputDevice();
            return index == paNoDevice ? AUDIO_BAD_DEVICE_ID : AUDIO_OK;
        }
        if (device < 0 || device >= static_cast<int>(inputs.size()))
            return AUDIO_BAD_DEVICE_ID;
        index = inputs[static_cast<std::size_t>(device)];
        return AUDIO_OK;
    }

    static PaStreamParameters inputParameters(PaDeviceIndex index, int bitsPerSample) {
        PaStreamParameters parameters{};
        parameters.device = index;
        parameters.channelCount = 1;
        parameters.sampleFormat = sampleFormatOf(bitsPerSample);
        const PaDeviceInfo* info = Pa_GetDeviceInfo(index);
        // Buffers are 200 ms long; a generous device latency costs nothing and
        // keeps a busy machine from losing samples.
        parameters.suggestedLatency = info ? info->defaultHighInputLatency : 0.1;
        return parameters;
    }

    bool tried = false;
    bool initialised = false;
    std::vector<PaDeviceIndex> inputs;
};

} // namespace

std::unique_ptr<AudioBackend> createPortAudioBackend() {
    return std::make_unique<PortAudioBackend>();
}

} // namespace tonvela
