#include "gallery/SharpTone.h"

#include "analysis/AnalyzerPro.h"
#include "analysis/AnalyzerStd.h"
#include "analysis/SteppedCapture.h"
#include "audio/CaptureDriver.h"
#include "runtime/Random.h"
#include "state/DataStructure.h"

#include <cmath>
#include <cstdio>

namespace tonvela::gallery {

namespace {

void setAccuracy(int accuracy) {
    MeasurementSettings settings;
    DataStructure::getInstance().getMeasurementSettings(settings);
    settings.accuracy = accuracy;
    DataStructure::getInstance().setMeasurementSettings(settings);
}

} // namespace

SharpTone measureSharpA4(int seed) {
    SharpTone m;
    const ToneScaleCollection& scales = DataStructure::getInstance().getToneScales();
    m.target = TargetData(57, scales.getNoteFrequency(57), scales.getNoteLabel(57));
    tonvela::srand(seed);
    MeasurementSettings saved;
    DataStructure::getInstance().getMeasurementSettings(saved);
    test::SteppedCapture capture;
    capture.signal = test::tone(m.target.frequency * std::pow(2.0, SharpTone::CENTS / 1200.0), {1});
    {
        CaptureDriver driver(0);
        setAccuracy(MeasurementSettings::Accurate);
        AnalyzerStd standard;
        capture.play(0, 6.0);
        m.standard = std::make_unique<AnalysisResultStd>(m.target, 400, 0.5f);
        for (int pass = 0; pass < 10; ++pass) {
            standard.analyze(*m.standard, driver);
            if (pass % 5 == 4) {
                capture.step(0);
            }
        }
        m.standard->evaluate();

        setAccuracy(MeasurementSettings::Standard);
        m.fast = std::make_unique<AnalysisResultStd>(m.target, 200, 1.0f);
        for (int pass = 0; pass < 10; ++pass) {
            standard.analyze(*m.fast, driver);
            if (pass % 5 == 4)
                capture.step(0);
        }
        m.fast->evaluate();

        setAccuracy(MeasurementSettings::MostAccurate);
        AnalyzerPro precise;
        precise.analyze(m.target, driver);
        capture.play(0, precise.getWindowLength() + 0.8);
        m.precise = precise.analyze(m.target, driver);
    }
    DataStructure::getInstance().setMeasurementSettings(saved);
    std::fprintf(stderr,
                 "tonvela-gallery: %s sharp: accurate %s cents, standard %s cents, precise %s "
                 "cents\n",
                 m.target.name.c_str(), m.standard->getCentsText().c_str(),
                 m.fast->getCentsText().c_str(), m.precise->getCentsText().c_str());
    return m;
}

} // namespace tonvela::gallery
