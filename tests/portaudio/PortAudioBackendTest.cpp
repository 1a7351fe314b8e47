// The real PortAudio backend without a sound card: ALSA's file plugin gives a
// device that records from one file and plays into another. The configuration
// must be in place before PortAudio initialises, so every test calls
// fileDevices() first; this folder is its own test process.
#include "platform/audio/PortAudioBackend.h"
#include "audio/CaptureDriver.h"
#include "runtime/Thread.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace tonvela {
namespace {

constexpr const char* DEVICE_NAME = "tonvela_file";

struct FileDevices {
    test::TempDir dir;
    std::string input = dir.file("input.raw");
    std::string output = dir.file("output.raw");
    std::vector<std::uint8_t> inputBytes;
};

std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Pseudo-random 16-bit samples, none of them 0 (the value of a ring slot that
// was never written): any two in a row identify their place in the file.
std::vector<std::uint8_t> inputPattern(std::size_t samples) {
    std::vector<std::uint8_t> bytes(2 * samples);
    std::uint32_t state = 12345;
    for (std::size_t i = 0; i < samples; ++i) {
        state = state * 1103515245u + 12345u;
        const auto sample =
            static_cast<std::uint16_t>(std::max<std::uint32_t>(state >> 16 & 0xFFFF, 1));
        bytes[2 * i] = static_cast<std::uint8_t>(sample);
        bytes[2 * i + 1] = static_cast<std::uint8_t>(sample >> 8);
    }
    return bytes;
}

const FileDevices& fileDevices() {
    static const std::unique_ptr<FileDevices> devices = [] {
        auto made = std::make_unique<FileDevices>();
        made->inputBytes = inputPattern(3 * 8820 + 500);
        std::ofstream(made->input, std::ios::binary)
            .write(reinterpret_cast<const char*>(made->inputBytes.data()),
                   static_cast<std::streamsize>(made->inputBytes.size()));
        const std::string config = made->dir.file("asoundrc");
        std::ofstream(config) << "pcm." << DEVICE_NAME << " {\n"
                              << "    type asym\n"
                              << "    capture.pcm {\n"
                              << "        type plug\n"
                              << "        slave.pcm { type file slave.pcm null file \"/dev/null\""
                              << " infile \"" << made->input << "\" format raw }\n"
                              << "    }\n"
                              << "    playback.pcm {\n"
                              << "        type plug\n"
                              << "        slave.pcm { type file slave.pcm null file \""
                              << made->output << "\" format raw }\n"
                              << "    }\n"
                              << "}\n"
                              << "pcm.!default \"" << DEVICE_NAME << "\"\n";
        setenv("ALSA_CONFIG_PATH", ("/usr/share/alsa/alsa.conf:" + config).c_str(), 1);
        return made;
    }();
    return *devices;
}

int fileDeviceIndex(AudioBackend& backend) {
    for (int i = 0; i < backend.inputDeviceCount(); ++i) {
        InputCapabilities capabilities;
        if (backend.inputCapabilities(i, capabilities) == AUDIO_OK &&
            capabilities.name == DEVICE_NAME)
            return i;
    }
    return -2;
}

// Counts the done notifications of a device and lets the test wait for them.
struct DoneCounter {
    std::mutex lock;
    std::condition_variable changed;
    int count = 0;

    BufferDoneCallback callback() {
        return [this] {
            std::lock_guard<std::mutex> guard(lock);
            ++count;
            changed.notify_all();
        };
    }
    bool waitFor(int wanted) {
        std::unique_lock<std::mutex> guard(lock);
        return changed.wait_for(guard, std::chrono::seconds(10), [&] { return count >= wanted; });
    }
};

TEST(PortAudioBackend, FileDeviceOffersEveryMonoFormat) {
    fileDevices();
    std::unique_ptr<AudioBackend> backend = createPortAudioBackend();
    const int index = fileDeviceIndex(*backend);
    ASSERT_GE(index, 0);
    InputCapabilities capabilities;
    ASSERT_EQ(backend->inputCapabilities(index, capabilities), AUDIO_OK);
    EXPECT_EQ(capabilities.formats, MONO_FORMATS);
    ASSERT_EQ(backend->inputCapabilities(-1, capabilities), AUDIO_OK);
    EXPECT_EQ(capabilities.formats, MONO_FORMATS);

    const int count = backend->inputDeviceCount();
    EXPECT_EQ(backend->inputCapabilities(count, capabilities), AUDIO_BAD_DEVICE_ID);
    EXPECT_EQ(backend->inputCapabilities(-2, capabilities), AUDIO_BAD_DEVICE_ID);
    std::unique_ptr<AudioInput> input;
    EXPECT_EQ(backend->openInput(
                  count, PcmFormat{}, [] {}, input),
              AUDIO_BAD_DEVICE_ID);
    EXPECT_EQ(backend->openInput(
                  index, PcmFormat{8000, 16}, [] {}, input),
              AUDIO_BAD_FORMAT);
    EXPECT_EQ(input, nullptr);
}

TEST(PortAudioBackend, RecordedBytesEqualTheInputFile) {
    const FileDevices& files = fileDevices();
    std::unique_ptr<AudioBackend> backend = createPortAudioBackend();
    const int index = fileDeviceIndex(*backend);
    ASSERT_GE(index, 0);
    const PcmFormat formats[] = {{44100, 16}, {22050, 8}, {11025, 16}};
    for (const PcmFormat& format : formats) {
        SCOPED_TRACE(format.samplesPerSecond * 100 + format.bitsPerSample);
        const std::uint32_t bufferBytes =
            format.bitsPerSample * format.samplesPerSecond * 200 / 8000;
        const int bufferCount = static_cast<int>(files.inputBytes.size() / bufferBytes) + 2;
        std::vector<std::vector<std::uint8_t>> memory(bufferCount,
                                                      std::vector<std::uint8_t>(bufferBytes));
        std::vector<AudioBuffer> buffers(bufferCount);
        DoneCounter done;
        std::unique_ptr<AudioInput> input;
        ASSERT_EQ(backend->openInput(index, format, done.callback(), input), AUDIO_OK);
        for (int i = 0; i < bufferCount; ++i) {
            buffers[i].data = memory[i].data();
            buffers[i].length = bufferBytes;
            input->addBuffer(buffers[i]);
        }
        input->start();
        ASSERT_TRUE(done.waitFor(bufferCount));
        input->stop();
        input->reset();
        input.reset();

        std::vector<std::uint8_t> recorded;
        for (int i = 0; i < bufferCount; ++i) {
            EXPECT_TRUE(buffers[i].flags & BUFFER_DONE);
            EXPECT_EQ(buffers[i].bytesUsed, bufferBytes);
            recorded.insert(recorded.end(), memory[i].begin(), memory[i].end());
        }
        recorded.resize(files.inputBytes.size());
        EXPECT_TRUE(recorded == files.inputBytes);
    }
}

TEST(PortAudioBackend, StopAndResetGiveQueuedBuffersBack) {
    fileDevices();
    std::unique_ptr<AudioBackend> backend = createPortAudioBackend();
    const int index = fileDeviceIndex(*backend);
    ASSERT_GE(index, 0);
    std::unique_ptr<AudioInput> input;
    ASSERT_EQ(backend->openInput(
                  index, PcmFormat{22050, 16}, [] {}, input),
              AUDIO_OK);
    std::vector<std::uint8_t> memory(2 * 8820);
    AudioBuffer buffers[2];
    for (int i = 0; i < 2; ++i) {
        buffers[i].data = memory.data() + i * 8820;
        buffers[i].length = 8820;
        buffers[i].flags = BUFFER_DONE;
        input->addBuffer(buffers[i]);
        EXPECT_EQ(buffers[i].flags, 0u);
    }
    // Never started: stop has no partly filled buffer to return.
    input->stop();
    EXPECT_EQ(buffers[0].flags, 0u);
    input->reset();
    for (const AudioBuffer& buffer : buffers) {
        EXPECT_EQ(buffer.flags, BUFFER_DONE);
        EXPECT_EQ(buffer.bytesUsed, 0u);
    }
}

TEST(PortAudioBackend, OutputWritesTheGivenSamplesToTheFile) {
    const FileDevices& files = fileDevices();
    std::unique_ptr<AudioBackend> backend = createPortAudioBackend();
    constexpr int bufferSamples = 4410;
    constexpr int bufferCount = 3;
    std::vector<std::int16_t> samples(bufferSamples * bufferCount);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>((static_cast<int>(i * 7919 % 60001) - 30000) | 1);
    DoneCounter done;
    std::unique_ptr<AudioOutput> output;
    ASSERT_EQ(backend->openOutput(done.callback(), output), AUDIO_OK);
    AudioBuffer buffers[bufferCount];
    for (int i = 0; i < bufferCount; ++i) {
        buffers[i].data = reinterpret_cast<std::uint8_t*>(samples.data() + i * bufferSamples);
        buffers[i].length = bufferSamples * 2;
        output->write(buffers[i]);
    }
    ASSERT_TRUE(done.waitFor(bufferCount));
    for (const AudioBuffer& buffer : buffers)
        EXPECT_EQ(buffer.flags, BUFFER_DONE);
    // Reset gives back what has not been played yet.
    output->write(buffers[0]);
    output->write(buffers[1]);
    output->reset();
    EXPECT_EQ(buffers[0].flags, BUFFER_DONE);
    EXPECT_EQ(buffers[1].flags, BUFFER_DONE);
    output.reset();

    const std::vector<std::uint8_t> bytes = readFile(files.output);
    std::vector<std::int16_t> written(bytes.size() / 2);
    for (std::size_t i = 0; i < written.size(); ++i)
        written[i] = static_cast<std::int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    // PortAudio primes the device with silence before the first buffer.
    const auto first =
        std::find_if(written.begin(), written.end(), [](std::int16_t s) { return s != 0; });
    ASSERT_GE(written.end() - first, static_cast<long>(samples.size()));
    EXPECT_TRUE(std::equal(samples.begin(), samples.end(), first));
}

// The whole capture path: what the file holds reaches the driver's ring
// unchanged, s / 256 for every 16-bit sample s. The device is not paced, so
// the ring holds runs of the file with gaps where no buffer was queued, and
// after the file's end, runs of its last part again.
TEST(PortAudioBackend, CaptureDriverRingHoldsTheFileSamples) {
    const FileDevices& files = fileDevices();
    const int index = fileDeviceIndex(audioBackend());
    ASSERT_GE(index, 0);
    std::vector<float> expected(files.inputBytes.size() / 2);
    std::unordered_map<std::uint64_t, int> placeOfPair;
    for (std::size_t i = 0; i < expected.size(); ++i)
        expected[i] = static_cast<float>(static_cast<std::int16_t>(
                          files.inputBytes[2 * i] | files.inputBytes[2 * i + 1] << 8)) /
                      256.0f;
    auto pairKey = [](float a, float b) {
        return static_cast<std::uint64_t>(std::bit_cast<std::uint32_t>(a)) << 32 |
               std::bit_cast<std::uint32_t>(b);
    };
    for (std::size_t i = 0; i + 1 < expected.size(); ++i)
        placeOfPair.emplace(pairKey(expected[i], expected[i + 1]), static_cast<int>(i));

    CaptureDriver driver(index);
    ASSERT_FALSE(driver.isSilent());
    EXPECT_EQ(driver.openedDevice(), index);
    EXPECT_EQ(driver.format().samplesPerSecond, 44100u);
    EXPECT_EQ(driver.format().bitsPerSample, 16);

    // Wait until the ring holds more than any window below reaches back: a
    // sparse read over 32000 samples finds no unwritten (zero) slot.
    bool filled = false;
    for (int attempt = 0; attempt < 500 && !filled; ++attempt) {
        Complex sparse[16];
        driver.readStrided(sparse, 16, 2000);
        filled = std::none_of(std::begin(sparse), std::end(sparse),
                              [](const Complex& c) { return c.re == 0.0f; });
        if (!filled)
            Thread::sleep(10);
    }
    ASSERT_TRUE(filled);

    constexpr int count = 4096;
    std::vector<Complex> window(count);
    for (int read = 0; read < 20; ++read) {
        driver.readStrided(window.data(), count, 1);
        int i = 0;
        if (!placeOfPair.count(pairKey(window[0].re, window[1].re))) {
            // The window begins with the last sample of a run.
            EXPECT_NE(std::find(expected.begin(), expected.end(), window[0].re), expected.end());
            i = 1;
        }
        while (i + 1 < count) {
            const auto place = placeOfPair.find(pairKey(window[i].re, window[i + 1].re));
            ASSERT_NE(place, placeOfPair.end()) << "read " << read << ", sample " << i;
            for (std::size_t k = static_cast<std::size_t>(place->second);
                 i < count && k < expected.size() && window[i].re == expected[k]; ++i, ++k)
                EXPECT_EQ(window[i].im, 0.0f);
        }
    }
}

} // namespace
} // namespace tonvela

namespace tonvela {
namespace {

// The file device delivers far faster than real time: while no buffer is
// queued its bytes are lost, and the next buffer filled says so.
TEST(PortAudioBackend, BytesWithNoBufferMarkTheNextBuffer) {
    fileDevices();
    std::unique_ptr<AudioBackend> backend = createPortAudioBackend();
    const int index = fileDeviceIndex(*backend);
    ASSERT_GE(index, 0);
    DoneCounter done;
    std::unique_ptr<AudioInput> input;
    ASSERT_EQ(backend->openInput(index, PcmFormat{44100, 16}, done.callback(), input), AUDIO_OK);
    std::vector<std::uint8_t> memory(3 * 17640);
    AudioBuffer buffers[3];
    for (int i = 0; i < 3; ++i) {
        buffers[i].data = memory.data() + i * 17640;
        buffers[i].length = 17640;
    }
    input->addBuffer(buffers[0]);
    input->start();
    ASSERT_TRUE(done.waitFor(1));
    EXPECT_FALSE(buffers[0].flags & BUFFER_AFTER_GAP);
    // Nothing queued while the device goes on recording.
    Thread::sleep(50);
    input->addBuffer(buffers[1]);
    ASSERT_TRUE(done.waitFor(2));
    EXPECT_TRUE(buffers[1].flags & BUFFER_AFTER_GAP);
    EXPECT_EQ(buffers[1].gapAt, 0u);
    input->reset();
    input.reset();
}

// Through the capture driver, whose two buffers cannot keep up with such a
// device: the lost stretches are counted, and a read across one says so.
TEST(PortAudioBackend, CaptureDriverCountsLostStretches) {
    fileDevices();
    const int index = fileDeviceIndex(audioBackend());
    ASSERT_GE(index, 0);
    CaptureDriver driver(index);
    ASSERT_FALSE(driver.isSilent());
    for (int attempt = 0; attempt < 500 && driver.lostStretches() < 3; ++attempt)
        Thread::sleep(10);
    ASSERT_GE(driver.lostStretches(), 3);
    // A window over the whole ring holds every mark still in it.
    std::vector<Complex> window(static_cast<std::size_t>(driver.getRingLength() / 4));
    driver.readStrided(window.data(), static_cast<int>(window.size()), 3);
    EXPECT_TRUE(driver.lastReadLostInput());
}

} // namespace
} // namespace tonvela
