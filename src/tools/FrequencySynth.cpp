#include "tools/FrequencySynth.h"

#include "analysis/CentFreqCalculator.h"
#include "state/DataStructure.h"

#include <algorithm>
#include <cmath>

namespace tonvela {

namespace {

constexpr float TWO_PI = 6.2831855f;
constexpr float HALF_PI = TWO_PI / 4.0f;
constexpr float THREE_HALF_PI = TWO_PI * 3.0f / 4.0f;
constexpr int SINE_ENTRIES = 628;
constexpr float ENVELOPE_STEP = 0.001f;
// Phase step of a 300 Hz tone: below it the flanks keep this speed.
constexpr float LOW_LIMIT = TWO_PI * 300.0f / 44100.0f;
constexpr float SAMPLES_PER_MINUTE = 44100.0f * 60.0f;
constexpr int CLICK_CYCLES = 5;
constexpr int CLICK_HALF = 10;

enum Envelope { FadingIn = 0, Steady = 1, FadingOut = 2, Finished = 3 };

// Ids are unique across every synthesizer of the process.
std::atomic<int> toneIds{1};

void writeSample(std::uint8_t* out, int index, int value) {
    out[2 * index] = static_cast<std::uint8_t>(value & 0xFF);
    out[2 * index + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

// Overlapping fades can sum beyond full scale; a clipped peak is a slight
// distortion, a wrapped one a loud crack.
int toSample(float scaled) {
    if (scaled >= 32767.0f)
        return 32767;
    if (scaled <= -32768.0f)
        return -32768;
    return static_cast<int>(scaled);
}

} // namespace

FrequencySynth::FrequencySynth() {
    setPriority(1);
    calibOut = DataStructure::getInstance().getCalibOut();
    DataStructure::getInstance().addListener(this);
    for (int i = 0; i < SINE_ENTRIES; ++i)
        sineTable[i] = static_cast<float>(std::sin(i * 0.01));
    tones.reserve(16);
}

FrequencySynth::~FrequencySynth() {
    DataStructure::getInstance().removeListener(this);
    stop();
}

void FrequencySynth::stop() {
    running = false;
    bufferDone.set();
    join();
}

void FrequencySynth::retune(SynthTone& tone) const {
    tone.calibratedFrequency = CentFreqCalculator::frequencyOf(tone.frequency, calibOut);
    tone.increment = TWO_PI * tone.calibratedFrequency / static_cast<float>(SAMPLE_RATE);
    // Beyond the sample rate (or not a number) the phase would grow without
    // bound; such a tone stands still instead.
    if (!(std::abs(tone.increment) <= TWO_PI))
        tone.increment = 0.0f;
}

int FrequencySynth::addTone(float frequency) {
    Guard guard(toneLock);
    SynthTone tone;
    tone.id = toneIds++;
    tone.frequency = frequency;
    retune(tone);
    tones.push_back(tone);
    return tone.id;
}

void FrequencySynth::removeTone(int id) {
    Guard guard(toneLock);
    const auto tone =
        std::find_if(tones.begin(), tones.end(), [id](const SynthTone& t) { return t.id == id; });
    if (tone != tones.end())
        tone->envelope = FadingOut;
}

void FrequencySynth::setCalibration(float cents) {
    Guard guard(toneLock);
    calibOut = cents;
    for (SynthTone& tone : tones)
        retune(tone);
}

// Under the lock, unlike the tones' own record: the synthesizer thread
// counts nextBeat down while the user-interface thread may set it.
void FrequencySynth::setMetronome(float rate) {
    if (!(rate >= 1.0f))
        rate = 0.0f;
    Guard guard(toneLock);
    if (rate == metronomeRate)
        return;
    const bool wasOff = metronomeRate == 0.0f;
    metronomeRate = rate;
    if (rate == 0.0f) {
        beatPeriod = -1;
        nextBeat = -1;
        return;
    }
    beatPeriod = static_cast<int>(SAMPLES_PER_MINUTE / rate);
    // Switched on, the beat starts at once; a new tempo takes one period.
    nextBeat = wasOff ? 0 : beatPeriod;
}

float FrequencySynth::getMetronomeRate() {
    Guard guard(toneLock);
    return metronomeRate;
}

std::vector<SynthTone> FrequencySynth::getTones() {
    Guard guard(toneLock);
    return tones;
}

// Called on the user-interface thread, which owns the measurement settings;
// the value reaches the synthesizer thread under the lock.
void FrequencySynth::dataChanged(int event) {
    if (event == MeasurementSettingsChanged)
        setCalibration(DataStructure::getInstance().getCalibOut());
}

float FrequencySynth::sine(float x) const {
    int i = static_cast<int>(x * 100.0f) % SINE_ENTRIES;
    if (i < 0)
        i += SINE_ENTRIES;
    return sineTable[i];
}

void FrequencySynth::advance(SynthTone& tone) const {
    if (tone.increment >= LOW_LIMIT) {
        tone.phase += tone.increment;
        if (tone.phase > TWO_PI)
            tone.phase -= TWO_PI;
        return;
    }
    tone.slowPhase += tone.increment;
    switch (tone.shape) {
    case 1:
        tone.phase += LOW_LIMIT;
        if (tone.phase >= HALF_PI)
            tone.shape = 2;
        break;
    case 2:
        if (tone.slowPhase >= HALF_PI)
            tone.shape = -1;
        break;
    case -1:
        tone.phase += LOW_LIMIT;
        if (tone.phase >= THREE_HALF_PI)
            tone.shape = -2;
        break;
    default:
        if (tone.slowPhase >= THREE_HALF_PI) {
            tone.shape = 1;
            tone.phase -= TWO_PI;
            tone.slowPhase -= TWO_PI;
        }
        break;
    }
}

void FrequencySynth::writeClick(std::uint8_t* out, int position) {
    const int samples = bufferBytes / 2;
    for (; clickCycle < CLICK_CYCLES && position < samples; ++position) {
        if (clickHigh < CLICK_HALF) {
            writeSample(out, position, CLICK_LEVEL);
            ++clickHigh;
            continue;
        }
        writeSample(out, position, -CLICK_LEVEL);
        if (++clickLow == CLICK_HALF) {
            ++clickCycle;
            clickHigh = 0;
            clickLow = 0;
        }
    }
}

void FrequencySynth::render(WaveBuffer& buffer) {
    Guard guard(toneLock);
    std::uint8_t* out = buffer.header.data;
    const int samples = bufferBytes / 2;
    for (int n = 0; n < samples; ++n) {
        float sum = 0.0f;
        for (SynthTone& tone : tones) {
            sum += sine(tone.phase) * tone.gain;
            advance(tone);
            if (tone.envelope == FadingIn) {
                tone.gain += ENVELOPE_STEP;
                if (tone.gain >= 1.0f) {
                    tone.gain = 1.0f;
                    tone.envelope = Steady;
                }
            } else if (tone.envelope == FadingOut) {
                tone.gain -= ENVELOPE_STEP;
                if (tone.gain <= 0.0f) {
                    tone.gain = 0.0f;
                    tone.envelope = Finished;
                }
            }
        }
        writeSample(out, n, toSample(sum * OUTPUT_SCALE));
    }
    std::erase_if(tones, [](const SynthTone& tone) { return tone.envelope == Finished; });

    if (beatPeriod <= 0)
        return;
    writeClick(out, 0);
    while (nextBeat < samples) {
        clickCycle = 0;
        clickHigh = 0;
        clickLow = 0;
        writeClick(out, nextBeat);
        nextBeat += beatPeriod;
    }
    nextBeat -= samples;
}

void FrequencySynth::run() {
    // Without a device the loop still runs, silently, until it is stopped.
    if (audioBackend().openOutput([this] { bufferDone.set(); }, output) != AUDIO_OK)
        output.reset();
    for (WaveBuffer*& header : headers) {
        header = buffers.acquire(bufferBytes);
        if (!header)
            continue;
        render(*header);
        if (output)
            output->write(header->header);
    }
    while (running) {
        for (WaveBuffer* header : headers) {
            if (!header || !(header->header.flags & BUFFER_DONE))
                continue;
            header->header.flags = 0;
            render(*header);
            if (output)
                output->write(header->header);
        }
        bufferDone.wait();
    }
    if (output) {
        output->reset();
        output.reset();
    }
    for (WaveBuffer*& header : headers) {
        buffers.release(header);
        header = nullptr;
    }
}

} // namespace tonvela
