#pragma once

#include <string>

class QPainter;

namespace tonvela {

class Protocol;
class ToneScaleCollection;
class TonvelaDoc;

// The one-page tune-up report: banner with the web address, title, the
// protocol's texts, the scale, a table and a chart of every note's deviation,
// remarks, author, date and signature line. It draws on any paged device
// (printer, preview, PDF writer, image) in twips with y pointing up, the
// origin 2/3 inch right of and 5/12 inch below the device's own. The
// deviations are worked out against the scale settings as they are when the
// page is drawn. Texts come in the interface language.
class TuneUpReport {
public:
    // Layout numbers in twips (1/1440 inch).
    static constexpr int left = 400;
    static constexpr int textLeft = 400;
    static constexpr int octaveNameLeft = 520;
    static constexpr int firstColumnRight = 1868;
    static constexpr int valueLeft = 2900;
    static constexpr int signatureLeft = 5400;
    static constexpr int right = 8987;
    static constexpr int top = -400;
    static constexpr int bottom = -14524;
    static constexpr int rowHeight = 350;
    static constexpr int chartHeight = 2000;
    static constexpr int columnWidth = (right - firstColumnRight) / 12;    // 593
    static constexpr int tableRight = firstColumnRight + 12 * columnWidth; // 8984
    static constexpr int chartWidth = tableRight - 402;                    // 8582
    // The page's origin: 400 and 250 pixels in at 600 dpi.
    static constexpr int originX = 400;
    static constexpr int originY = 250;
    static constexpr int originDpi = 600;

    // Where the page's parts came to lie, in twips, for those who check it.
    struct Layout {
        int bannerBottom = 0; // B, the lower full line of the banner
        int block1Top = 0;
        int block2Top = 0;
        int tableTop = 0;    // T
        int chartTop = 0;    // C
        int chartMiddle = 0; // M, 0 cents
        int chartBottom = 0; // K
        int block3Top = 0;
        int dateTop = 0;
        bool dateInValueFont = false;
    };

    // The report borrows what it draws from; webAddress is printed on the
    // banner as it is.
    TuneUpReport(const TonvelaDoc& document, const Protocol& protocol,
                 const ToneScaleCollection& scales, std::string webAddress);

    // Draws the page with painter on its device; the painter's state is kept.
    Layout draw(QPainter& painter) const;

    // The settings' "home" of section "url", or the maker's address when it
    // is empty.
    static std::string webAddressFromSettings();

    // The deviation in cents of a stored frequency from its target as the
    // report computes it (32-bit floats); false for a note not measured (or
    // a value that is no number).
    static bool deviation(float frequency, float target, float& cents);
    // "%+.1f" of cents, "0.0" within a thousandth of a cent.
    static std::string cellText(float cents);

private:
    struct Fonts;
    int dataRow(QPainter& painter, const Fonts& fonts, int y, int labelId, const std::string& value,
                bool measureOnly) const;

    const TonvelaDoc& document;
    const Protocol& protocol;
    const ToneScaleCollection& scales;
    std::string webAddress;
};

} // namespace tonvela
