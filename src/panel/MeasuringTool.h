#pragma once

#include "analysis/AnalysisResultIfc.h"
#include "analysis/TargetData.h"
#include "analysis/UpdateThread.h"
#include "panel/ChartControl.h"
#include "panel/DeviationControl.h"
#include "panel/DisplayControl.h"
#include "panel/OctaveKeyboard.h"
#include "panel/ProtocolControl.h"
#include "panel/StrobeControl.h"
#include "panel/TargetFollower.h"
#include "panel/ToneScaleControl.h"
#include "panel/WindowResultReceiver.h"
#include "state/DataStructureListener.h"
#include "state/MeasuringToolConfig.h"
#include "tools/FrequencySynth.h"
#include "tuning/ToneScaleListener.h"
#include "widgets/Button.h"
#include "widgets/ToggleButton.h"
#include "widgets/Window.h"

#include <array>
#include <memory>
#include <string>

namespace tonvela {

class AnalysisClock;
class DataStructure;
class ResourceManager;
class ToneScaleCollection;

// The tuner panel: holds every display of the tuner, owns the target note,
// the analysis thread that measures against it, the recent results and the
// program's one tone generator. Each result arrives as WM_ANALYSIS_RESULT;
// the panel decides whether it is shown, replaced by an older one or used to
// move the target, and hands the chosen one to the displays.
class MeasuringTool : public Window, public ToneScaleListener, public DataStructureListener {
public:
    static constexpr int NoteCount = TargetFollower::NoteCount;
    static constexpr int StartNote = 57; // A4
    static constexpr int ButtonRowHeight = 24;
    static constexpr int ButtonWidth = 30;
    static constexpr int TuningInfoHeight = 66;
    static constexpr int StrobeHeight = 30;
    static constexpr int DeviationHeight = 60;
    static constexpr int ToggleCount = 8;
    static constexpr int TransposeCount = 6;
    static constexpr int KeyboardCount = 8;

    // Indices of the toggles, in the order of the button row.
    enum Toggle {
        ToggleTuningInfo,
        ToggleStrobe,
        ToggleDeviation,
        ToggleChart,
        ToggleProtocol,
        ToggleKeyboard,
        ToggleZoom,
        ToggleReferenceTone
    };

    // Starts the analysis and the synthesizer threads. state (scale settings,
    // protocol, measurement settings) and resources are borrowed and outlive
    // the panel. clock: the analysis thread's time base, borrowed; null
    // measures in real time.
    MeasuringTool(const std::string& className, const std::string& windowName, unsigned style,
                  WindowHandle* parent, DataStructure& state, const ResourceManager& resources,
                  AnalysisClock* clock = nullptr);
    // Saves the layout flags and stops both threads before anything they
    // read goes.
    ~MeasuringTool() override;
    MeasuringTool(const MeasuringTool&) = delete;
    MeasuringTool& operator=(const MeasuringTool&) = delete;

    LResult handleMessage(WindowHandle* hwnd, unsigned message, WParam wParam,
                          LParam lParam) override;
    void toneScaleChanged() override;
    void dataChanged(int event) override;

    // n is clamped to 0..95; a new note clears the displays and the results.
    void setTargetNote(int n);
    void shiftTarget(int k) { setTargetNote(target.note + k); }
    // Frequency and label of the target from the scale settings.
    void refreshTarget();
    // Takes over r.
    void onResult(std::unique_ptr<AnalysisResultIfc> r);
    void layout();
    void applyZoom();
    void syncToggleButtons();
    void setReferenceTone(bool on);
    void updateTransposeButtons();

    // For the host: the menu's "Clear Protocol", and the tone generator of
    // the synthesizer and metronome dialogs.
    ProtocolControl& getProtocolControl() { return protocolControl; }
    FrequencySynth& getSynth() { return synth; }

    const TargetData& getTarget() const { return target; }
    const AnalysisResultIfc* getCurrentResult() const { return currentResult; }
    const MeasuringToolConfig& getConfig() const { return config; }
    const ResultBuffer& getResults() const { return follower.getResults(); }
    int getReferenceTone() const { return referenceTone; }
    int getSettleCountdown() const { return follower.getSettleCountdown(); }
    const ToneScaleControl& getToneScaleControl() const { return toneScaleControl; }
    const DisplayControl& getDisplayControl() const { return displayControl; }
    const StrobeControl& getStrobeControl() const { return strobeControl; }
    const DeviationControl& getDeviationControl() const { return deviationControl; }
    const ChartControl& getChartControl() const { return chartControl; }
    const OctaveKeyboard& getKeyboard(int i) const { return keyboards[i]; }
    const ToggleButton& getToggle(int i) const { return toggles[i]; }
    const Button& getTransposeButton(int j) const { return transposeButtons[j]; }

private:
    // held: r is an earlier result kept on the displays while nothing is
    // being measured.
    void showResult(const AnalysisResultIfc* r, bool held = false);
    void onCommand(WindowHandle* sender);
    void paint();
    void layoutKeyboards(int x, int y, int w, int& h);

    DataStructure& state;
    ToneScaleCollection& toneScales;
    ToneScaleControl toneScaleControl;
    DisplayControl displayControl;
    StrobeControl strobeControl;
    DeviationControl deviationControl;
    ChartControl chartControl;
    ProtocolControl protocolControl;
    std::array<OctaveKeyboard, KeyboardCount> keyboards;
    std::array<ToggleButton, ToggleCount> toggles;
    std::array<Button, TransposeCount> transposeButtons;
    UpdateThread analysisThread;
    TargetData target{0, 0.0f, ""};
    // What every display shows now; lives in the follower's results.
    const AnalysisResultIfc* currentResult = nullptr;
    MeasuringToolConfig config;
    Brush background;
    // The synthesizer's id of the reference tone: -1 never started, 0
    // stopped, playing when above 0.
    int referenceTone = -1;
    FrequencySynth synth;
    TargetFollower follower{toneScales};
    // Posts the analysis thread's results to this panel's window.
    WindowResultReceiver receiver;
};

} // namespace tonvela
