#pragma once

#include "state/TonvelaDoc.h"

#include <QWidget>

#include <memory>

namespace tonvela {

class AnalysisClock;
class MeasuringTool;
struct WindowHandle;

// The view filling the main window's client area. Its one child is the tuner
// panel, which covers all of it and paints every pixel, so the view itself
// never erases. The panel goes with the view: its threads stop and its
// layout is saved before the frame is gone.
class TonvelaView : public QWidget, public DocumentView {
    Q_OBJECT
public:
    // clock: the panel's analysis time base, borrowed; null measures in real
    // time.
    TonvelaView(TonvelaDoc& document, QWidget* parent, AnalysisClock* clock = nullptr);
    ~TonvelaView() override;

    TonvelaDoc& getDocument() { return document; }
    // The view as a window of the window layer, parent of the panel.
    WindowHandle* handle() const { return viewHandle; }
    MeasuringTool* getMeasuringTool() const { return panel.get(); }

    void OnUpdate() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    TonvelaDoc& document;
    WindowHandle* viewHandle = nullptr;
    std::unique_ptr<MeasuringTool> panel;
};

} // namespace tonvela
