// Throughput of tonvela-cli measure: a 60 s recording measured on simulated
// time, in each mode, as seconds of sound per second of processing (the
// counter sound_s_per_s). The executable is found beside this one's build
// directory, or through TONVELA_CLI.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr double RECORDING_SECONDS = 60.0;

std::string cliPath() {
    if (const char* path = std::getenv("TONVELA_CLI"))
        return path;
    return (std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "src" /
            "tonvela-cli")
        .string();
}

void put(std::FILE* file, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        std::fputc(static_cast<int>((value >> (8 * i)) & 0xFF), file);
}

// 60 s of A4 with two partials, 44100 Hz 16-bit mono.
std::string makeRecording() {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("tonvela-bench-" + std::to_string(getpid()) + ".wav"))
                                 .string();
    const std::uint32_t rate = 44100;
    const auto frames = static_cast<std::uint32_t>(RECORDING_SECONDS * rate);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return std::string();
    std::fputs("RIFF", file);
    put(file, 36 + frames * 2, 4);
    std::fputs("WAVEfmt ", file);
    put(file, 16, 4);
    put(file, 1, 2);
    put(file, 1, 2);
    put(file, rate, 4);
    put(file, rate * 2, 4);
    put(file, 2, 2);
    put(file, 16, 2);
    std::fputs("data", file);
    put(file, frames * 2, 4);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double x =
            0.3 * std::sin(2.0 * M_PI * 440.0 * t) + 0.15 * std::sin(4.0 * M_PI * 440.0 * t);
        put(file, static_cast<std::uint32_t>(static_cast<std::int16_t>(std::lround(x * 32767.0))),
            2);
    }
    std::fclose(file);
    return path;
}

void BM_MeasureCommand(benchmark::State& state) {
    static const char* modes[3] = {"standard", "accurate", "precise"};
    const std::string recording = makeRecording();
    if (recording.empty()) {
        state.SkipWithError("cannot write the recording");
        return;
    }
    const std::string command =
        cliPath() + " measure " + recording + " --mode " + modes[state.range(0)] + " > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("tonvela-cli measure failed");
            break;
        }
    }
    std::filesystem::remove(recording);
    state.counters["sound_s_per_s"] =
        benchmark::Counter(RECORDING_SECONDS, benchmark::Counter::kIsIterationInvariantRate);
    state.SetLabel(modes[state.range(0)]);
}
BENCHMARK(BM_MeasureCommand)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
