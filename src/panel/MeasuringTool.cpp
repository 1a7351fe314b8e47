#include "panel/MeasuringTool.h"

#include "platform/gui/DrawingContext.h"
#include "platform/gui/WindowSystem.h"
#include "resources/IconIds.h"
#include "resources/StringIds.h"
#include "runtime/Messages.h"
#include "state/DataStructure.h"
#include "tuning/ToneScaleCollection.h"
#include "widgets/ResourceManager.h"

#include <algorithm>
#include <cstdint>

namespace tonvela {

namespace {

// The semitones of the transpose buttons, in the order of the button row.
constexpr int TransposeSteps[MeasuringTool::TransposeCount] = {-12, -7, -1, 1, 7, 12};

// The width of a keyboard's black key, in half widths per nominal keyboard
// width.
constexpr int BlackKeyDivisor = 28;

} // namespace

MeasuringTool::MeasuringTool(const std::string& className, const std::string& windowName,
                             unsigned style, WindowHandle* parent, DataStructure& state,
                             const ResourceManager& resources, AnalysisClock* clock)
    : Window(className, windowName, style, parent), state(state), toneScales(state.getToneScales()),
      toneScaleControl(handle, toneScales, resources), displayControl(handle, resources),
      strobeControl(handle), deviationControl(handle, resources), chartControl(handle, resources),
      protocolControl(handle, state.getProtocol(), toneScales, resources),
      keyboards{{OctaveKeyboard(handle, resources), OctaveKeyboard(handle, resources),
                 OctaveKeyboard(handle, resources), OctaveKeyboard(handle, resources),
                 OctaveKeyboard(handle, resources), OctaveKeyboard(handle, resources),
                 OctaveKeyboard(handle, resources), OctaveKeyboard(handle, resources)}},
      toggles{
          {ToggleButton(handle, IconShowTuningInfo, ""), ToggleButton(handle, IconShowStrobe, ""),
           ToggleButton(handle, IconShowDeviation, ""), ToggleButton(handle, IconShowChart, ""),
           ToggleButton(handle, IconShowProtocol, ""), ToggleButton(handle, IconShowKeyboard, ""),
           ToggleButton(handle, IconZoom, ""), ToggleButton(handle, IconReferenceTone, "")}},
      transposeButtons{{Button(handle, IconOctaveDown, ""), Button(handle, IconFifthDown, ""),
                        Button(handle, IconSemitoneDown, ""), Button(handle, IconSemitoneUp, ""),
                        Button(handle, IconFifthUp, ""), Button(handle, IconOctaveUp, "")}},
      analysisThread(clock), receiver(handle) {
    for (int i = 0; i < KeyboardCount; ++i) {
        keyboards[i].octave = i;
    }
    // The arrow and page keys work while the panel has the focus: a click
    // anywhere on it, its displays and its buttons included, gives it the
    // focus, and no button keeps it.
    setWindowFocusable(handle, true);
    // The icon buttons say in words what they do, as tooltip and to a
    // screen reader.
    for (int i = 0; i < ToggleCount; ++i) {
        setWindowFocusable(toggles[i].getHandle(), false);
        setWindowDescription(toggles[i].getHandle(), resources.loadString(IDS_TIP_TUNING_INFO + i));
    }
    for (int j = 0; j < TransposeCount; ++j) {
        setWindowFocusable(transposeButtons[j].getHandle(), false);
        setWindowDescription(transposeButtons[j].getHandle(),
                             resources.loadString(IDS_TIP_OCTAVE_DOWN + j));
    }
    setWindowFocusable(protocolControl.getAutoCheck().getHandle(), false);
    setWindowFocusable(protocolControl.getRecordButton().getHandle(), false);
    setWindowFocusable(protocolControl.getRemoveButton().getHandle(), false);

    layout();
    protocolControl.setTarget(target);
    setTargetNote(StartNote);
    background = resources.backgroundBrush;

    config.load();
    applyZoom();
    syncToggleButtons();

    toneScales.addListener(this);
    state.addListener(this);

    analysisThread.setReceiver(&receiver);
    analysisThread.resume();
    synth.resume();
}

MeasuringTool::~MeasuringTool() {
    config.save();
    toneScales.removeListener(this);
    state.removeListener(this);
    // The thread copies the target and posts to this window: it ends before
    // either goes. Results it posted and nobody delivered go with the window.
    analysisThread.stop();
    // No display may keep a record that the buffer destroys.
    showResult(nullptr);
    follower.clear();
    synth.stop();
}

LResult MeasuringTool::handleMessage(WindowHandle* hwnd, unsigned message, WParam wParam,
                                     LParam lParam) {
    switch (message) {
    case WM_SIZE:
        layout();
        break;
    case WM_PAINT:
        paint();
        return 0;
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_PRIOR:
            shiftTarget(12);
            break;
        case VK_NEXT:
            shiftTarget(-12);
            break;
        case VK_UP:
        case VK_RIGHT:
            shiftTarget(1);
            break;
        case VK_DOWN:
        case VK_LEFT:
            shiftTarget(-1);
            break;
        default:
            break;
        }
        return 0;
    case WM_COMMAND:
        if (hiWord(wParam) == BN_CLICKED) {
            onCommand(handleFromLParam(lParam));
        }
        break;
    case WM_TARGET_NOTE:
        // A note index as a signed 32-bit number, so a negative one clamps to 0.
        setTargetNote(static_cast<std::int32_t>(static_cast<std::uint32_t>(wParam)));
        break;
    case WM_ANALYSIS_RESULT:
        onResult(std::unique_ptr<AnalysisResultIfc>(reinterpret_cast<AnalysisResultIfc*>(wParam)));
        return 0;
    default:
        break;
    }
    return Window::handleMessage(hwnd, message, wParam, lParam);
}

void MeasuringTool::onCommand(WindowHandle* sender) {
    if (!sender) {
        return;
    }
    bool* const flags[] = {&config.showTuningInfo, &config.showStrobe,   &config.showDeviation,
                           &config.showChart,      &config.showProtocol, &config.showKeyboard};
    for (int i = ToggleTuningInfo; i <= ToggleKeyboard; ++i) {
        if (sender == toggles[i].getHandle()) {
            *flags[i] = toggles[i].isChecked();
            layout();
            return;
        }
    }
    if (sender == toggles[ToggleZoom].getHandle()) {
        config.zoom = toggles[ToggleZoom].isChecked();
        applyZoom();
        return;
    }
    if (sender == toggles[ToggleReferenceTone].getHandle()) {
        setReferenceTone(toggles[ToggleReferenceTone].isChecked());
        return;
    }
    for (int j = 0; j < TransposeCount; ++j) {
        if (sender == transposeButtons[j].getHandle()) {
            shiftTarget(TransposeSteps[j]);
            return;
        }
    }
}

void MeasuringTool::paint() {
    DrawingContext dc = DrawingContext::forPaint(handle);
    if (dc.isValid()) {
        dc.fillRect(dc.clientRect(), background);
    }
}

void MeasuringTool::toneScaleChanged() {
    refreshTarget();
}

void MeasuringTool::dataChanged(int event) {
    if (event == MeasurementSettingsChanged) {
        refreshTarget();
    }
}

void MeasuringTool::onResult(std::unique_ptr<AnalysisResultIfc> r) {
    if (!r) {
        return;
    }
    const TargetFollower::Switches on{state.getAutoSwap() == 1, state.getAutoMeasure() == 1};
    TargetFollower::Decision d = follower.take(std::move(r), target, on);
    showResult(d.shown, d.held);
    // Shown first, buffered after: taking it may destroy the record the
    // displays showed until now.
    follower.keep(std::move(d.record));
    if (d.moveBy != 0) {
        shiftTarget(d.moveBy);
    } else if (d.moveTo >= 0) {
        setTargetNote(d.moveTo);
    }
}

void MeasuringTool::showResult(const AnalysisResultIfc* r, bool held) {
    // Set before the result, so a live result never shows for a moment as
    // held nor a held one as live.
    held = held && r != nullptr;
    displayControl.setHeld(held);
    strobeControl.setHeld(held);
    if (r == currentResult) {
        return;
    }
    displayControl.setResult(r);
    strobeControl.setResult(r);
    chartControl.setResult(r);
    deviationControl.setResult(r);
    protocolControl.setResult(r);
    currentResult = r;
}

void MeasuringTool::setTargetNote(int n) {
    n = std::clamp(n, 0, NoteCount - 1);
    if (n == target.note) {
        return;
    }
    const int old = target.note;
    target.setNote(n);
    refreshTarget();
    if (old / 12 != n / 12) {
        keyboards[old / 12].setHighlight(-1);
    }
    // The keyboard sends the note back; it is the target already.
    keyboards[n / 12].setHighlight(n % 12);
    updateTransposeButtons();
    showResult(nullptr);
    follower.restart();
}

void MeasuringTool::refreshTarget() {
    const std::string name = toneScales.getNoteLabel(target.note);
    const float frequency = toneScales.getNoteFrequency(target.note);
    target.update(frequency, target.note, name);
    analysisThread.setTarget(&target);
    displayControl.setTarget(target);
    protocolControl.targetChanged();
    if (referenceTone > 0) {
        synth.removeTone(referenceTone);
        referenceTone = synth.addTone(target.frequency);
    }
}

void MeasuringTool::setReferenceTone(bool on) {
    if ((referenceTone > 0) == on) {
        return;
    }
    if (on) {
        referenceTone = synth.addTone(target.frequency);
    } else {
        synth.removeTone(referenceTone);
        referenceTone = 0;
    }
}

void MeasuringTool::updateTransposeButtons() {
    const int t = target.note;
    for (int j = 0; j < TransposeCount; ++j) {
        const int to = t + TransposeSteps[j];
        transposeButtons[j].setEnabled(to >= 0 && to < NoteCount);
    }
}

void MeasuringTool::applyZoom() {
    deviationControl.setZoom(config.zoom);
    chartControl.setZoom(config.zoom);
    strobeControl.setZoom(config.zoom);
}

void MeasuringTool::syncToggleButtons() {
    const bool flags[ToggleCount] = {
        config.showTuningInfo, config.showStrobe,   config.showDeviation, config.showChart,
        config.showProtocol,   config.showKeyboard, config.zoom,          false};
    for (int i = 0; i < ToggleCount; ++i) {
        toggles[i].setChecked(flags[i]);
    }
}

void MeasuringTool::layout() {
    const Rect client = getClientRect(handle);
    const int m = config.margin;
    const int s = config.spacing;
    const int x = client.left + m;
    int y = client.top + m;
    const int w = client.right - client.left - 2 * m;
    // What is left for the displays above the button row.
    int h = client.bottom - client.top - 2 * m - s - ButtonRowHeight;

    // A display that is on but does not fit takes the rest of the height, so
    // every display after it is hidden too.
    bool shown = false;
    if (config.showTuningInfo) {
        if (h < s + TuningInfoHeight) {
            h = 0;
        } else {
            const int w1 = (w - s) / 2;
            toneScaleControl.setPosition(x, y, w1, TuningInfoHeight);
            displayControl.setPosition(x + w1 + s, y, w - w1 - s, TuningInfoHeight);
            y += TuningInfoHeight + s;
            h -= TuningInfoHeight + s;
            shown = true;
        }
    }
    toneScaleControl.setVisible(shown);
    displayControl.setVisible(shown);

    shown = false;
    if (config.showStrobe) {
        if (h >= s + StrobeHeight) {
            strobeControl.setPosition(x, y, w, StrobeHeight);
            y += StrobeHeight + s;
            h -= StrobeHeight + s;
            shown = true;
        } else {
            h = 0;
        }
    }
    strobeControl.setVisible(shown);

    shown = false;
    if (config.showDeviation) {
        if (h >= s + DeviationHeight) {
            deviationControl.setPosition(x, y, w, DeviationHeight);
            y += DeviationHeight + s;
            h -= DeviationHeight + s;
            shown = true;
        } else {
            h = 0;
        }
    }
    deviationControl.setVisible(shown);

    if (config.showKeyboard) {
        layoutKeyboards(x, y, w, h);
    } else {
        for (OctaveKeyboard& keyboard : keyboards) {
            keyboard.setVisible(false);
        }
    }

    // Chart and protocol share what is left.
    const bool both = config.showChart && config.showProtocol;
    const int hc = both ? (h - s) / 2 : h;
    const int hp = both ? h - hc - s : h;
    shown = false;
    if (config.showChart && h >= 1) {
        chartControl.setPosition(client.left + m, y, w, hc);
        y += hc + s;
        h -= hc + s;
        shown = true;
    }
    chartControl.setVisible(shown);

    shown = false;
    if (config.showProtocol && h >= 1) {
        protocolControl.setPosition(client.left + m, y, w, hp);
        shown = true;
    }
    protocolControl.setVisible(shown);

    // The button row, always: the toggles from the left, the transpose
    // buttons at the right margin when the panel is wide enough, otherwise
    // after the toggles.
    const int step = ButtonWidth + s;
    const int yb = client.bottom - m - ButtonRowHeight;
    for (int i = 0; i < ToggleCount; ++i) {
        toggles[i].setPosition(client.left + m + i * step, yb, ButtonWidth, ButtonRowHeight);
    }
    const int rowWidth = (ToggleCount + TransposeCount) * ButtonWidth;
    const int gap = std::max(0, w - (ToggleCount + TransposeCount - 1) * s - rowWidth);
    for (int j = 0; j < TransposeCount; ++j) {
        transposeButtons[j].setPosition(client.left + m + ToggleCount * step + gap + j * step, yb,
                                        ButtonWidth, ButtonRowHeight);
    }
}

void MeasuringTool::layoutKeyboards(int x, int y, int w, int& h) {
    const int s = config.spacing;
    const int rows = config.keyboardTwoRows ? 2 : 1;
    const int span = rows * w;
    // Nominal width of one keyboard, and the height that keeps its keys in
    // proportion: the label strip plus 0.6 of the width.
    const int kw = span / KeyboardCount;
    const int kh =
        keyboards[0].labelHeight - static_cast<int>(static_cast<float>(span) * -0.6f * 0.125f);
    const int perRow = KeyboardCount / rows;

    // Spreads keyboards first..first+perRow-1 over w; neighbours share one
    // pixel column.
    auto placeRow = [&](int first, int top) {
        int wr = w;
        int xk = x;
        for (int i = 0; i < perRow; ++i) {
            const int wi = wr / (perRow - i);
            keyboards[first + i].setPosition(xk, top, wi, kh);
            xk += wi - 1;
            wr -= wi - 1;
        }
    };

    bool fits = h >= rows * kh + s;
    if (fits) {
        if (rows == 1) {
            placeRow(0, y + h - kh);
        } else {
            placeRow(0, y + h - kh);
            placeRow(perRow, y + h - 2 * kh);
        }
        // A row that does not fit leaves the height to chart and protocol.
        h -= rows * kh + s;
    }
    for (OctaveKeyboard& keyboard : keyboards) {
        keyboard.blackKeyHalfWidth = std::max(1, kw / BlackKeyDivisor);
        keyboard.setVisible(fits);
    }
}

} // namespace tonvela
