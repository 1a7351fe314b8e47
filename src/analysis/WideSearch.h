#pragma once

#include "analysis/FFT.h"
#include "runtime/Complex.h"

#include <memory>
#include <vector>

namespace tonvela {

class AnalysisResultIfc;
class CaptureDriver;

// The search over the whole range of the tuner, run only when a result found
// no valid reading on the grid around its target: the fundamental of the tone
// being played, whatever note it is, so that automatic tone detection can go
// straight to it. It takes the strongest partial of one window and the
// lowest fundamental whose harmonic series explains the window's partials
// nearly as well as any, so a tone without its fundamental is still named
// by it. Nothing is found in noise or across lost input; a start or an end
// in the window can mislead it, so its users wait for several results that
// agree.
class WideSearch {
public:
    WideSearch();
    virtual ~WideSearch();
    WideSearch(const WideSearch&) = delete;
    WideSearch& operator=(const WideSearch&) = delete;

    // The fundamental in Hz, 0 when none was found.
    float find(CaptureDriver& driver);
    // For an invalid result: stores what find() gives as the played frequency.
    void markPlayed(AnalysisResultIfc& result, CaptureDriver& driver);

private:
    // The summed amplitude of the partials of f0 in the spectrum.
    double seriesStrength(double f0) const;

    std::unique_ptr<FFT> fft;
    std::vector<Complex> samples;
    std::vector<double> amplitudes;
    double binWidth = 0.0;
    int size = 0;
};

} // namespace tonvela
