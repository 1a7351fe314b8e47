#pragma once

#include "analysis/AnalysisResultPro.h"
#include "analysis/AnalysisResultStd.h"
#include "analysis/TargetData.h"

#include <memory>

namespace tonvela::gallery {

// A sine 3.46 cents above A4 in the current scale settings, captured through
// a stepped virtual input and measured as the analysis thread measures it: ten
// standard passes in Accurate mode, ten in Standard mode, and one precise
// analysis. `seed` seeds the capture's jitter.
struct SharpTone {
    static constexpr double CENTS = 3.46;

    TargetData target;
    std::unique_ptr<AnalysisResultStd> standard;
    std::unique_ptr<AnalysisResultStd> fast;
    std::unique_ptr<AnalysisResultPro> precise;
};

SharpTone measureSharpA4(int seed);

} // namespace tonvela::gallery
