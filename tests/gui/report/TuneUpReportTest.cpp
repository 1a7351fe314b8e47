// The tune-up report drawn as PDF, rasterised by poppler at 144 dpi and read
// back pixel by pixel: bars, grid and blocks where the layout puts them.
#include "report/TuneUpReport.h"
#include "report/ReportPdf.h"
#include "runtime/NumberText.h"
#include "state/DataStructure.h"
#include "state/FreshState.h"
#include "state/TonvelaDoc.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

#include <QColor>
#include <QImage>

#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace tonvela {
namespace {

// The PDF is written at 600 dpi with the origin 400, 250 device pixels in;
// at 144 dpi a twip is a tenth of a pixel and the origin lies at 96, 60.
double pixelX(double twips) {
    return 96.0 + twips / 10.0;
}
double pixelY(double twips) {
    return 60.0 - twips / 10.0;
}

const QRgb Blue = qRgb(0, 0, 255);
const QRgb Red = qRgb(255, 0, 0);

class TuneUpReportTest : public test::FreshState {
protected:
    void SetUp() override {
        FreshState::SetUp();
        state = &DataStructure::getInstance();
        state->getToneScales().setScale("equal", 0, 440.0f, 0.0f);
        state->getProtocol().clear();
        doc = std::make_unique<TonvelaDoc>();
        doc->OnNewDocument();
    }
    void TearDown() override {
        doc.reset();
        FreshState::TearDown();
    }

    void measure(int note, double cents) {
        const double target = state->getToneScales().getNoteFrequency(note);
        state->getProtocol().setFrequency(
            note, static_cast<float>(target * std::exp2(cents / 1200.0)), false);
    }

    // Writes the report, rasterises it and returns the page.
    QImage render(TuneUpReport::Layout& layout) {
        const TuneUpReport report(*doc, state->getProtocol(), state->getToneScales(),
                                  "https://www.korvex.example");
        std::string message;
        EXPECT_TRUE(writeReportPdf(report, pdf(), QPageSize::A4, message, &layout)) << message;
        std::string out, err;
        EXPECT_EQ(test::runCommand("pdftoppm -r 144 -aa no -aaVector no -png -singlefile '" +
                                       pdf() + "' '" + dir.file("page") + "'",
                                   out, err),
                  0)
            << err;
        QImage image(QString::fromStdString(dir.file("page.png")));
        return image.convertToFormat(QImage::Format_RGB32);
    }

    // The top of each word's box in points, as poppler finds the text.
    std::multimap<std::string, double> wordTops() {
        std::string out, err;
        EXPECT_EQ(test::runCommand("pdftotext -bbox '" + pdf() + "' -", out, err), 0) << err;
        std::multimap<std::string, double> tops;
        const std::regex word("<word xMin=\"[-0-9.]+\" yMin=\"([-0-9.]+)\"[^>]*>([^<]*)</word>");
        for (auto it = std::sregex_iterator(out.begin(), out.end(), word);
             it != std::sregex_iterator(); ++it)
            tops.emplace((*it)[2].str(), NumberText::parseReal((*it)[1].str()).value_or(-1.0));
        return tops;
    }

    std::string pdf() const { return dir.file("report.pdf"); }

    test::TempDir dir;
    DataStructure* state = nullptr;
    std::unique_ptr<TonvelaDoc> doc;
};

// The twips x range of note k's slot in the chart.
int slotLeft(int note) {
    return 401 + note * TuneUpReport::chartWidth / 96;
}

// Rows of column x from y0 to y1 (pixels) that have the colour.
std::vector<int> rowsOf(const QImage& image, int x, int y0, int y1, QRgb colour) {
    std::vector<int> rows;
    for (int y = y0; y <= y1; ++y)
        if (image.pixel(x, y) == colour)
            rows.push_back(y);
    return rows;
}

TEST_F(TuneUpReportTest, BarsSitWhereTheirDeviationPutsThem) {
    struct Bar {
        int note;
        double cents;
        QRgb colour; // 0: no bar
    };
    const Bar bars[] = {
        {57, 29.9995, Red}, // +30.0: centred on the +30 line, 1000 above the middle
        {60, -6.99, Blue},  {62, 7.0005, Red}, {48, -29.5, Red},
        {12, 0.0, Blue},    {64, 30.01, 0}, // beyond the chart: the cell only
        {70, -30.02, 0},
    };
    for (const Bar& bar : bars)
        measure(bar.note, bar.cents);
    TuneUpReport::Layout layout;
    const QImage page = render(layout);
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(layout.chartMiddle, layout.chartTop - 1000);
    const int chartTop = static_cast<int>(std::lround(pixelY(layout.chartTop)));
    const int chartBottom = static_cast<int>(std::lround(pixelY(layout.chartBottom)));

    // The middle line is solid black where the layout says.
    const int middle = static_cast<int>(std::lround(pixelY(layout.chartMiddle)));
    const int whiteBandX = static_cast<int>(pixelX(401 + 1.5 * TuneUpReport::chartWidth / 8));
    bool middleLine = false;
    for (int y = middle - 1; y <= middle + 1; ++y)
        middleLine = middleLine || page.pixel(whiteBandX, y) == qRgb(0, 0, 0);
    EXPECT_TRUE(middleLine);

    for (const Bar& bar : bars) {
        const double left = pixelX(slotLeft(bar.note));
        const double right = pixelX(slotLeft(bar.note + 1));
        const int centreX = static_cast<int>((left + right) / 2.0);
        if (bar.colour == 0) {
            EXPECT_TRUE(rowsOf(page, centreX, chartTop, chartBottom, Blue).empty()) << bar.note;
            EXPECT_TRUE(rowsOf(page, centreX, chartTop, chartBottom, Red).empty()) << bar.note;
            continue;
        }
        const QRgb other = bar.colour == Blue ? Red : Blue;
        EXPECT_TRUE(rowsOf(page, centreX, chartTop, chartBottom, other).empty()) << bar.note;
        // A bar on a line of the chart reaches beyond it.
        const std::vector<int> rows =
            rowsOf(page, centreX, chartTop - 10, chartBottom + 10, bar.colour);
        ASSERT_FALSE(rows.empty()) << bar.note;
        // 1000/30 twips a cent above the middle, 50 high.
        const double centre = layout.chartMiddle + 1000.0 * bar.cents / 30.0;
        EXPECT_NEAR(rows.front(), pixelY(centre + 25), 1.0) << bar.note;
        EXPECT_NEAR(rows.back() + 1, pixelY(centre - 25), 1.0) << bar.note;
        // One bar; the chart's lines are drawn over it.
        for (int y = rows.front(); y <= rows.back(); ++y)
            EXPECT_TRUE(page.pixel(centreX, y) == bar.colour ||
                        page.pixel(centreX, y) == qRgb(0, 0, 0))
                << bar.note << " row " << y;
        // Across the whole slot.
        const int rowY = rows.front();
        int x0 = centreX, x1 = centreX;
        while (page.pixel(x0 - 1, rowY) == bar.colour)
            --x0;
        while (page.pixel(x1 + 1, rowY) == bar.colour)
            ++x1;
        EXPECT_NEAR(x0, left, 1.0) << bar.note;
        EXPECT_NEAR(x1 + 1, right, 1.0) << bar.note;
    }
    // The +30 bar's centre lies on the top line of the chart.
    EXPECT_NEAR(pixelY(layout.chartMiddle + 1000), pixelY(layout.chartTop), 0.01);
}

TEST_F(TuneUpReportTest, EmptyProtocolPrintsGridAndChartWithoutBars) {
    TuneUpReport::Layout layout;
    const QImage page = render(layout);
    ASSERT_FALSE(page.isNull());
    const int chartTop = static_cast<int>(std::lround(pixelY(layout.chartTop)));
    const int chartBottom = static_cast<int>(std::lround(pixelY(layout.chartBottom)));
    for (int y = chartTop; y <= chartBottom; ++y)
        for (int x = static_cast<int>(pixelX(400)); x <= pixelX(TuneUpReport::tableRight); ++x)
            ASSERT_TRUE(page.pixel(x, y) != Blue && page.pixel(x, y) != Red) << x << "," << y;
    // Shaded and white octave bands.
    const int midY = static_cast<int>(pixelY(layout.chartMiddle + 500));
    const int band = TuneUpReport::chartWidth / 8;
    for (int b = 0; b < 8; ++b) {
        const int x = static_cast<int>(pixelX(401 + b * band + band / 2));
        EXPECT_EQ(page.pixel(x, midY), b % 2 == 0 ? qRgb(243, 243, 243) : qRgb(255, 255, 255)) << b;
    }
    // The table's ten horizontal lines run across it; its header row is shaded.
    const int tableX = static_cast<int>(pixelX(5000));
    for (int r = 0; r <= 9; ++r) {
        const int y = static_cast<int>(std::lround(pixelY(layout.tableTop - 350 * r)));
        bool black = false;
        for (int dy = -1; dy <= 1; ++dy)
            black = black || page.pixel(tableX, y + dy) == qRgb(0, 0, 0);
        EXPECT_TRUE(black) << "row line " << r;
    }
    EXPECT_EQ(
        page.pixel(static_cast<int>(pixelX(1000)), static_cast<int>(pixelY(layout.tableTop - 300))),
        qRgb(243, 243, 243));
}

TEST_F(TuneUpReportTest, BlocksLeaveOutEmptyRows) {
    struct Case {
        const char* what;
        std::string customer, instrument, location, remarks, author;
    };
    const Case cases[] = {
        {"all texts", "Parish", "Organ", "Hall", "Reeds", "Bernd"},
        {"no block 1", "", "", "", "Reeds", "Bernd"},
        {"location only", "", "", "Hall", "", ""},
        {"author only", "Parish", "", "", "", "Bernd"},
    };
    for (const Case& c : cases) {
        doc->setCustomer(c.customer);
        doc->setInstrument(c.instrument);
        doc->setLocation(c.location);
        doc->setRemarks(c.remarks);
        doc->setAuthor(c.author);
        TuneUpReport::Layout layout;
        render(layout);
        const auto tops = wordTops();
        const auto top = [&](const std::string& word) {
            const auto it = tops.find(word);
            return it == tops.end() ? -1.0 : it->second;
        };
        // Twips to points from the page's top edge: 250 pixels at 600 dpi
        // are 30 points.
        const auto points = [](int twips) { return 30.0 - twips / 20.0; };
        SCOPED_TRACE(c.what);

        EXPECT_EQ(layout.block1Top, layout.bannerBottom - 1100);
        // The step from one block 2 row to the next is one row and 50.
        const double rowStep = top("Temperament:") - top("Measuring");
        EXPECT_GT(rowStep, 0.0);
        EXPECT_NEAR(top("Measuring"), points(layout.block2Top), 1.0);
        const bool block1 = !(c.customer + c.instrument + c.location).empty();
        if (!block1) {
            EXPECT_EQ(layout.block2Top, layout.bannerBottom - 1100);
        } else {
            int rows = !c.customer.empty() + !c.instrument.empty() + !c.location.empty();
            // Each row, then 300 before block 2.
            EXPECT_NEAR(top("Measuring") - points(layout.block1Top), rows * rowStep + 15.0, 0.2);
        }
        EXPECT_EQ(top("Customer:") >= 0, !c.customer.empty());
        EXPECT_EQ(top("Location:") >= 0, !c.location.empty());
        EXPECT_EQ(top("Remarks:") >= 0, !c.remarks.empty());

        EXPECT_EQ(layout.block3Top, layout.chartBottom - 550);
        const bool block3 = !(c.remarks + c.author).empty();
        EXPECT_EQ(layout.dateInValueFont, block3);
        if (!block3)
            EXPECT_EQ(layout.dateTop, layout.chartBottom - 550 - 350);
        else
            EXPECT_LT(layout.dateTop, layout.chartBottom - 550 - 350 - 300);
        EXPECT_NEAR(top("Date:"), points(layout.dateTop), 1.0);
        if (!c.author.empty() && c.remarks.empty()) {
            EXPECT_NEAR(top("Measurement"), points(layout.block3Top - 50), 1.0);
        }
    }
}

TEST(TuneUpReportCells, DeviationTexts) {
    const struct {
        float cents;
        const char* text;
    } cases[] = {{0.0f, "0.0"},    {0.04f, "+0.0"},   {-0.0005f, "0.0"}, {0.0009f, "0.0"},
                 {-0.04f, "-0.0"}, {0.001f, "+0.0"},  {30.01f, "+30.0"}, {-6.99f, "-7.0"},
                 {7.0f, "+7.0"},   {-12.34f, "-12.3"}};
    for (const auto& c : cases)
        EXPECT_EQ(TuneUpReport::cellText(c.cents), c.text) << c.cents;

    float cents = 1.0f;
    EXPECT_FALSE(TuneUpReport::deviation(0.0f, 440.0f, cents));
    EXPECT_FALSE(TuneUpReport::deviation(1.0f, 440.0f, cents));
    EXPECT_FALSE(TuneUpReport::deviation(std::nanf(""), 440.0f, cents));
    EXPECT_FALSE(TuneUpReport::deviation(INFINITY, 440.0f, cents));
    ASSERT_TRUE(TuneUpReport::deviation(441.0f, 440.0f, cents));
    EXPECT_NEAR(cents, 3.9302, 1e-3);
}

TEST(TuneUpReportPaper, LetterWhereTheLocaleUsesIt) {
    const struct {
        const char* locale;
        QPageSize::PageSizeId paper;
    } cases[] = {{"en_US.UTF-8", QPageSize::Letter},
                 {"fr_CA", QPageSize::Letter},
                 {"es_MX.utf8@euro", QPageSize::Letter},
                 {"en_GB.UTF-8", QPageSize::A4},
                 {"de_DE.UTF-8", QPageSize::A4},
                 {"C", QPageSize::A4},
                 {"POSIX", QPageSize::A4},
                 {"", QPageSize::A4},
                 {"en_AU", QPageSize::A4}};
    for (const auto& c : cases)
        EXPECT_EQ(paperSizeOfLocale(c.locale), c.paper) << c.locale;
}

} // namespace
} // namespace tonvela
