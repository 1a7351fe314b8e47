#pragma once

#include "state/TonvelaDoc.h"

#include <QWidget>

namespace tonvela {

struct WindowHandle;

// The view filling the main window's client area. Its one child is the tuner
// panel, which covers all of it and paints every pixel.
class TonvelaView : public QWidget, public DocumentView {
    Q_OBJECT
public:
    TonvelaView(TonvelaDoc& document, QWidget* parent);
    ~TonvelaView() override;

    TonvelaDoc& getDocument() { return document; }
    // The view as a window of the window layer, parent of the panel.
    WindowHandle* handle() const { return viewHandle; }

    void OnUpdate() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    TonvelaDoc& document;
    WindowHandle* viewHandle = nullptr;
};

} // namespace tonvela
