// A sound input that goes away while measuring (an unplugged USB interface)
// or is not there at all: the manager says so, nothing hangs, and capturing
// resumes with a fresh driver once a device opens again.
#include "audio/CaptureDriver.h"
#include "audio/CaptureDriverManager.h"
#include "platform/audio/VirtualAudioBackend.h"
#include "runtime/Thread.h"
#include "state/DataStructure.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace tonvela {
namespace {

class InputFailureTest : public ::testing::Test {
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

    // Calls the manager as the analysis thread does, until done() holds.
    bool pollUntil(const std::function<bool(CaptureDriver*)>& done) {
        for (int i = 0; i < 400; ++i) {
            if (done(CaptureDriverManager::getInstance().getDriver()))
                return true;
            Thread::sleep(25);
        }
        return false;
    }

    VirtualAudioBackend* backend = nullptr;
};

TEST_F(InputFailureTest, NoDeviceIsReportedAndAnAddedOneIsTakenUp) {
    EXPECT_EQ(CaptureDriverManager::status().state, InputStatus::NotStarted);
    CaptureDriver* silent = CaptureDriverManager::getInstance().getDriver();
    EXPECT_TRUE(silent->isSilent());
    EXPECT_EQ(CaptureDriverManager::status().state, InputStatus::NoDevice);

    VirtualInputDevice device;
    device.name = "Late Interface";
    device.pacing = VirtualInputDevice::Pacing::RealTime;
    device.generator = [](double) { return 0.25; };
    backend->addInputDevice(device);
    ASSERT_TRUE(pollUntil([](CaptureDriver* driver) { return !driver->isSilent(); }));
    EXPECT_EQ(CaptureDriverManager::status().state, InputStatus::Delivering);
}

TEST_F(InputFailureTest, UnpluggedDeviceIsReportedAndCapturingResumes) {
    VirtualInputDevice device;
    device.name = "USB Interface";
    device.pacing = VirtualInputDevice::Pacing::RealTime;
    device.generator = [](double) { return 0.25; };
    backend->addInputDevice(device);
    CaptureDriver* first = CaptureDriverManager::getInstance().getDriver();
    ASSERT_FALSE(first->isSilent());
    EXPECT_EQ(CaptureDriverManager::status().state, InputStatus::Delivering);

    backend->failDevice(0);
    ASSERT_TRUE(pollUntil([](CaptureDriver*) {
        return CaptureDriverManager::status().state == InputStatus::Failed;
    }));
    EXPECT_EQ(CaptureDriverManager::status().deviceName, "USB Interface");

    // The device works again: a fresh driver opens it and delivers.
    ASSERT_TRUE(pollUntil([](CaptureDriver* driver) {
        return !driver->hasFailed() && !driver->isSilent() &&
               CaptureDriverManager::status().state == InputStatus::Delivering;
    }));
    EXPECT_EQ(backend->openedFormat(0).samplesPerSecond, 44100u);
}

} // namespace
} // namespace tonvela
