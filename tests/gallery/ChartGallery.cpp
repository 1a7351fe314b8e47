// The spectrum chart at the sizes the panel gives it, without a result and
// with a tone 3.46 cents sharp measured by the standard and the precision
// analyzer, zoomed and not.
#include "gallery/Gallery.h"
#include "gallery/SharpTone.h"

#include "analysis/AnalysisResultPro.h"
#include "analysis/AnalysisResultStd.h"
#include "panel/ChartControl.h"
#include "support/DisplayResources.h"

#include <memory>
#include <string>
#include <utility>

namespace tonvela::gallery {

namespace {

void chart(Gallery& gallery, int width, int height, const AnalysisResultIfc* result, bool zoom,
           const std::string& name) {
    WindowHandle* host = gallery.host(width, height);
    ChartControl chart(host, test::displayResources());
    chart.setPosition(0, 0, width, height);
    chart.setZoom(zoom);
    chart.setResult(result);
    gallery.save(host, name);
}

} // namespace

TONVELA_GALLERY_PAGE(chart) {
    const SharpTone m = measureSharpA4(11);
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
