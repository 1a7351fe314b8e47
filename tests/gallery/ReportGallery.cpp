// The printed tune-up report as one page: report.png (English) and
// report-de.png (German) at 100 dpi, report@2x.png at 200 dpi.
#include "gallery/Gallery.h"

#include "report/TuneUpReport.h"
#include "state/DataStructure.h"
#include "state/TonvelaDoc.h"

#include <QImage>
#include <QPainter>
#include <QString>

#include <cmath>
#include <cstdio>
#include <string>

namespace tonvela::gallery {

TONVELA_GALLERY_PAGE(report) {
    DataStructure& state = DataStructure::getInstance();
    ToneScaleCollection& scales = state.getToneScales();
    Protocol& protocol = state.getProtocol();
    // The page leaves the shared state as it found it.
    const std::string key = scales.getCurrentScale()->getKey();
    const int keynote = scales.getKeynote();
    const float pitch = scales.getStandardPitch();
    const float calibration = scales.getCalibration();
    float saved[Protocol::NoteCount];
    for (int note = 0; note < Protocol::NoteCount; ++note)
        saved[note] = protocol.getFrequency(note);

    {
        // Werckmeister III on G at 415 Hz, texts of an organ's visit.
        TonvelaDoc doc;
        std::string message;
        if (!doc.OnOpenDocument(std::string(TONVELA_TEST_DATA) + "/documents/form2.tnv", message)) {
            std::fprintf(stderr, "tonvela-gallery: report: %s\n", message.c_str());
            return;
        }
        doc.setCustomer("St. Mary's Parish, Nordstadt");
        doc.setInstrument("Organ, great and swell");
        doc.setRemarks("Reeds retuned after the heating season.\n"
                       "G#5 still beats against the mixture; to be checked in spring.");
        // A stretched piano-like curve over the middle octaves: small
        // deviations in blue, a few of 7 cents and more in red, one beyond
        // the chart's 30 cents (its cell only).
        protocol.clear();
        for (int note = 12; note < 90; ++note) {
            double cents = 9.0 * std::sin(note * 0.37) + (note - 50) * 0.12;
            if (note == 83)
                cents = 34.2;
            if (note == 57)
                cents = 0.0;
            protocol.setFrequency(
                note, static_cast<float>(scales.getNoteFrequency(note) * std::exp2(cents / 1200.0)),
                false);
        }

        const int dpi = static_cast<int>(100 * gallery.ratio());
        const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
        QImage page(static_cast<int>(8.27 * dpi), static_cast<int>(11.69 * dpi),
                    QImage::Format_RGB32);
        page.setDotsPerMeterX(dotsPerMeter);
        page.setDotsPerMeterY(dotsPerMeter);
        page.fill(Qt::white);
        {
            QPainter painter(&page);
            painter.setRenderHint(QPainter::Antialiasing);
            const TuneUpReport report(doc, protocol, scales,
                                      TuneUpReport::webAddressFromSettings());
            report.draw(painter);
        }
        page.save(QString::fromStdString(gallery.path("report.png")));
    }

    for (int note = 0; note < Protocol::NoteCount; ++note)
        protocol.setFrequency(note, saved[note], false);
    scales.setScale(key, keynote, pitch, calibration);
}

} // namespace tonvela::gallery
