#pragma once

#include "platform/audio/AudioBackend.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace tonvela {

// A mono recording, samples in -1..1 full scale, at its own rate.
struct Recording {
    std::vector<float> samples;
    unsigned sampleRate = 0;
};

// A sound file played from disk as it is needed, so a recording of any
// length takes little memory.
struct RecordingFile {
    std::string path;
    unsigned sampleRate = 0;
    std::uint64_t frames = 0; // as many as the file really holds
};

// Recordings whose sample rate lies outside this range are refused, as a
// damaged header rather than music: below it most notes of the tuner lie
// above the Nyquist frequency (and a few seconds of samples would play for
// hours), above it no sound card records.
constexpr unsigned MIN_RECORDING_RATE = 4000;
constexpr unsigned MAX_RECORDING_RATE = 768000;

// Reads any format libsndfile reads and mixes all channels to mono (their
// average). Integer samples keep libsndfile's scale (16-bit s reads as
// s / 32768). False, with a message in `error`, when the file cannot be read,
// has a sample rate outside MIN_RECORDING_RATE..MAX_RECORDING_RATE or holds
// no samples.
bool readRecording(const std::string& path, Recording& out, std::string& error);
// Checks a sound file as readRecording does and counts its frames by reading
// it through, keeping none of them: the length a header declares decides
// nothing. False, with a message in `error`, as readRecording.
bool openRecordingFile(const std::string& path, RecordingFile& out, std::string& error);

// One virtual input device: its name, the formats it reports, how it fails,
// and the signal it plays.
//
// Samples are quantised as a sound card would: 16-bit = round(x * 32768)
// clamped to -32768..32767, 8-bit = round(x * 128) + 128 clamped to 0..255,
// the scale libsndfile reads with, so 16- and 8-bit recordings play bit for bit.
//
// A device playing a recording reports the 16- and 8-bit flags of the
// recording's own rate when that is 44100, 22050 or 11025 Hz, otherwise the
// 44100 Hz flags. Opened at another rate than the recording's, it resamples
// with a Kaiser-windowed sinc (32 zero crossings, cut off at 95 % of the lower
// Nyquist frequency). Sample positions are exact, so a tone keeps its pitch;
// a tone up to 84 % of the lower Nyquist frequency comes out within one
// 16-bit step of the ideal sine at the new rate.
//
// Any of the six mono formats opens unless its flag is in failingFormats (or
// failOpen is set), also one the device does not report, as the capture
// driver's last try expects of a real device.
struct VirtualInputDevice {
    std::string name = "Virtual Input";
    unsigned formats = MONO_FORMATS;   // flags reported by inputCapabilities
    int capabilitiesResult = AUDIO_OK; // non-zero: inputCapabilities fails with it
    unsigned failingFormats = 0;       // flags whose open fails with AUDIO_BAD_FORMAT
    bool failOpen = false;             // every open fails (AUDIO_ALLOCATED)
    // RealTime: a thread fills one buffer per buffer duration of wall time
    // while started. Stepped: the caller fills them with step().
    enum class Pacing { RealTime, Stepped } pacing = Pacing::Stepped;
    std::function<double(double seconds)> generator; // signal in -1..1 by time, or:
    std::shared_ptr<const Recording> recording;      // played from its start; silence after the end
    // or, read from disk block by block on every open, as `recording`:
    std::shared_ptr<const RecordingFile> recordingFile;
};

// Sound devices made of signals, for tests and for playing recordings into
// the capture path. Device -1 is the first device. A device is open at most
// once at a time (a second open gives AUDIO_ALLOCATED). Every buffer-done
// callback comes from a backend thread or from step(), never from inside a
// call of the device's owner. The output device plays on its own thread, in
// real time or at once (setOutputPacing). The backend must outlive its devices.
class VirtualAudioBackend : public AudioBackend {
public:
    VirtualAudioBackend();
    ~VirtualAudioBackend() override;

    int addInputDevice(VirtualInputDevice device); // returns its index
    // Stepped devices: fills the next queued buffer of the open, started
    // device with the next stretch of signal, marks it done, invokes the
    // callback, then waits (at most 5 s) until the owner has queued that
    // buffer again, i.e. consumed it. A device opened but not yet started is
    // waited for (at most 5 s), since its owner's thread starts it. False when
    // the device is not open and started, has no buffer queued, failed, or the
    // owner did not re-queue in time.
    bool step(int device);
    // The open device records `frames` frames of its signal while its owner
    // has no buffer queued: they are lost, and the next buffer it fills is
    // marked as following a gap. False when the device is not open.
    bool loseInput(int device, std::uint64_t frames);
    // Makes the open device vanish: it delivers no more buffers; stop, reset
    // and close still work. A later open of the device works again.
    void failDevice(int device);
    // The format the device was last opened with (rate 0 while never opened).
    PcmFormat openedFormat(int device) const;
    // Output: samples written to the virtual output device, in order.
    std::vector<std::int16_t> outputSamples() const;
    // While set, openOutput fails with AUDIO_BAD_DEVICE_ID.
    void setOutputFails(bool fails);
    // RealTime (the default): a written buffer is done one buffer duration (at
    // 44100 Hz) after the one before, so a synthesizer that always plays does
    // not race. Immediate: done at once. Stepped: a written buffer waits for
    // stepOutput(). keepSamples false stops recording the output, so a long
    // run does not gather it all.
    enum class OutputPacing { Immediate, RealTime, Stepped };
    void setOutputPacing(OutputPacing pacing, bool keepSamples = true);
    // Stepped output: plays the first buffer written to the open output
    // (waiting at most 5 s for one), reports it from the calling thread, then
    // waits (at most 5 s) until the owner has written that buffer again, i.e.
    // refilled it. False when no output is open, nothing was written in time,
    // or the buffer was not written again in time.
    bool stepOutput();

    int inputDeviceCount() override;
    int inputCapabilities(int device, InputCapabilities& capabilities) override;
    int openInput(int device, const PcmFormat& format, BufferDoneCallback onDone,
                  std::unique_ptr<AudioInput>& input) override;
    int openOutput(BufferDoneCallback onDone, std::unique_ptr<AudioOutput>& output) override;

private:
    friend class VirtualInput;
    friend class VirtualOutput;

    struct Slot;
    struct Session;
    struct OutputSession;
    // Fills the first queued buffer of a session; lock held. Returns it.
    AudioBuffer* deliver(Session& session);
    void pace(const std::shared_ptr<Session>& session);
    void play(const std::shared_ptr<OutputSession>& session);
    // Takes the first queued buffer of an output, records it and marks it
    // done; lock held. Returns it.
    AudioBuffer* playFront(OutputSession& session);
    int resolve(int device) const;

    mutable std::mutex lock;
    std::condition_variable changed;
    std::vector<std::unique_ptr<Slot>> devices;
    std::vector<std::int16_t> played;
    std::weak_ptr<OutputSession> currentOutput;
    bool outputFails = false;
    OutputPacing outputPacing = OutputPacing::RealTime;
    bool keepOutput = true;
};

} // namespace tonvela
