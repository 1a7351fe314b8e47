#pragma once

#include "platform/audio/AudioBackend.h"
#include "runtime/Event.h"
#include "runtime/Mutex.h"
#include "runtime/Thread.h"
#include "state/DataStructureListener.h"
#include "tools/WaveBufferManager.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace tonvela {

// One tone of the synthesizer, a value record.
struct SynthTone {
    int id = 0;
    float frequency = 0.0f;
    float calibratedFrequency = 0.0f; // frequency detuned by the output calibration
    float gain = 0.0f;                // 0 .. 1, ramps with the envelope
    float phase = 0.0f;               // radians, in the sine table's range
    float slowPhase = 0.0f;           // true-speed phase of a shaped (low) tone
    float increment = 0.0f;           // radians per sample
    int envelope = 0;                 // 0 fading in, 1 steady, 2 fading out, 3 finished
    int shape = 1;                    // quadrant of the shaped waveform: 1, 2, -1, -2
};

// Plays reference tones and metronome clicks on the default output device:
// a worker thread renders 16-bit mono at 44100 Hz into two alternating
// 100 ms buffers. Tones fade in and out; tones below 300 Hz get a waveform
// with 300 Hz flanks and flat crest and trough, whose overtones carry the
// pitch where a speaker gives little of the fundamental. Every tone is
// detuned by the output calibration.
//
// Created suspended with its priority set; the owner resumes it. Tones and
// the metronome are set from the user-interface thread.
class FrequencySynth : public Thread, public DataStructureListener {
public:
    static constexpr int SAMPLE_RATE = 44100;
    static constexpr int BUFFER_SAMPLES = 4410;
    static constexpr float OUTPUT_SCALE = 5000.0f;
    static constexpr int CLICK_LEVEL = 25600;

    FrequencySynth();
    ~FrequencySynth() override;

    // Starts a tone fading in; returns its id.
    int addTone(float frequency);
    // Fades the tone out; it is deleted after the fade. Unknown ids are ignored.
    void removeTone(int id);
    // Retunes every tone to the output calibration `cents`, keeping phases
    // and gains, so the tone bends without a click.
    void setCalibration(float cents);
    // Clicks per minute; below 1 switches the metronome off. Switching it on
    // clicks at once, then once per beat.
    void setMetronome(float rate);
    // The click rate in beats per minute; 0 while the metronome is off.
    float getMetronomeRate();
    // The tones as they stand, fading ones included, in the order added.
    std::vector<SynthTone> getTones();
    // Ends the thread and closes the output device; the tones stay. Also
    // done by destruction.
    void stop();

    void dataChanged(int event) override;

protected:
    void run() override;

private:
    // Fills one buffer with the tones and clicks of its 100 ms.
    void render(WaveBuffer& buffer);
    void advance(SynthTone& tone) const;
    float sine(float x) const;
    // Writes the rest of the current click from `position` on, up to the end
    // of the buffer.
    void writeClick(std::uint8_t* out, int position);
    void retune(SynthTone& tone) const;

    std::vector<SynthTone> tones;
    std::atomic<bool> running{true};
    ThreadMutex toneLock; // guards tones, the calibration and the metronome
    WaveBufferManager buffers;
    int bufferBytes = BUFFER_SAMPLES * 2;
    float calibOut = 0.0f;
    tonvela::Event bufferDone;
    WaveBuffer* headers[2] = {nullptr, nullptr};
    float metronomeRate = 0.0f;
    int beatPeriod = -1;
    int nextBeat = -1;
    // A new synthesizer has no click under way.
    int clickCycle = 5;
    int clickHigh = 0;
    int clickLow = 0;
    float sineTable[628];
    std::unique_ptr<AudioOutput> output;
};

} // namespace tonvela
