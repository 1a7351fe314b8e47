#include "report/TuneUpReport.h"

#include "platform/store/Settings.h"
#include "resources/Maker.h"
#include "resources/StringIds.h"
#include "resources/StringResources.h"
#include "runtime/NumberText.h"
#include "state/Protocol.h"
#include "state/TonvelaDoc.h"
#include "tuning/ToneScaleCollection.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QStringList>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <vector>

namespace tonvela {

namespace {

const QColor Black(0, 0, 0);
const QColor BannerColour(0, 0, 255);
const QColor TitleColour(48, 48, 48);
const QColor Shading(243, 243, 243);
const QColor BarBlue(0, 0, 255);
const QColor BarRed(255, 0, 0);

enum class Align { Left, Centre, Right };

// Fonts are sized in twips: a character height of n points is 20 n twips.
QFont reportFont(int points, bool bold, bool italic) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(points * 20);
    font.setBold(bold);
    font.setItalic(italic);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

struct TextLine {
    QString text;
    qreal width;
};

// Breaks text into the lines it takes in a box width wide: at line breaks,
// then between words, and inside a word only when it is wider than the box.
std::vector<TextLine> wrapLines(const QFont& font, const QString& text, qreal width) {
    std::vector<TextLine> lines;
    const QFontMetricsF metrics(font);
    QString plain = text;
    plain.remove(QLatin1Char('\r'));
    for (const QString& paragraph : plain.split(QLatin1Char('\n'))) {
        if (paragraph.isEmpty()) {
            lines.push_back({QString(), 0.0});
            continue;
        }
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            QString part = paragraph.mid(line.textStart(), line.textLength());
            while (!part.isEmpty() && part.back().isSpace())
                part.chop(1);
            lines.push_back({part, metrics.horizontalAdvance(part)});
        }
        layout.endLayout();
    }
    return lines;
}

// Height in whole twips of lines of a font, as a text box measures it.
int linesHeight(const QFont& font, std::size_t count) {
    return static_cast<int>(std::ceil(QFontMetricsF(font).height() * static_cast<qreal>(count)));
}

// Draws lines with their top at top (y up) in the box from boxLeft to
// boxRight. The glyphs are drawn under a local flip of the y axis, or they
// would come out upside down.
void drawLines(QPainter& painter, const QFont& font, const QColor& colour,
               const std::vector<TextLine>& lines, int boxLeft, int boxRight, qreal top,
               Align align) {
    const QFontMetricsF metrics(font);
    painter.save();
    painter.translate(boxLeft, top);
    painter.scale(1.0, -1.0);
    painter.setFont(font);
    painter.setPen(colour);
    const qreal width = boxRight - boxLeft;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        qreal x = 0.0;
        if (align == Align::Centre)
            x = (width - lines[i].width) / 2.0;
        else if (align == Align::Right)
            x = width - lines[i].width;
        painter.drawText(QPointF(x, metrics.height() * static_cast<qreal>(i) + metrics.ascent()),
                         lines[i].text);
    }
    painter.restore();
}

// Word-wrapped text from boxLeft to boxRight, top at top; returns the bottom.
int drawWrapped(QPainter& painter, const QFont& font, const QColor& colour, const QString& text,
                int boxLeft, int boxRight, int top, Align align = Align::Left) {
    const std::vector<TextLine> lines = wrapLines(font, text, boxRight - boxLeft);
    drawLines(painter, font, colour, lines, boxLeft, boxRight, top, align);
    return top - linesHeight(font, lines.size());
}

// One line, vertically centred in the box from top down to bottom.
void drawCentredLine(QPainter& painter, const QFont& font, const QString& text, int boxLeft,
                     int boxRight, int top, int bottom, Align align) {
    const QFontMetricsF metrics(font);
    const qreal lineTop = top - ((top - bottom) - metrics.height()) / 2.0;
    const std::vector<TextLine> lines{{text, metrics.horizontalAdvance(text)}};
    drawLines(painter, font, Black, lines, boxLeft, boxRight, lineTop, align);
}

// A filled rectangle without border; top lies above bottom.
void fill(QPainter& painter, int x0, int top, int x1, int bottom, const QColor& colour) {
    painter.fillRect(QRectF(QPointF(x0, bottom), QPointF(x1, top)), colour);
}

void line(QPainter& painter, int x0, int y0, int x1, int y1) {
    painter.drawLine(QPointF(x0, y0), QPointF(x1, y1));
}

std::string dateText(std::int64_t seconds, const std::string& format) {
    const auto time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    char buffer[128];
    if (!localtime_r(&time, &parts) || format.empty() ||
        std::strftime(buffer, sizeof buffer, format.c_str(), &parts) == 0)
        return std::string();
    return buffer;
}

} // namespace

struct TuneUpReport::Fonts {
    QFont title = reportFont(18, true, false);
    QFont heading = reportFont(12, true, false);
    QFont label = reportFont(10, true, true);
    QFont value = reportFont(10, false, false);
    QFont cell = reportFont(9, false, false);
    QFont axis = reportFont(6, false, false);
    QFont note = reportFont(9, false, true);
    QFont banner = reportFont(15, false, false);
};

TuneUpReport::TuneUpReport(const TonvelaDoc& document, const Protocol& protocol,
                           const ToneScaleCollection& scales, std::string webAddress)
    : document(document), protocol(protocol), scales(scales), webAddress(std::move(webAddress)) {}

std::string TuneUpReport::webAddressFromSettings() {
    const std::string home = getProfileString("url", "home");
    return home.empty() ? std::string(MakerWebAddress) : home;
}

bool TuneUpReport::deviation(float frequency, float target, float& cents) {
    if (!(frequency > 1.0f))
        return false;
    static const float factor = 1200.0f / std::log(2.0f);
    const float d = std::log(frequency / target) * factor;
    if (!std::isfinite(d))
        return false;
    cents = d;
    return true;
}

std::string TuneUpReport::cellText(float cents) {
    if (cents > -0.001f && cents < 0.001f)
        return "0.0";
    return NumberText::signedFixed(cents, 1);
}

int TuneUpReport::dataRow(QPainter& painter, const Fonts& fonts, int y, int labelId,
                          const std::string& value, bool measureOnly) const {
    if (value.empty())
        return y;
    const std::vector<TextLine> labelLines =
        wrapLines(fonts.label, qs(loadString(labelId)), valueLeft - textLeft);
    const std::vector<TextLine> valueLines = wrapLines(fonts.value, qs(value), right - valueLeft);
    if (!measureOnly) {
        drawLines(painter, fonts.label, Black, labelLines, textLeft, valueLeft, y, Align::Left);
        drawLines(painter, fonts.value, Black, valueLines, valueLeft, right, y, Align::Left);
    }
    const int labelBottom = y - linesHeight(fonts.label, labelLines.size());
    const int valueBottom = y - linesHeight(fonts.value, valueLines.size());
    return std::min(labelBottom, valueBottom) - 50;
}

TuneUpReport::Layout TuneUpReport::draw(QPainter& painter) const {
    Layout layout;
    const Fonts fonts;
    const QPaintDevice* device = painter.device();

    painter.save();
    // The origin lies 400 and 250 pixels of a 600 dpi printer in (2/3 and
    // 5/12 inch) on every device: in pixels of a coarser device it would
    // push the table and chart off the paper.
    const double dpiX = device->logicalDpiX();
    const double dpiY = device->logicalDpiY();
    painter.translate(originX * dpiX / originDpi, originY * dpiY / originDpi);
    painter.scale(dpiX / 1440.0, -dpiY / 1440.0);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QPen solid(Black, 0);
    // The guides' dots are a pixel of the device wide; their spacing is
    // stretched to about 1/150 inch so that they stay dots on a fine printer.
    QPen dotted(Black, 0, Qt::CustomDashLine);
    const qreal dot = std::max(1.0, std::round(device->logicalDpiX() / 150.0));
    dotted.setDashPattern({dot, dot});

    // Banner: the web address between lines.
    {
        const QFontMetricsF metrics(fonts.banner);
        const QString address = qs(webAddress);
        const int h = static_cast<int>(std::ceil(metrics.height()));
        const int w = static_cast<int>(std::ceil(metrics.horizontalAdvance(address)));
        drawLines(painter, fonts.banner, BannerColour,
                  {{address, metrics.horizontalAdvance(address)}}, left, right, top, Align::Centre);
        painter.setPen(solid);
        const int y1 = -370;
        const int step = h + 40;
        line(painter, left, y1, right, y1);
        line(painter, left, y1 - step, right, y1 - step);
        const int shortLine = std::max(0, (right - left - w - 200) / 2);
        for (const int y : {y1 - step / 4, y1 - step / 2, y1 - 3 * step / 4}) {
            line(painter, left, y, left + shortLine, y);
            line(painter, right - shortLine, y, right, y);
        }
        layout.bannerBottom = y1 - step;
    }
    const int B = layout.bannerBottom;

    drawWrapped(painter, fonts.title, TitleColour, qs(loadString(IDS_REPORT_TITLE)), textLeft,
                right, B - 400);

    // Block 1: measured first, drawn only when a row has a value.
    int y = B - 1100;
    layout.block1Top = y;
    {
        const struct {
            int label;
            const std::string& value;
        } rows[] = {{IDS_CUSTOMER, document.getCustomer()},
                    {IDS_INSTRUMENT, document.getInstrument()},
                    {IDS_LOCATION, document.getLocation()}};
        int measured = y;
        for (const auto& row : rows)
            measured = dataRow(painter, fonts, measured, row.label, row.value, true);
        if (measured != y) {
            for (const auto& row : rows)
                y = dataRow(painter, fonts, y, row.label, row.value, false);
            y -= 300;
        }
    }

    // Block 2: the scale, row by row.
    layout.block2Top = y;
    const ToneScale* scale = scales.getCurrentScale();
    y = dataRow(painter, fonts, y, IDS_MEASURING_TOOL, document.getVersion(), false);
    y = dataRow(painter, fonts, y, IDS_TEMPERAMENT, scale ? scale->getName() : std::string(),
                false);
    y = dataRow(painter, fonts, y, IDS_KEYNOTE, scales.getKeynoteName(), false);
    y = dataRow(painter, fonts, y, IDS_STANDARD_PITCH, scales.formatStandardPitch() + " Hz", false);
    y = dataRow(painter, fonts, y, IDS_CALIBRATION, scales.formatCalibration() + " Cent", false);
    y = dataRow(painter, fonts, y, IDS_OCTAVE_STRETCH,
                NumberText::fixed(scales.getOctaveStretch(), 3) + " Cent", false);
    const int U = y;

    drawWrapped(painter, fonts.heading, Black, qs(loadString(IDS_MEASURED_TONES)), textLeft, right,
                U - 300);

    // The deviations against the scale as it is now.
    float deviations[Protocol::NoteCount];
    bool measured[Protocol::NoteCount];
    for (int note = 0; note < Protocol::NoteCount; ++note)
        measured[note] =
            deviation(protocol.getFrequency(note), scales.getNoteFrequency(note), deviations[note]);

    // Table.
    const int T = U - 750;
    const int E = T - 9 * rowHeight;
    layout.tableTop = T;
    fill(painter, left, T, tableRight, T - rowHeight, Shading);
    fill(painter, left, T - rowHeight, firstColumnRight, E, Shading);
    painter.setPen(solid);
    for (int r = 0; r <= 9; ++r)
        line(painter, left, T - r * rowHeight, tableRight, T - r * rowHeight);
    line(painter, left, T, left, E);
    for (int k = 0; k <= 12; ++k)
        line(painter, firstColumnRight + k * columnWidth, T, firstColumnRight + k * columnWidth, E);
    for (int k = 0; k < 12; ++k) {
        const int x0 = firstColumnRight + k * columnWidth;
        drawCentredLine(painter, fonts.label, qs(scales.getNoteName(k)), x0, x0 + columnWidth, T,
                        T - rowHeight, Align::Centre);
    }
    for (int r = 0; r < 8; ++r) {
        const int rowTop = T - (r + 1) * rowHeight;
        drawCentredLine(painter, fonts.label, qs(loadString(IDS_OCTAVE_0 + r)), octaveNameLeft,
                        firstColumnRight, rowTop, rowTop - rowHeight, Align::Left);
        for (int k = 0; k < 12; ++k) {
            const int note = 12 * r + k;
            if (!measured[note])
                continue;
            const int x0 = firstColumnRight + k * columnWidth;
            drawCentredLine(painter, fonts.cell, qs(cellText(deviations[note])), x0,
                            x0 + columnWidth, rowTop, rowTop - rowHeight, Align::Centre);
        }
    }

    drawWrapped(painter, fonts.heading, Black, qs(loadString(IDS_CHART_OF_DEVIATIONS)), textLeft,
                right, E - 200);

    // Chart.
    const int C = E - 750;
    const int K = C - chartHeight;
    const int M = C - chartHeight / 2;
    layout.chartTop = C;
    layout.chartMiddle = M;
    layout.chartBottom = K;
    const int g = chartWidth;
    for (int b = 0; b < 8; b += 2)
        fill(painter, 401 + b * g / 8, C, 401 + (b + 1) * g / 8, K, Shading);
    for (int note = 0; note < Protocol::NoteCount; ++note) {
        const float d = deviations[note];
        if (!measured[note] || !(std::fabs(d) <= 30.0f))
            continue;
        const float offset = 1000.0f * d * (-1.0f / 30.0f);
        const int lower = M - static_cast<int>(offset) - 25;
        fill(painter, 401 + note * g / 96, lower + 50, 401 + (note + 1) * g / 96, lower,
             std::fabs(d) >= 7.0f ? BarRed : BarBlue);
    }
    painter.setPen(solid);
    for (const int level : {C, M, K})
        line(painter, left, level, tableRight, level);
    line(painter, left, C, left, K);
    line(painter, tableRight, C, tableRight, K);
    painter.setPen(dotted);
    for (const int v : {20, 10, -10, -20})
        line(painter, left, M + 1000 * v / 30, tableRight, M + 1000 * v / 30);
    for (const int v : {30, 20, 10, 0, -10, -20, -30}) {
        const int level = M + 1000 * v / 30;
        const QString label = v > 0 ? QStringLiteral("+%1").arg(v) : QString::number(v);
        drawCentredLine(painter, fonts.axis, label, left - 430, left - 30, level + 80, level - 80,
                        Align::Right);
    }
    for (int b = 0; b < 8; ++b)
        drawCentredLine(painter, fonts.axis, QString::number(b), 401 + b * g / 8,
                        401 + (b + 1) * g / 8, C + 180, C, Align::Centre);

    drawWrapped(painter, fonts.note, Black, qs(loadString(IDS_CENT_SCALE)), textLeft, right,
                K - 100);

    // Block 3: remarks and author, measured first like block 1.
    y = K - 550;
    layout.block3Top = y;
    const auto block3 = [&](int start, bool measureOnly) {
        int at = dataRow(painter, fonts, start, IDS_REMARKS, document.getRemarks(), measureOnly);
        if (!document.getAuthor().empty())
            at = dataRow(painter, fonts, at - 50, IDS_MEASUREMENT_DONE_BY, document.getAuthor(),
                         measureOnly);
        return at;
    };
    const bool block3Drawn = block3(y, true) != y;
    if (block3Drawn)
        y = block3(y, false) - 300;
    const int L = y;

    // Date and signature line, in the font chosen last.
    const QFont& lastFont = block3Drawn ? fonts.value : fonts.note;
    layout.dateTop = L - 350;
    layout.dateInValueFont = block3Drawn;
    const std::string date =
        loadString(IDS_DATE) + dateText(document.getDate(), loadString(IDS_DATE_FORMAT));
    drawWrapped(painter, lastFont, Black, qs(date), textLeft, signatureLeft, L - 350);
    drawWrapped(painter, lastFont, Black, qs(loadString(IDS_SIGNATURE)), signatureLeft, right,
                L - 350, Align::Right);

    painter.restore();
    return layout;
}

} // namespace tonvela
