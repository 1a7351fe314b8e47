#include "app/TonvelaView.h"

#include "panel/MeasuringTool.h"
#include "platform/gui/QtBridge.h"
#include "platform/gui/WindowStyles.h"
#include "platform/gui/WindowSystem.h"

#include <QResizeEvent>

namespace tonvela {

TonvelaView::TonvelaView(TonvelaDoc& document, QWidget* parent, AnalysisClock* clock)
    : QWidget(parent), document(document) {
    setObjectName(QStringLiteral("TonvelaView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    viewHandle = adoptWidget(this);
    panel = std::make_unique<MeasuringTool>("", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                            viewHandle, clock);
    panel->setPosition(0, 0, width(), height());
    document.addView(this);
}

TonvelaView::~TonvelaView() {
    document.removeView(this);
    // Before Qt takes the child windows: the panel stops its threads first.
    panel.reset();
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
