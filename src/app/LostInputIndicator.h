#pragma once

#include <QLabel>

#include <functional>

class QTimer;

namespace tonvela {

// A status-bar pane that says how often sound input was lost (the device
// recorded while the program had no buffer for it, or reported an overflow):
// readings across such a gap are invalid, so a tuner who sees no result can
// tell why. Hidden while nothing was lost; the count is read once a second.
class LostInputIndicator : public QLabel {
public:
    LostInputIndicator(std::function<int()> count, QWidget* parent = nullptr);
    // Reads the count now.
    void refresh();

private:
    std::function<int()> count;
    int shown = -1;
};

} // namespace tonvela
