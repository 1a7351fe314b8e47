#pragma once

namespace tonvela {

// Told by the scale settings of every change of temperament, keynote,
// standard pitch or calibration, on the user-interface thread.
class ToneScaleListener {
public:
    virtual ~ToneScaleListener() = default;
    virtual void toneScaleChanged() = 0;
};

} // namespace tonvela
