#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace tonvela {

// Result codes of the audio layer, with the values of the system's device
// errors so that the texts about them can be chosen by code.
enum AudioResult : int {
    AUDIO_OK = 0,
    AUDIO_ERROR = 1,
    AUDIO_BAD_DEVICE_ID = 2,
    AUDIO_ALLOCATED = 4,
    AUDIO_NO_DRIVER = 6,
    AUDIO_NO_MEMORY = 7,
    AUDIO_BAD_FORMAT = 32,
};

// Mono capture formats a device offers: rate 1 = 11025, 2 = 22050, 4 = 44100 Hz,
// 08 / 16 bits per sample.
constexpr unsigned FORMAT_1M08 = 0x001;
constexpr unsigned FORMAT_1M16 = 0x004;
constexpr unsigned FORMAT_2M08 = 0x010;
constexpr unsigned FORMAT_2M16 = 0x040;
constexpr unsigned FORMAT_4M08 = 0x100;
constexpr unsigned FORMAT_4M16 = 0x400;
constexpr unsigned MONO_FORMATS = 0x555;

// The format flag of one mono PCM format, 0 when it has none.
unsigned formatFlag(unsigned samplesPerSecond, int bitsPerSample);

struct InputCapabilities {
    std::string name;
    unsigned formats = 0;
};

// Mono PCM; 16-bit samples are signed little-endian, 8-bit ones unsigned.
struct PcmFormat {
    unsigned samplesPerSecond = 44100;
    int bitsPerSample = 16;
};

constexpr std::uint32_t BUFFER_DONE = 1;
// Set on an input buffer when sound was lost just before its byte gapAt:
// bytes that found no queued buffer, or an overflow the device reported. The
// bytes from there on do not continue those before.
constexpr std::uint32_t BUFFER_AFTER_GAP = 2;

// A buffer lent to a device. The device sets BUFFER_DONE when it has filled
// (input) or played (output) it, or when it gives it back on reset.
struct AudioBuffer {
    std::uint8_t* data = nullptr;
    std::uint32_t length = 0;
    std::uint32_t bytesUsed = 0;
    std::atomic<std::uint32_t> flags{0};
    // With BUFFER_AFTER_GAP: the first byte recorded after the loss.
    std::uint32_t gapAt = 0;
};

// Called on an audio thread once per buffer that the device filled (input) or
// played (output); never from inside a call of the device's owner. Buffers
// given back by stop or reset are only marked done, their owner polls them.
// It must only signal; the buffer is handled by its owner's thread, unless
// the device fills its buffers in steps (AudioInput::fillsInSteps).
using BufferDoneCallback = std::function<void()>;

// One open input device. Destruction closes it; every buffer must have come
// back (reset) before.
class AudioInput {
public:
    AudioInput();
    virtual ~AudioInput();
    AudioInput(const AudioInput&) = delete;
    AudioInput& operator=(const AudioInput&) = delete;
    // Clears the buffer's flags and queues it; buffers are filled in order.
    virtual void addBuffer(AudioBuffer& buffer) = 0;
    virtual void start() = 0;
    // Stops recording; a partly filled buffer comes back done.
    virtual void stop() = 0;
    // Stops recording; every queued buffer comes back done.
    virtual void reset() = 0;
    // Whether the started device stopped delivering for good (unplugged, its
    // driver gone); it will fill no more buffers.
    virtual bool hasFailed() { return false; }
    // Whether the device fills a buffer only inside a step that a thread of
    // its user asks for and waits out (a recording played step by step): the
    // callback may then handle the buffer itself, on that thread, sparing
    // the hand-offs to the owner's thread and back.
    virtual bool fillsInSteps() const { return false; }
};

// The default output device, 44100 Hz 16-bit mono.
class AudioOutput {
public:
    AudioOutput();
    virtual ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;
    // Queues the buffer's first `length` bytes for playing, after those queued before.
    virtual void write(AudioBuffer& buffer) = 0;
    // Stops playing; every queued buffer comes back done.
    virtual void reset() = 0;
};

// Devices are opened through the process's backend, which outlives them.
class AudioBackend {
public:
    virtual ~AudioBackend() = default;
    virtual int inputDeviceCount() = 0;
    virtual int inputCapabilities(int device, InputCapabilities& capabilities) = 0;
    // device -1 is the system's default input device.
    virtual int openInput(int device, const PcmFormat& format, BufferDoneCallback onDone,
                          std::unique_ptr<AudioInput>& input) = 0;
    virtual int openOutput(BufferDoneCallback onDone, std::unique_ptr<AudioOutput>& output) = 0;
};

// The process's backend: PortAudio unless another one was installed.
AudioBackend& audioBackend();
// Replaces the backend (virtual devices for tests and recordings); nullptr
// returns to PortAudio. Refused, with false and a message, while any device
// is open: its driver thread would go on using the old backend after it is
// freed. Whoever holds a device (the capture driver manager) lets it go first.
bool installAudioBackend(std::unique_ptr<AudioBackend> backend);
// Input and output devices open at this moment, of any backend.
int openAudioDevices();

} // namespace tonvela
