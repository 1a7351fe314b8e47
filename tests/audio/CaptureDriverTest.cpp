#include "audio/CaptureDriver.h"
#include "audio/CaptureDriverManager.h"
#include "platform/audio/VirtualAudioBackend.h"
#include "runtime/Random.h"
#include "state/DataStructure.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace tonvela {

class CaptureDriverTestAccess {
public:
    static void setWriteIndex(CaptureDriver& driver, int index) {
        Guard guard(driver.ringLock);
        driver.writeIndex = index;
    }
    static int writeIndex(CaptureDriver& driver) {
        Guard guard(driver.ringLock);
        return driver.writeIndex;
    }
    static float ringAt(CaptureDriver& driver, int index) {
        Guard guard(driver.ringLock);
        return driver.ring[static_cast<std::size_t>(index)];
    }
};

namespace {

using Access = CaptureDriverTestAccess;

// Sample n of this signal quantises to the 16-bit value n mod 20000, so every
// value read back tells where in time it came from.
double rampSignal(double seconds, double rate) {
    const long long n = std::llround(seconds * rate);
    return static_cast<double>(n % 20000) / 32767.0;
}

class CaptureDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        CaptureDriverManager::destroyInstance();
        DataStructure::destroyInstance();
        auto owned = std::make_unique<VirtualAudioBackend>();
        backend = owned.get();
        installAudioBackend(std::move(owned));
    }
    void TearDown() override {
        CaptureDriverManager::destroyInstance();
        installAudioBackend(nullptr);
        DataStructure::destroyInstance();
    }

    int addDevice(unsigned formats, std::function<double(double)> generator = nullptr) {
        VirtualInputDevice device;
        device.formats = formats;
        device.generator = generator ? std::move(generator) : [](double) { return 0.0; };
        return backend->addInputDevice(std::move(device));
    }

    VirtualAudioBackend* backend = nullptr;
};

TEST_F(CaptureDriverTest, NoDeviceGivesSilentDriver) {
    CaptureDriver driver(-1);
    EXPECT_TRUE(driver.isSilent());
    EXPECT_EQ(driver.openedDevice(), -2);
    EXPECT_GT(driver.sampleRate(), 0.0f);
    EXPECT_EQ(driver.sampleRate(), static_cast<float>(CaptureDriver::SILENT_SAMPLE_RATE));
    std::vector<Complex> window(64, Complex{1.0f, 1.0f});
    driver.readStrided(window.data(), 64, 3);
    for (const Complex& value : window) {
        EXPECT_EQ(value.re, 0.0f);
        EXPECT_EQ(value.im, 0.0f);
    }
}

TEST_F(CaptureDriverTest, ProbeOrderOfFormats) {
    struct Case {
        unsigned offered;
        unsigned failing;
        unsigned rate;
        int bits;
    };
    const Case cases[] = {
        {MONO_FORMATS, 0, 44100, 16},
        {MONO_FORMATS, FORMAT_4M16, 44100, 8},
        {MONO_FORMATS, FORMAT_4M16 | FORMAT_4M08, 22050, 16},
        {FORMAT_2M08 | FORMAT_1M16, 0, 22050, 8},
        {FORMAT_1M16 | FORMAT_1M08, FORMAT_1M16, 11025, 8},
        // 11025 Hz 8-bit is tried even when the device does not offer it.
        {FORMAT_1M16, FORMAT_1M16, 11025, 8},
    };
    for (const Case& c : cases) {
        SetUp();
        VirtualInputDevice device;
        device.formats = c.offered;
        device.failingFormats = c.failing;
        device.generator = [](double) { return 0.0; };
        backend->addInputDevice(device);
        CaptureDriver driver(0);
        ASSERT_FALSE(driver.isSilent()) << std::hex << c.offered;
        EXPECT_EQ(driver.format().samplesPerSecond, c.rate) << std::hex << c.offered;
        EXPECT_EQ(driver.format().bitsPerSample, c.bits) << std::hex << c.offered;
        EXPECT_EQ(driver.format().blockAlign, c.bits / 8);
        EXPECT_EQ(driver.format().avgBytesPerSecond, c.rate * c.bits / 8);
        EXPECT_EQ(driver.getRingLength(), static_cast<int>(c.rate * 60));
        EXPECT_EQ(driver.getBufferBytes(), static_cast<int>(c.bits * c.rate / 40));
    }
}

TEST_F(CaptureDriverTest, FallsBackToFirstDeviceThatOpens) {
    VirtualInputDevice broken;
    broken.capabilitiesResult = AUDIO_BAD_DEVICE_ID;
    backend->addInputDevice(broken); // 0
    VirtualInputDevice noMono;
    noMono.formats = 0x2AA;          // stereo only
    backend->addInputDevice(noMono); // 1
    VirtualInputDevice refuses;
    refuses.failOpen = true;
    backend->addInputDevice(refuses); // 2
    addDevice(FORMAT_2M16);           // 3
    addDevice(MONO_FORMATS);          // 4

    CaptureDriver driver(2);
    EXPECT_FALSE(driver.isSilent());
    EXPECT_EQ(driver.requestedDevice(), 2);
    EXPECT_EQ(driver.openedDevice(), 3);
    EXPECT_EQ(driver.format().samplesPerSecond, 22050u);
}

TEST_F(CaptureDriverTest, EveryDeviceFailingGivesSilentDriverWithPositiveRate) {
    VirtualInputDevice refuses;
    refuses.failOpen = true;
    backend->addInputDevice(refuses);
    backend->addInputDevice(refuses);
    CaptureDriver driver(-1);
    EXPECT_TRUE(driver.isSilent());
    EXPECT_EQ(driver.sampleRate(), 11025.0f);
}

TEST_F(CaptureDriverTest, ConvertsExtremeSamples) {
    // Sample values by index: full positive, beyond full negative, zero, half.
    const double pattern[] = {1.0, -2.0, 0.0, 0.5};
    struct Case {
        unsigned format;
        float expected[4];
    };
    const Case cases[] = {
        {FORMAT_1M16, {127.99609375f, -128.0f, 0.0f, 16384.0f / 256.0f}},
        {FORMAT_1M08, {127.0f, -128.0f, 0.0f, 64.0f}},
    };
    for (const Case& c : cases) {
        SetUp();
        addDevice(c.format,
                  [&](double seconds) { return pattern[std::llround(seconds * 11025.0) % 4]; });
        CaptureDriver driver(0);
        ASSERT_EQ(driver.sampleRate(), 11025.0f);
        ASSERT_TRUE(backend->step(0));
        const int samplesPerBuffer = 2205;
        EXPECT_EQ(Access::writeIndex(driver), samplesPerBuffer);
        for (int i = 0; i < samplesPerBuffer; ++i)
            ASSERT_EQ(Access::ringAt(driver, i), c.expected[i % 4]) << "sample " << i;
    }
}

TEST_F(CaptureDriverTest, WrapsInsideABufferAndReadsInTimeOrder) {
    const double rate = 11025.0;
    addDevice(FORMAT_1M16, [rate](double seconds) { return rampSignal(seconds, rate); });
    CaptureDriver driver(0);
    const int length = driver.getRingLength();
    Access::setWriteIndex(driver, length - 100);
    ASSERT_TRUE(backend->step(0));
    EXPECT_EQ(Access::writeIndex(driver), 2205 - 100);
    for (int n = 0; n < 2205; ++n) {
        const int slot = (length - 100 + n) % length;
        ASSERT_EQ(Access::ringAt(driver, slot), static_cast<float>(n) / 256.0f) << n;
    }

    // A strided read whose window crosses the ring's start comes oldest first.
    const int stride = 7;
    const int count = 400;
    unsigned seed = 1;
    while (true) {
        tonvela::srand(seed);
        if (tonvela::rand() % driver.getBufferBytes() < 2000)
            break;
        ++seed;
    }
    tonvela::srand(seed);
    const int jitter = tonvela::rand() % driver.getBufferBytes();
    tonvela::srand(seed);
    std::vector<Complex> window(count);
    driver.readStrided(window.data(), count, stride);
    const int newest = 2205 - jitter - stride;
    ASSERT_GT(newest, 100);
    ASSERT_LT(newest - (count - 1) * stride, 100); // slot 0 holds sample 100
    for (int i = 0; i < count; ++i) {
        const int n = newest - (count - 1 - i) * stride;
        const float expected = n >= 0 ? static_cast<float>(n) / 256.0f : 0.0f;
        ASSERT_EQ(window[i].re, expected) << i;
        EXPECT_EQ(window[i].im, 0.0f);
    }
}

TEST_F(CaptureDriverTest, JitterReachesBackTwoBuffersAt16BitOneAt8Bit) {
    struct Case {
        unsigned format;
        int samplesPerBuffer;
    };
    const Case cases[] = {{FORMAT_4M16, 8820}, {FORMAT_4M08, 8820}};
    for (const Case& c : cases) {
        SetUp();
        const double rate = 44100.0;
        // A sequence whose neighbouring samples differ at both bit depths.
        addDevice(c.format, [rate](double seconds) {
            const long long n = std::llround(seconds * rate);
            return static_cast<double>((n * 7919) % 251 - 125) / 127.0;
        });
        CaptureDriver driver(0);
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(backend->step(0));
        const int write = Access::writeIndex(driver);
        ASSERT_EQ(write, 3 * c.samplesPerBuffer);
        int largest = 0;
        for (int trial = 0; trial < 400; ++trial) {
            const unsigned seed = static_cast<unsigned>(trial) * 2654435761u;
            tonvela::srand(seed);
            const int expectedJitter = tonvela::rand() % driver.getBufferBytes();
            tonvela::srand(seed);
            // The newest value read lies jitter + one stride before the write position.
            std::vector<Complex> window(8);
            driver.readStrided(window.data(), 8, 1);
            for (int i = 0; i < 8; ++i)
                ASSERT_EQ(window[i].re, Access::ringAt(driver, write - expectedJitter - 8 + i));
            EXPECT_LT(expectedJitter, driver.getBufferBytes());
            largest = std::max(largest, expectedJitter);
        }
        if (c.format == FORMAT_4M16)
            EXPECT_GT(largest, c.samplesPerBuffer); // up to 400 ms back
        else
            EXPECT_LT(largest, c.samplesPerBuffer); // at most 200 ms back
    }
}

TEST_F(CaptureDriverTest, TestToneAdvancesByStrideAndPeaksAtTen) {
    addDevice(FORMAT_4M16);
    CaptureDriver driver(0);
    const int count = 4096;
    const int stride = 4;
    const float frequency = 440.0f;
    std::vector<Complex> tone(count);
    driver.makeTestTone(tone.data(), count, stride, frequency, 0.5f);
    const double cyclesPerValue = frequency * stride / 44100.0;
    float peak = 0.0f;
    for (int i = 0; i < count; ++i) {
        const double expected = 10.0 * std::sin(0.5 + 2.0 * M_PI * cyclesPerValue * i);
        ASSERT_NEAR(tone[i].re, expected, 2e-3) << i;
        EXPECT_EQ(tone[i].im, 0.0f);
        peak = std::max(peak, std::fabs(tone[i].re));
    }
    EXPECT_NEAR(peak, 10.0f, 1e-3f);
}

TEST_F(CaptureDriverTest, VanishedDeviceStillShutsDown) {
    addDevice(FORMAT_4M16);
    {
        CaptureDriver driver(0);
        ASSERT_TRUE(backend->step(0));
        backend->failDevice(0);
        EXPECT_FALSE(backend->step(0));
        std::vector<Complex> window(16);
        driver.readStrided(window.data(), 16, 1); // still readable
    }                                             // destruction must complete
    SUCCEED();
}

// Replacing the backend under a running capture thread would leave that
// thread on a freed backend (it hung the program at exit): refused until the
// driver has gone, and the driver keeps capturing from its own device.
TEST_F(CaptureDriverTest, BackendIsNotReplacedWhileADriverUsesIt) {
    addDevice(FORMAT_4M16);
    {
        CaptureDriver driver(0);
        ASSERT_TRUE(backend->step(0));
        EXPECT_EQ(openAudioDevices(), 1);
        EXPECT_FALSE(installAudioBackend(std::make_unique<VirtualAudioBackend>()));
        EXPECT_FALSE(installAudioBackend(nullptr));
        EXPECT_EQ(&audioBackend(), backend);
        ASSERT_TRUE(backend->step(0));
        EXPECT_EQ(Access::writeIndex(driver), 2 * 8820);
    }
    EXPECT_EQ(openAudioDevices(), 0);
    auto replacement = std::make_unique<VirtualAudioBackend>();
    VirtualAudioBackend* replaced = replacement.get();
    EXPECT_TRUE(installAudioBackend(std::move(replacement)));
    EXPECT_EQ(&audioBackend(), replaced);
}

TEST_F(CaptureDriverTest, ManagerReplacesDriverOnlyWhenSelectionChanges) {
    VirtualInputDevice refuses;
    refuses.failOpen = true;
    backend->addInputDevice(refuses); // 0
    addDevice(FORMAT_4M16);           // 1
    addDevice(FORMAT_2M16);           // 2
    DataStructure& state = DataStructure::getInstance();
    CaptureDriverManager& manager = CaptureDriverManager::getInstance();

    state.setInputDevice(0); // falls back to device 1
    CaptureDriver* first = manager.getDriver();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->openedDevice(), 1);
    EXPECT_EQ(manager.getDriver(), first); // fallback kept while the selection stays

    state.setInputDevice(2);
    CaptureDriver* second = manager.getDriver();
    EXPECT_EQ(second->requestedDevice(), 2);
    EXPECT_EQ(second->openedDevice(), 2);
    EXPECT_EQ(second->sampleRate(), 22050.0f);
    EXPECT_EQ(manager.getDriver(), second);

    state.setInputDevice(-1); // the default device
    CaptureDriver* third = manager.getDriver();
    EXPECT_EQ(third->requestedDevice(), -1);
    EXPECT_FALSE(third->isSilent());
}

// Runs read in place hand over exactly the samples of a read of every
// sample, with the same jitter: short windows, one across the ring's start,
// one longer than the ring, and a silent driver.
TEST_F(CaptureDriverTest, RunsInPlaceMatchAReadOfEverySample) {
    const double rate = 11025.0;
    addDevice(FORMAT_1M16, [rate](double seconds) { return rampSignal(seconds, rate); });
    CaptureDriver driver(0);
    const int length = driver.getRingLength();
    Access::setWriteIndex(driver, length - 100);
    ASSERT_TRUE(backend->step(0));
    ASSERT_TRUE(backend->step(0));
    CaptureDriver silent(-1);
    ASSERT_TRUE(silent.isSilent());

    struct Case {
        CaptureDriver* driver;
        int count;
        int expectedRuns;
    };
    const Case cases[] = {
        {&driver, 1, -1},    {&driver, 300, -1}, {&driver, 8000, -1}, {&driver, length + 5000, -1},
        {&silent, 10000, 3}, {&driver, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        const unsigned seed = 4321u + static_cast<unsigned>(c.count);
        tonvela::srand(seed);
        std::vector<Complex> expected(static_cast<std::size_t>(std::max(c.count, 1)),
                                      Complex{7.0f, 7.0f});
        c.driver->readStrided(expected.data(), c.count, 1);
        const int afterStrided = tonvela::rand();

        tonvela::srand(seed);
        std::vector<float> got;
        int runs = 0;
        c.driver->readRuns(c.count, [&](const float* run, int count) {
            ASSERT_GT(count, 0);
            got.insert(got.end(), run, run + count);
            ++runs;
        });
        EXPECT_EQ(tonvela::rand(), afterStrided);
        int expectedRuns = c.expectedRuns;
        if (expectedRuns < 0) {
            // One run up to the ring's end, then one per round from its start.
            tonvela::srand(seed);
            const int jitter = tonvela::rand() % c.driver->getBufferBytes();
            const int newest = (Access::writeIndex(*c.driver) - jitter - 1 + length) % length;
            const int oldest = ((newest - (c.count - 1)) % length + length) % length;
            const int first = std::min(c.count, length - oldest);
            expectedRuns = 1 + (c.count - first + length - 1) / length;
        }
        EXPECT_EQ(runs, expectedRuns);
        ASSERT_EQ(static_cast<int>(got.size()), c.count);
        for (int i = 0; i < c.count; ++i)
            ASSERT_EQ(got[static_cast<std::size_t>(i)], expected[static_cast<std::size_t>(i)].re)
                << i;
    }
}

} // namespace

} // namespace tonvela
