// tonvela-cli devices: the usable sound input devices and the stored choice.
#include "audio/SoundDeviceManager.h"
#include "cli/CliCommand.h"
#include "cli/CliInput.h"
#include "cli/TuningOptions.h"
#include "platform/audio/AudioBackend.h"
#include "state/DataStructure.h"

#include <cstdio>

namespace tonvela::cli {

namespace {

std::string formatList(unsigned formats) {
    struct Named {
        unsigned flag;
        const char* text;
    };
    static const Named names[] = {
        {FORMAT_4M16, "44100 Hz 16-bit"}, {FORMAT_4M08, "44100 Hz 8-bit"},
        {FORMAT_2M16, "22050 Hz 16-bit"}, {FORMAT_2M08, "22050 Hz 8-bit"},
        {FORMAT_1M16, "11025 Hz 16-bit"}, {FORMAT_1M08, "11025 Hz 8-bit"},
    };
    std::string text;
    for (const Named& name : names) {
        if (formats & name.flag) {
            if (!text.empty())
                text += ", ";
            text += name.text;
        }
    }
    return text;
}

int runDevices(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    std::string inputFile;
    bool fromFile = false;
    if (!takeOption(args, "--input-file", inputFile, fromFile))
        return 2;
    // Opens the settings root too; the reasons a device is not usable come in
    // this language.
    if (!setUpLanguage(args))
        return 2;
    if (!noArgumentsLeft(args, "devices"))
        return 2;
    if (fromFile) {
        CliInput input;
        std::string error;
        if (!installRecordingInput(inputFile, VirtualInputDevice::Pacing::RealTime, input, error)) {
            std::fprintf(stderr, "tonvela-cli devices: %s\n", error.c_str());
            return 1;
        }
    }
    SoundDeviceManager& manager = SoundDeviceManager::getInstance();
    if (manager.getDeviceCount() == 0) {
        std::printf("%s\n", manager.getErrorText().c_str());
        return 0;
    }
    const SoundDevice* selected = manager.getSelectedDevice();
    std::printf("Input devices:\n");
    for (int i = 0; i < manager.getDeviceCount(); ++i) {
        const SoundDevice* device = manager.getDevice(i);
        InputCapabilities capabilities;
        audioBackend().inputCapabilities(device->getWaveInId(), capabilities);
        std::printf("  %d: %s%s\n     %s\n", device->getWaveInId(), device->getName().c_str(),
                    device == selected ? "  [selected]" : "",
                    formatList(capabilities.formats).c_str());
    }
    if (selected)
        std::printf("Selected: %s\n", selected->getName().c_str());
    else
        std::printf("Selected: none (the system's default input device is used)\n");
    if (!manager.getErrorText().empty())
        std::printf("Not usable: %s\n", manager.getErrorText().c_str());
    return 0;
}

const CliCommand::Registrar registrar({"devices", "devices [--input-file FILE] [--language en|de]",
                                       "list the usable sound input devices", &runDevices});

} // namespace

} // namespace tonvela::cli
