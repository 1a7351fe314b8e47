#pragma once

#include "state/TonvelaDoc.h"

#include <QTimer>
#include <QWidget>

#include <memory>

namespace tonvela {

class AnalysisClock;
class CalibrationCalculatorDialog;
class CentCalculator;
class DataStructure;
class FreqSynthDialog;
class MeasuringTool;
class MetronomeDialog;
class ResourceManager;
struct WindowHandle;

// The view filling the main window's client area. Its one child is the tuner
// panel, which covers all of it and paints every pixel, so the view itself
// never erases. The panel goes with the view: its threads stop and its
// layout is saved before the frame is gone.
//
// The view also keeps the four tool windows of the Tune menu, each made on
// its first command and only shown again later, and the minute timer of the
// usage counter.
class TonvelaView : public QWidget, public DocumentView {
    Q_OBJECT
public:
    // state and resources are handed to the panel, borrowed; they outlive
    // the view. clock: the panel's analysis time base, borrowed; null
    // measures in real time.
    TonvelaView(TonvelaDoc& document, QWidget* parent, DataStructure& state,
                const ResourceManager& resources, AnalysisClock* clock = nullptr);
    ~TonvelaView() override;

    TonvelaDoc& getDocument() { return document; }
    // The view as a window of the window layer, parent of the panel.
    WindowHandle* handle() const { return viewHandle; }
    MeasuringTool* getMeasuringTool() const { return panel.get(); }

    void OnUpdate() override;

    // The first view of the process counts a minute of use and starts the
    // minute timer.
    void onInitialUpdate();
    // One minute of use: may ask for a donation, then waits for the next.
    void onUsageTimer();
    bool usageTimerActive() const { return usageTimer.isActive(); }

    // The tool windows, made on the first call, shown (restored when
    // minimised) on every call.
    CentCalculator* showCentCalculator();
    CalibrationCalculatorDialog* showCalibrationCalculator();
    FreqSynthDialog* showFreqSynthDialog();
    MetronomeDialog* showMetronomeDialog();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    TonvelaDoc& document;
    WindowHandle* viewHandle = nullptr;
    std::unique_ptr<MeasuringTool> panel;
    QTimer usageTimer;
    // Deleted after the panel, whose synthesizer two of them drive.
    std::unique_ptr<CentCalculator> centCalculator;
    std::unique_ptr<CalibrationCalculatorDialog> calibrationCalculator;
    std::unique_ptr<FreqSynthDialog> freqSynthDialog;
    std::unique_ptr<MetronomeDialog> metronomeDialog;
};

} // namespace tonvela
