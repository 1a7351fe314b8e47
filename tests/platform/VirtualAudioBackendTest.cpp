#include "platform/audio/VirtualAudioBackend.h"
#include "runtime/Event.h"
#include "runtime/Thread.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <atomic>
#include <cmath>
#include <fstream>
#include <limits>
#include <mutex>
#include <thread>

namespace tonvela {
namespace {

constexpr double PI = 3.14159265358979323846;

// The owner side of a capture device, as the capture thread drives it: two
// buffers; each filled one is taken and queued again.
class Owner {
public:
    Owner(VirtualAudioBackend& backend, int device, PcmFormat format) {
        const std::uint32_t bytes = format.bitsPerSample * format.samplesPerSecond * 200 / 8000;
        result = backend.openInput(
            device, format, [this] { bufferDone.set(); }, input);
        if (result != AUDIO_OK)
            return;
        for (int i = 0; i < 2; ++i) {
            memory[i].assign(bytes, 0);
            headers[i].data = memory[i].data();
            headers[i].length = bytes;
            input->addBuffer(headers[i]);
        }
        input->start();
        thread = std::thread([this] { run(); });
    }

    ~Owner() { shutdown(); }

    // Stop protocol of the capture thread; true when both buffers came back.
    bool shutdown() {
        if (!input)
            return true;
        running = false;
        bufferDone.set();
        thread.join();
        input->stop();
        input->reset();
        const bool back = (headers[0].flags & BUFFER_DONE) && (headers[1].flags & BUFFER_DONE);
        input.reset();
        return back;
    }

    std::vector<std::uint8_t> received() {
        std::lock_guard<std::mutex> guard(lock);
        return data;
    }

    // Waits (at most 5 s) until at least `bytes` bytes were taken.
    bool waitForBytes(std::size_t bytes) {
        for (int i = 0; i < 500; ++i) {
            if (received().size() >= bytes)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    int result = AUDIO_ERROR;

private:
    void run() {
        int current = 0;
        while (running) {
            bufferDone.wait(100);
            while (running && (headers[current].flags & BUFFER_DONE)) {
                {
                    std::lock_guard<std::mutex> guard(lock);
                    data.insert(data.end(), headers[current].data,
                                headers[current].data + headers[current].bytesUsed);
                }
                input->addBuffer(headers[current]);
                current = 1 - current;
            }
        }
    }

    std::unique_ptr<AudioInput> input;
    std::vector<std::uint8_t> memory[2];
    AudioBuffer headers[2];
    Event bufferDone;
    std::atomic<bool> running{true};
    std::thread thread;
    std::mutex lock;
    std::vector<std::uint8_t> data;
};

std::vector<std::int16_t> asSamples(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::int16_t> samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    return samples;
}

std::shared_ptr<Recording> sine(unsigned rate, double frequency, double seconds) {
    auto recording = std::make_shared<Recording>();
    recording->sampleRate = rate;
    recording->samples.resize(static_cast<std::size_t>(rate * seconds));
    for (std::size_t k = 0; k < recording->samples.size(); ++k)
        recording->samples[k] = static_cast<float>(0.5 * std::sin(2 * PI * frequency * k / rate));
    return recording;
}

void writeWav(const std::string& path, unsigned rate, int channels,
              const std::vector<std::int16_t>& interleaved) {
    SF_INFO info{};
    info.samplerate = static_cast<int>(rate);
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    sf_writef_short(file, interleaved.data(),
                    static_cast<sf_count_t>(interleaved.size()) / channels);
    sf_close(file);
}

TEST(VirtualAudioBackend, CapabilitiesAndTheirFailures) {
    VirtualAudioBackend backend;
    VirtualInputDevice plain;
    plain.name = "Plain";
    plain.formats = FORMAT_4M16 | FORMAT_1M08;
    VirtualInputDevice broken;
    broken.capabilitiesResult = AUDIO_NO_DRIVER;
    VirtualInputDevice playing;
    playing.name = "Recording";
    playing.recording = sine(22050, 440, 0.1);
    VirtualInputDevice odd;
    odd.recording = sine(48000, 440, 0.1);
    EXPECT_EQ(backend.addInputDevice(plain), 0);
    EXPECT_EQ(backend.addInputDevice(broken), 1);
    EXPECT_EQ(backend.addInputDevice(playing), 2);
    EXPECT_EQ(backend.addInputDevice(odd), 3);
    EXPECT_EQ(backend.inputDeviceCount(), 4);

    struct Case {
        int device;
        int result;
        const char* name;
        unsigned formats;
    };
    const Case cases[] = {
        {0, AUDIO_OK, "Plain", FORMAT_4M16 | FORMAT_1M08},
        {-1, AUDIO_OK, "Plain", FORMAT_4M16 | FORMAT_1M08},
        {1, AUDIO_NO_DRIVER, "", 0},
        {2, AUDIO_OK, "Recording", FORMAT_2M16 | FORMAT_2M08},
        {3, AUDIO_OK, "Virtual Input", FORMAT_4M16 | FORMAT_4M08},
        {4, AUDIO_BAD_DEVICE_ID, "", 0},
        {-2, AUDIO_BAD_DEVICE_ID, "", 0},
    };
    for (const Case& c : cases) {
        InputCapabilities capabilities;
        EXPECT_EQ(backend.inputCapabilities(c.device, capabilities), c.result) << c.device;
        EXPECT_EQ(capabilities.name, c.name) << c.device;
        EXPECT_EQ(capabilities.formats, c.formats) << c.device;
    }

    VirtualAudioBackend empty;
    InputCapabilities capabilities;
    EXPECT_EQ(empty.inputDeviceCount(), 0);
    EXPECT_EQ(empty.inputCapabilities(-1, capabilities), AUDIO_BAD_DEVICE_ID);
}

TEST(VirtualAudioBackend, OpenFailures) {
    VirtualAudioBackend backend;
    VirtualInputDevice picky;
    picky.formats = FORMAT_4M16;
    picky.failingFormats = FORMAT_4M16 | FORMAT_2M08;
    VirtualInputDevice taken;
    taken.failOpen = true;
    backend.addInputDevice(picky);
    backend.addInputDevice(taken);

    struct Case {
        int device;
        PcmFormat format;
        int result;
    };
    const Case cases[] = {
        {0, {44100, 16}, AUDIO_BAD_FORMAT},
        {0, {22050, 8}, AUDIO_BAD_FORMAT},
        {0, {44100, 8}, AUDIO_OK}, // not reported, but a try may still open it
        {0, {11025, 8}, AUDIO_OK},
        {0, {8000, 16}, AUDIO_BAD_FORMAT},
        {0, {44100, 24}, AUDIO_BAD_FORMAT},
        {1, {44100, 16}, AUDIO_ALLOCATED},
        {2, {44100, 16}, AUDIO_BAD_DEVICE_ID},
    };
    for (const Case& c : cases) {
        std::unique_ptr<AudioInput> input;
        EXPECT_EQ(backend.openInput(
                      c.device, c.format, [] {}, input),
                  c.result)
            << c.device << " " << c.format.samplesPerSecond << " " << c.format.bitsPerSample;
        EXPECT_EQ(input != nullptr, c.result == AUDIO_OK);
    }
    EXPECT_EQ(backend.openedFormat(0).samplesPerSecond, 11025u);
    EXPECT_EQ(backend.openedFormat(0).bitsPerSample, 8);
    EXPECT_EQ(backend.openedFormat(1).samplesPerSecond, 0u);

    // A device is open once at a time; closing frees it.
    std::unique_ptr<AudioInput> first;
    std::unique_ptr<AudioInput> second;
    ASSERT_EQ(backend.openInput(
                  0, {11025, 16}, [] {}, first),
              AUDIO_OK);
    EXPECT_EQ(backend.openInput(
                  -1, {11025, 16}, [] {}, second),
              AUDIO_ALLOCATED);
    first.reset();
    EXPECT_EQ(backend.openInput(
                  -1, {11025, 16}, [] {}, second),
              AUDIO_OK);
}

// Quantisation as a sound card does it, and the signal continuing from one
// buffer to the next.
TEST(VirtualAudioBackend, SteppedGeneratorDeliversQuantisedSamples) {
    struct Level {
        double x;
        std::int16_t wide;
        std::uint8_t narrow;
    };
    const Level levels[] = {
        {0.0, 0, 128},
        {1.0, 32767, 255},
        {-1.0, -32768, 0},
        {1.5, 32767, 255},
        {-1.5, -32768, 0},
        {0.5, 16384, 192},
        {-0.5, -16384, 64},
        {1.0 / 32767, 1, 128},
        {std::nan(""), 0, 128},
        {0.25 / 32767, 0, 128},
        {-0.75 / 32767, -1, 128},
        // Halfway between two steps: away from zero.
        {0.5 / 32768, 1, 128},
        {-1.5 / 32768, -2, 128},
        {2.5 / 32768, 3, 128},
        {0.5 / 128, 128, 129},
        {-0.5 / 128, -128, 127},
        {0.49999999999999994 / 32768, 0, 128},
        {-0.49999999999999994 / 32768, 0, 128},
        {-2.5 / 32768, -3, 128},
        {32767.5 / 32768, 32767, 255},
        {-32768.5 / 32768, -32768, 0},
        {-0.0, 0, 128},
        {3.0, 32767, 255},
        {HUGE_VAL, 32767, 255},
        {-HUGE_VAL, -32768, 0},
    };
    constexpr std::size_t levelCount = std::size(levels);
    for (int bits : {16, 8}) {
        SCOPED_TRACE(bits);
        VirtualAudioBackend backend;
        VirtualInputDevice device;
        device.generator = [&](double seconds) {
            const auto frame = static_cast<std::size_t>(std::llround(seconds * 11025));
            return levels[frame % levelCount].x;
        };
        const int index = backend.addInputDevice(device);
        Owner owner(backend, index, PcmFormat{11025, bits});
        ASSERT_EQ(owner.result, AUDIO_OK);
        EXPECT_EQ(backend.openedFormat(index).samplesPerSecond, 11025u);
        ASSERT_TRUE(backend.step(index));
        ASSERT_TRUE(backend.step(index));
        ASSERT_TRUE(backend.step(index));
        const std::vector<std::uint8_t> bytes = owner.received();
        const std::size_t frames = 3 * 2205 * 8 / bits;
        ASSERT_EQ(bytes.size(), 3u * bits * 11025 * 200 / 8000);
        const std::vector<std::int16_t> wide = asSamples(bytes);
        for (std::size_t i = 0; i < frames; ++i) {
            const Level& level = levels[i % levelCount];
            if (bits == 16)
                ASSERT_EQ(wide[i], level.wide) << i;
            else
                ASSERT_EQ(bytes[i], level.narrow) << i;
        }
        EXPECT_TRUE(owner.shutdown());
    }
}

TEST(VirtualAudioBackend, StepNeedsAnOpenStartedSteppedDevice) {
    VirtualAudioBackend backend;
    VirtualInputDevice device;
    device.generator = [](double) { return 0.1; };
    const int index = backend.addInputDevice(device);
    EXPECT_FALSE(backend.step(index));
    EXPECT_FALSE(backend.step(7));

    std::unique_ptr<AudioInput> input;
    ASSERT_EQ(backend.openInput(
                  index, {11025, 8}, [] {}, input),
              AUDIO_OK);
    std::vector<std::uint8_t> memory(2205);
    AudioBuffer buffer;
    buffer.data = memory.data();
    buffer.length = 2205;
    // The owner's thread may start the device after the step began.
    std::thread lateOwner([&] {
        Thread::sleep(50);
        input->addBuffer(buffer);
        input->start();
        for (int tries = 0; tries < 500 && !(buffer.flags & BUFFER_DONE); ++tries)
            Thread::sleep(2);
        input->addBuffer(buffer);
    });
    EXPECT_TRUE(backend.step(index));
    lateOwner.join();
    EXPECT_EQ(memory[0], 128 + 13);
    input->stop();
    EXPECT_FALSE(backend.step(index)); // stopped
    input->reset();
    EXPECT_EQ(buffer.flags, BUFFER_DONE);
    EXPECT_EQ(buffer.bytesUsed, 0u);
    input->start();
    EXPECT_FALSE(backend.step(index)); // nothing queued
    input.reset();

    VirtualInputDevice paced = device;
    paced.pacing = VirtualInputDevice::Pacing::RealTime;
    const int realTime = backend.addInputDevice(paced);
    Owner owner(backend, realTime, PcmFormat{11025, 8});
    ASSERT_EQ(owner.result, AUDIO_OK);
    EXPECT_FALSE(backend.step(realTime)); // paced by its own thread
}

TEST(VirtualAudioBackend, RecordingFileIsMixedToMonoAndPlayedAtItsRate) {
    test::TempDir dir;
    const std::string path = dir.file("stereo.wav");
    std::vector<std::int16_t> interleaved;
    for (int i = 0; i < 5000; ++i) {
        interleaved.push_back(static_cast<std::int16_t>(i * 13 - 32000));
        interleaved.push_back(static_cast<std::int16_t>(20000 - i * 7));
    }
    writeWav(path, 22050, 2, interleaved);

    Recording recording;
    std::string error;
    ASSERT_TRUE(readRecording(path, recording, error)) << error;
    EXPECT_EQ(recording.sampleRate, 22050u);
    ASSERT_EQ(recording.samples.size(), 5000u);
    for (std::size_t i = 0; i < 5000; ++i)
        ASSERT_EQ(recording.samples[i],
                  (interleaved[2 * i] + interleaved[2 * i + 1]) / 2.0f / 32768.0f)
            << i;

    VirtualAudioBackend backend;
    VirtualInputDevice device;
    device.recording = std::make_shared<Recording>(recording);
    const int index = backend.addInputDevice(device);
    Owner owner(backend, index, PcmFormat{22050, 16});
    ASSERT_EQ(owner.result, AUDIO_OK);
    ASSERT_TRUE(backend.step(index));
    ASSERT_TRUE(backend.step(index));
    const std::vector<std::int16_t> samples = asSamples(owner.received());
    ASSERT_EQ(samples.size(), 2u * 4410);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double x = i < 5000 ? recording.samples[i] : 0.0; // silence after the end
        ASSERT_EQ(samples[i], std::clamp(std::lround(x * 32768.0), -32768L, 32767L)) << i;
    }
}

TEST(VirtualAudioBackend, UnreadableRecordingsGiveAMessage) {
    test::TempDir dir;
    const std::string missing = dir.file("missing.wav");
    const std::string empty = dir.file("empty.wav");
    const std::string garbage = dir.file("garbage.wav");
    const std::string slow = dir.file("slow.wav");
    const std::string fast = dir.file("fast.wav");
    writeWav(empty, 44100, 1, {});
    std::ofstream(garbage) << "this is not a recording";
    // Damaged headers: a few seconds of samples would play for hours.
    writeWav(slow, 1, 1, std::vector<std::int16_t>(44100, 1000));
    writeWav(fast, 1000000, 1, std::vector<std::int16_t>(44100, 1000));

    struct Case {
        std::string path;
        std::string message; // empty: any reason after the prefix
    };
    const Case cases[] = {
        {missing, ""},
        {garbage, ""},
        {empty, "Cannot read recording " + empty + ": it contains no samples"},
        {slow, "Cannot read recording " + slow +
                   ": its sample rate of 1 Hz lies outside 4000 .. 768000 Hz"},
        {fast, "Cannot read recording " + fast +
                   ": its sample rate of 1000000 Hz lies outside 4000 .. 768000 Hz"},
    };
    for (const Case& c : cases) {
        Recording recording;
        std::string error;
        EXPECT_FALSE(readRecording(c.path, recording, error)) << c.path;
        const std::string prefix = "Cannot read recording " + c.path + ": ";
        EXPECT_EQ(error.rfind(prefix, 0), 0u) << error;
        EXPECT_GT(error.size(), prefix.size()) << error;
        if (!c.message.empty()) {
            EXPECT_EQ(error, c.message);
        }
        EXPECT_TRUE(recording.samples.empty());
        // Streamed from disk, the same file is refused with the same message.
        RecordingFile file;
        std::string streamError;
        EXPECT_FALSE(openRecordingFile(c.path, file, streamError)) << c.path;
        EXPECT_EQ(streamError, error);
    }
}

// A recording streamed from disk must play exactly as the same recording held
// in memory: at its own rate, resampled, and as silence after its end. The
// files are longer than the stretch the stream keeps, so it moves on.
TEST(VirtualAudioBackend, RecordingFilePlaysAsTheRecordingInMemory) {
    struct Case {
        unsigned fileRate;
        int channels;
        PcmFormat format;
    };
    const Case cases[] = {
        {22050, 1, {22050, 16}}, {48000, 2, {44100, 16}}, {8000, 1, {11025, 8}},
        {96000, 3, {44100, 16}}, {44100, 1, {22050, 16}},
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileRate);
        const std::string path = dir.file("tone.wav");
        const auto frames = static_cast<std::size_t>(c.fileRate * 3.3);
        std::vector<std::int16_t> interleaved;
        std::uint32_t noise = 12345;
        for (std::size_t i = 0; i < frames; ++i) {
            for (int channel = 0; channel < c.channels; ++channel) {
                noise = noise * 1664525u + 1013904223u;
                const double tone = 0.4 * std::sin(2 * PI * 440.0 * (channel + 1) * i / c.fileRate);
                interleaved.push_back(static_cast<std::int16_t>(
                    std::lround(32767.0 * tone) + static_cast<int>(noise >> 22) - 512));
            }
        }
        writeWav(path, c.fileRate, c.channels, interleaved);

        auto recording = std::make_shared<Recording>();
        auto file = std::make_shared<RecordingFile>();
        std::string error;
        ASSERT_TRUE(readRecording(path, *recording, error)) << error;
        ASSERT_TRUE(openRecordingFile(path, *file, error)) << error;
        EXPECT_EQ(file->frames, frames);
        EXPECT_EQ(file->sampleRate, c.fileRate);

        VirtualAudioBackend backend;
        VirtualInputDevice inMemory;
        inMemory.recording = recording;
        VirtualInputDevice onDisk;
        onDisk.recordingFile = file;
        const int memoryIndex = backend.addInputDevice(inMemory);
        const int diskIndex = backend.addInputDevice(onDisk);
        InputCapabilities memoryCaps, diskCaps;
        ASSERT_EQ(backend.inputCapabilities(memoryIndex, memoryCaps), AUDIO_OK);
        ASSERT_EQ(backend.inputCapabilities(diskIndex, diskCaps), AUDIO_OK);
        EXPECT_EQ(diskCaps.formats, memoryCaps.formats);

        Owner memoryOwner(backend, memoryIndex, c.format);
        Owner diskOwner(backend, diskIndex, c.format);
        ASSERT_EQ(memoryOwner.result, AUDIO_OK);
        ASSERT_EQ(diskOwner.result, AUDIO_OK);
        for (int i = 0; i < 19; ++i) { // 3.8 s, past the end
            ASSERT_TRUE(backend.step(memoryIndex));
            ASSERT_TRUE(backend.step(diskIndex));
        }
        const std::vector<std::uint8_t> expected = memoryOwner.received();
        EXPECT_EQ(expected.size(),
                  19u * c.format.samplesPerSecond * c.format.bitsPerSample / 8 / 5);
        EXPECT_TRUE(diskOwner.received() == expected);
    }
}

// A resampled tone must be the same tone: every output sample is compared
// with the ideal sine at the output rate, which bounds the pitch error to a
// tiny fraction of a cent and shows the waveform is clean.
TEST(VirtualAudioBackend, ResamplingKeepsATonesFrequency) {
    struct Case {
        unsigned inRate;
        unsigned outRate;
        double frequency;
    };
    // The last one opens at a rate the device does not report.
    const Case cases[] = {
        {48000, 44100, 1000.0},  {8000, 44100, 440.0},   {96000, 44100, 3520.0},
        {48000, 44100, 17640.0}, {22050, 11025, 1234.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.inRate);
        VirtualAudioBackend backend;
        VirtualInputDevice device;
        device.recording = sine(c.inRate, c.frequency, 1.2);
        const int index = backend.addInputDevice(device);
        Owner owner(backend, index, PcmFormat{c.outRate, 16});
        ASSERT_EQ(owner.result, AUDIO_OK);
        for (int i = 0; i < 5; ++i)
            ASSERT_TRUE(backend.step(index));
        const std::vector<std::int16_t> samples = asSamples(owner.received());
        ASSERT_EQ(samples.size(), c.outRate);
        double worst = 0.0;
        for (std::size_t n = 200; n < samples.size(); ++n) {
            const double ideal = 0.5 * std::sin(2 * PI * c.frequency * n / c.outRate) * 32768.0;
            worst = std::max(worst, std::abs(samples[n] - ideal));
        }
        EXPECT_LT(worst, 1.5); // quantisation alone gives 0.5
    }
}

TEST(VirtualAudioBackend, VanishedDeviceStillStopsResetsAndCloses) {
    VirtualAudioBackend backend;
    VirtualInputDevice device;
    device.generator = [](double t) { return std::sin(2 * PI * 440 * t); };
    const int index = backend.addInputDevice(device);
    {
        Owner owner(backend, index, PcmFormat{44100, 16});
        ASSERT_EQ(owner.result, AUDIO_OK);
        ASSERT_TRUE(backend.step(index));
        backend.failDevice(index);
        EXPECT_FALSE(backend.step(index));
        EXPECT_EQ(owner.received().size(), 17640u);
        EXPECT_TRUE(owner.shutdown());
    }
    // The next open finds the device again.
    Owner again(backend, index, PcmFormat{44100, 16});
    ASSERT_EQ(again.result, AUDIO_OK);
    EXPECT_TRUE(backend.step(index));
}

TEST(VirtualAudioBackend, RealTimeDeviceDeliversWhileStarted) {
    VirtualAudioBackend backend;
    VirtualInputDevice device;
    device.pacing = VirtualInputDevice::Pacing::RealTime;
    device.generator = [](double t) { return t < 0.2 ? 0.5 : -0.5; };
    const int index = backend.addInputDevice(device);
    Owner owner(backend, index, PcmFormat{11025, 8});
    ASSERT_EQ(owner.result, AUDIO_OK);
    ASSERT_TRUE(owner.waitForBytes(2 * 2205));
    const std::vector<std::uint8_t> bytes = owner.received();
    EXPECT_EQ(bytes[0], 192);
    EXPECT_EQ(bytes[2205], 64);
    EXPECT_TRUE(owner.shutdown());
}

TEST(VirtualAudioBackend, OutputRecordsWhatIsWritten) {
    VirtualAudioBackend backend;
    backend.setOutputPacing(VirtualAudioBackend::OutputPacing::Immediate);
    backend.setOutputFails(true);
    std::unique_ptr<AudioOutput> output;
    EXPECT_NE(backend.openOutput([] {}, output), AUDIO_OK);
    EXPECT_EQ(output, nullptr);
    backend.setOutputFails(false);

    Event played;
    std::atomic<int> count{0};
    std::atomic<bool> fromWriter{false};
    const std::thread::id writer = std::this_thread::get_id();
    ASSERT_EQ(backend.openOutput(
                  [&] {
                      fromWriter = fromWriter || std::this_thread::get_id() == writer;
                      ++count;
                      played.set();
                  },
                  output),
              AUDIO_OK);
    std::vector<std::int16_t> samples(3 * 4410);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(i * 31 - 20000);
    AudioBuffer buffers[3];
    for (int i = 0; i < 3; ++i) {
        buffers[i].data = reinterpret_cast<std::uint8_t*>(samples.data() + i * 4410);
        buffers[i].length = 4410 * 2;
        output->write(buffers[i]);
    }
    for (int tries = 0; tries < 50 && count < 3; ++tries)
        played.wait(100);
    EXPECT_EQ(count, 3);
    EXPECT_FALSE(fromWriter);
    for (const AudioBuffer& buffer : buffers)
        EXPECT_EQ(buffer.flags, BUFFER_DONE);
    EXPECT_EQ(backend.outputSamples(), samples);
    output.reset();
}

TEST(VirtualAudioBackend, RealTimeOutputPlaysInTurnAndResetGivesBack) {
    VirtualAudioBackend backend; // real time by default
    Event played;
    std::atomic<int> count{0};
    std::unique_ptr<AudioOutput> output;
    ASSERT_EQ(backend.openOutput(
                  [&] {
                      ++count;
                      played.set();
                  },
                  output),
              AUDIO_OK);
    // A whole second each: reset comes long before the first is played.
    std::vector<std::int16_t> second(44100, 1000);
    AudioBuffer longBuffers[2];
    for (AudioBuffer& buffer : longBuffers) {
        buffer.data = reinterpret_cast<std::uint8_t*>(second.data());
        buffer.length = 44100 * 2;
        output->write(buffer);
    }
    output->reset();
    EXPECT_EQ(longBuffers[0].flags, BUFFER_DONE);
    EXPECT_EQ(longBuffers[1].flags, BUFFER_DONE);

    std::vector<std::int16_t> samples(2 * 441);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(i);
    AudioBuffer shortBuffers[2];
    for (int i = 0; i < 2; ++i) {
        shortBuffers[i].data = reinterpret_cast<std::uint8_t*>(samples.data() + i * 441);
        shortBuffers[i].length = 441 * 2;
        output->write(shortBuffers[i]);
    }
    for (int tries = 0; tries < 50 && count < 2; ++tries)
        played.wait(100);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(backend.outputSamples(), samples);

    backend.setOutputPacing(VirtualAudioBackend::OutputPacing::Immediate, false);
    output->write(shortBuffers[0]);
    for (int tries = 0; tries < 50 && count < 3; ++tries)
        played.wait(100);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(backend.outputSamples(), samples);
    output.reset();
}

TEST(VirtualAudioBackend, SteppedOutputPlaysOneBufferPerStep) {
    VirtualAudioBackend backend;
    backend.setOutputPacing(VirtualAudioBackend::OutputPacing::Stepped);
    EXPECT_TRUE(backend.outputSamples().empty());
    std::vector<std::int16_t> samples(2 * 441);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(3 * i - 1000);
    AudioBuffer buffers[2];
    for (int i = 0; i < 2; ++i) {
        buffers[i].data = reinterpret_cast<std::uint8_t*>(samples.data() + i * 441);
        buffers[i].length = 441 * 2;
    }
    // The owner refills and writes each played buffer again from the report,
    // which comes on the stepping thread.
    std::unique_ptr<AudioOutput> output;
    int reported = 0;
    const std::thread::id stepper = std::this_thread::get_id();
    ASSERT_EQ(backend.openOutput(
                  [&] {
                      EXPECT_EQ(std::this_thread::get_id(), stepper);
                      AudioBuffer& played = buffers[reported++ % 2];
                      EXPECT_EQ(played.flags, BUFFER_DONE);
                      output->write(played);
                  },
                  output),
              AUDIO_OK);
    output->write(buffers[0]);
    output->write(buffers[1]);
    EXPECT_TRUE(backend.outputSamples().empty());

    ASSERT_TRUE(backend.stepOutput());
    EXPECT_EQ(reported, 1);
    EXPECT_EQ(backend.outputSamples(),
              std::vector<std::int16_t>(samples.begin(), samples.begin() + 441));
    ASSERT_TRUE(backend.stepOutput());
    ASSERT_TRUE(backend.stepOutput());
    EXPECT_EQ(reported, 3);
    std::vector<std::int16_t> expected = samples;
    expected.insert(expected.end(), samples.begin(), samples.begin() + 441);
    EXPECT_EQ(backend.outputSamples(), expected);

    output->reset();
    EXPECT_EQ(buffers[0].flags, BUFFER_DONE);
    EXPECT_EQ(buffers[1].flags, BUFFER_DONE);
    output.reset();
    backend.setOutputPacing(VirtualAudioBackend::OutputPacing::Immediate);
    EXPECT_FALSE(backend.stepOutput());
}

} // namespace
} // namespace tonvela
