#include "app/TonvelaView.h"

#include "platform/gui/QtBridge.h"
#include "platform/gui/WindowSystem.h"

#include <QResizeEvent>

namespace tonvela {

TonvelaView::TonvelaView(TonvelaDoc& document, QWidget* parent)
    : QWidget(parent), document(document) {
    setObjectName(QStringLiteral("TonvelaView"));
    viewHandle = adoptWidget(this);
    document.addView(this);
}

TonvelaView::~TonvelaView() {
    document.removeView(this);
}

void TonvelaView::OnUpdate() {
    update();
}

void TonvelaView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
}

} // namespace tonvela
