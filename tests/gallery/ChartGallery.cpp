// The spectrum chart at the sizes the panel gives it, without a result and
// with a tone 3.46 cents sharp measured by the standard and the precision
// analyzer, zoomed and not.
#include "gallery/Gallery.h"

#include "analysis/AnalysisResultPro.h"
#include "analysis/AnalysisResultStd.h"
#include "analysis/AnalyzerPro.h"
#include "analysis/AnalyzerStd.h"
#include "analysis/SteppedCapture.h"
#include "audio/CaptureDriver.h"
#include "panel/ChartControl.h"
#include "runtime/Random.h"
#include "state/DataStructure.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>

namespace tonvela::gallery {

namespace {

constexpr double sharpCents = 3.46;

void setAccuracy(int accuracy) {
    MeasurementSettings settings;
    DataStructure::getInstance().getMeasurementSettings(settings);
    settings.accuracy = accuracy;
    DataStructure::getInstance().setMeasurementSettings(settings);
}

struct SharpTone {
    TargetData target;
    std::unique_ptr<AnalysisResultStd> standard;
    std::unique_ptr<AnalysisResultPro> precise;
};

// A sine 3.46 cents above A4, captured through a stepped virtual input and
// measured as the analysis thread measures it (ten standard passes; one
// precise analysis).
SharpTone measureSharpA4() {
    SharpTone m;
    const ToneScaleCollection& scales = DataStructure::getInstance().getToneScales();
    m.target = TargetData(57, scales.getNoteFrequency(57), scales.getNoteLabel(57));
    tonvela::srand(11);
    MeasurementSettings saved;
    DataStructure::getInstance().getMeasurementSettings(saved);
    test::SteppedCapture capture;
    capture.signal = test::tone(m.target.frequency * std::pow(2.0, sharpCents / 1200.0), {1});
    {
        CaptureDriver driver(0);
        setAccuracy(1);
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

        setAccuracy(2);
        AnalyzerPro precise;
        precise.analyze(m.target, driver);
        capture.play(0, precise.getWindowLength() + 0.8);
        m.precise = precise.analyze(m.target, driver);
    }
    DataStructure::getInstance().setMeasurementSettings(saved);
    std::fprintf(stderr, "tonvela-gallery: chart of %s: standard %s cents, precise %s cents\n",
                 m.target.name.c_str(), m.standard->getCentsText().c_str(),
                 m.precise->getCentsText().c_str());
    return m;
}

void chart(Gallery& gallery, int width, int height, const AnalysisResultIfc* result, bool zoom,
           const std::string& name) {
    WindowHandle* host = gallery.host(width, height);
    ChartControl chart(host);
    chart.setPosition(0, 0, width, height);
    chart.setZoom(zoom);
    chart.setResult(result);
    gallery.save(host, name);
}

} // namespace

TONVELA_GALLERY_PAGE(chart) {
    const SharpTone m = measureSharpA4();
    for (const auto& [width, height] : {std::pair{792, 200}, std::pair{600, 150}}) {
        const std::string size = "chart-" + std::to_string(width);
        chart(gallery, width, height, nullptr, false, size + "-none");
        chart(gallery, width, height, m.standard.get(), false, size + "-standard");
        chart(gallery, width, height, m.standard.get(), true, size + "-standard-zoom");
        chart(gallery, width, height, m.precise.get(), false, size + "-precise");
        chart(gallery, width, height, m.precise.get(), true, size + "-precise-zoom");
    }
}

} // namespace tonvela::gallery
