#include "app/LostInputIndicator.h"

#include "resources/StringIds.h"
#include "resources/StringResources.h"

#include <QTimer>

namespace tonvela {

namespace {

constexpr int POLL_MS = 1000;

} // namespace

LostInputIndicator::LostInputIndicator(std::function<int()> count, QWidget* parent)
    : QLabel(parent), count(std::move(count)) {
    setObjectName(QStringLiteral("LostInput"));
    setVisible(false);
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &LostInputIndicator::refresh);
    timer->start(POLL_MS);
}

void LostInputIndicator::refresh() {
    const int lost = count ? count() : 0;
    if (lost == shown)
        return;
    shown = lost;
    setText(QString::fromStdString(loadString(IDS_LOST_INPUT)).arg(lost));
    setAccessibleName(text());
    setVisible(lost > 0);
}

} // namespace tonvela
