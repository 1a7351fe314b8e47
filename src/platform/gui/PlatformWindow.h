#pragma once

#include <QWidget>

namespace tonvela {

struct WindowRecord;

// The Qt widget behind a FrameworkWindow: turns its Qt events into messages
// and shows the back buffer.
class PlatformWindow : public QWidget {
    Q_OBJECT
public:
    PlatformWindow(WindowRecord* record, QWidget* parent);

    void setRecord(WindowRecord* owner) { record = owner; }
    int startQtTimer(int intervalMs) { return startTimer(intervalMs, Qt::PreciseTimer); }
    void stopQtTimer(int qtId) { killTimer(qtId); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    WindowRecord* record;
};

} // namespace tonvela
