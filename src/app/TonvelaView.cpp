#include "app/TonvelaView.h"

#include "app/DonationReminder.h"
#include "app/dialogs/CalibrationCalculatorDialog.h"
#include "app/dialogs/CentCalculator.h"
#include "app/dialogs/DialogControls.h"
#include "app/dialogs/FreqSynthDialog.h"
#include "app/dialogs/MetronomeDialog.h"
#include "panel/MeasuringTool.h"
#include "platform/gui/QtBridge.h"
#include "platform/gui/WindowStyles.h"
#include "platform/gui/WindowSystem.h"

#include <QResizeEvent>

namespace tonvela {

namespace {

constexpr int UsageMinute = 60000;

} // namespace

TonvelaView::TonvelaView(TonvelaDoc& document, QWidget* parent, DataStructure& state,
                         const ResourceManager& resources, AnalysisClock* clock)
    : QWidget(parent), document(document) {
    setObjectName(QStringLiteral("TonvelaView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    viewHandle = adoptWidget(this);
    panel = std::make_unique<MeasuringTool>("", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                            viewHandle, state, resources, clock);
    panel->setPosition(0, 0, width(), height());
    document.addView(this);
    usageTimer.setSingleShot(true);
    connect(&usageTimer, &QTimer::timeout, this, &TonvelaView::onUsageTimer);
}

TonvelaView::~TonvelaView() {
    document.removeView(this);
    // Before Qt takes the child windows: the panel stops its threads first.
    panel.reset();
    // Nothing sounds any more: the tool windows may go.
    metronomeDialog.reset();
    freqSynthDialog.reset();
    calibrationCalculator.reset();
    centCalculator.reset();
}

void TonvelaView::onInitialUpdate() {
    if (!beginUsageCounting())
        return;
    addUsageMinute();
    usageTimer.start(UsageMinute);
}

void TonvelaView::onUsageTimer() {
    usageTimer.stop();
    // The question is modal, but the event loop runs on under it: results
    // still reach the panel and the protocol while it is open.
    checkDonationReminder(window());
    usageTimer.start(UsageMinute);
}

CentCalculator* TonvelaView::showCentCalculator() {
    if (!centCalculator)
        centCalculator = std::make_unique<CentCalculator>(this);
    showToolWindow(centCalculator.get());
    return centCalculator.get();
}

CalibrationCalculatorDialog* TonvelaView::showCalibrationCalculator() {
    if (!calibrationCalculator)
        calibrationCalculator = std::make_unique<CalibrationCalculatorDialog>(this);
    showToolWindow(calibrationCalculator.get());
    return calibrationCalculator.get();
}

FreqSynthDialog* TonvelaView::showFreqSynthDialog() {
    if (!freqSynthDialog)
        freqSynthDialog = std::make_unique<FreqSynthDialog>(panel->getSynth(), this);
    showToolWindow(freqSynthDialog.get());
    return freqSynthDialog.get();
}

MetronomeDialog* TonvelaView::showMetronomeDialog() {
    if (!metronomeDialog)
        metronomeDialog = std::make_unique<MetronomeDialog>(panel->getSynth(), this);
    showToolWindow(metronomeDialog.get());
    return metronomeDialog.get();
}

void TonvelaView::OnUpdate() {
    if (panel)
        invalidateRect(panel->getHandle());
}

void TonvelaView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (panel)
        panel->setPosition(0, 0, width(), height());
}

} // namespace tonvela
