#include "gui/GuiTestSupport.h"
#include "platform/gui/WindowTesting.h"

#include "platform/gui/DrawingContext.h"
#include "platform/gui/Font.h"
#include "platform/gui/QtBridge.h"
#include "runtime/Messages.h"

#include <QImage>
#include <QWidget>
#include <QtGlobal>

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tonvela {
namespace {

using test::allPixels;
using test::countPixels;
using test::RecordingWindow;

constexpr Colour Black = rgb(0, 0, 0);
constexpr Colour White = rgb(255, 255, 255);
constexpr Colour Red = rgb(255, 0, 0);
constexpr Colour Green = rgb(0, 196, 0);
constexpr Colour Panel = rgb(142, 147, 245);

// A child FrameworkWindow whose paint is a function of the test.
struct Canvas : Window {
    explicit Canvas(WindowHandle* parent, int width = 200, int height = 100)
        : Window("", "", WS_CHILD | WS_VISIBLE, parent) {
        setPosition(0, 0, width, height);
    }
    std::function<void(DrawingContext&)> paint;
    int paints = 0;
    LResult handleMessage(WindowHandle* h, unsigned m, WParam w, LParam l) override {
        if (m == WM_PAINT) {
            ++paints;
            DrawingContext dc = DrawingContext::forPaint(h);
            if (paint) {
                paint(dc);
            }
            return 0;
        }
        return Window::handleMessage(h, m, w, l);
    }
};

// Qt's warnings while a test step runs.
std::vector<std::string> qtWarnings;
void keepWarning(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtDebugMsg && type != QtInfoMsg) {
        qtWarnings.push_back(text.toStdString());
    }
}

// A window drawn in place and then resized keeps one painter, begun only
// while someone draws: resizing must not end an idle painter nor begin it on
// the new buffer, where the next paint could not begin its own.
TEST(DrawingContext, ResizeAfterDrawingInPlaceKeepsThePainterBalanced) {
    RecordingWindow parent;
    Canvas canvas(parent.getHandle());
    canvas.paint = [](DrawingContext& dc) { dc.fillSolid(dc.clientRect(), Green); };
    qtWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepWarning);
    {
        DrawingContext dc = DrawingContext::forWindow(canvas.getHandle());
        dc.fillSolid({0, 0, 10, 10}, Red);
    }
    canvas.setPosition(0, 0, 300, 150);
    const Colour painted = getPixel(canvas.getHandle(), 250, 120);
    {
        DrawingContext dc = DrawingContext::forWindow(canvas.getHandle());
        dc.fillSolid({250, 120, 260, 130}, Red);
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(painted, Green);
    EXPECT_EQ(getPixel(canvas.getHandle(), 255, 125), Red);
    EXPECT_FALSE(backBuffer(canvas.getHandle())->paintingActive());
    EXPECT_TRUE(qtWarnings.empty()) << qtWarnings.front();
}

TEST(DrawingContext, SolidFillLeavesItsColourAsTheBackground) {
    RecordingWindow parent;
    Canvas canvas(parent.getHandle());
    DrawingContext dc = DrawingContext::forWindow(canvas.getHandle());
    dc.fillSolid({0, 0, 200, 100}, Black);
    dc.fillSolid({10, 10, 20, 20}, Green);
    EXPECT_EQ(dc.getBackgroundColour(), Green);
    dc.fillBackground({30, 10, 40, 20});
    EXPECT_TRUE(allPixels(canvas.getHandle(), {30, 10, 40, 20}, Green));
    EXPECT_EQ(getPixel(canvas.getHandle(), 29, 10), Black);
    EXPECT_EQ(getPixel(canvas.getHandle(), 40, 19), Black);
    // A brush leaves the background colour alone.
    dc.fillRect({50, 10, 60, 20}, Brush::solid(Red));
    EXPECT_EQ(dc.getBackgroundColour(), Green);
    EXPECT_TRUE(allPixels(canvas.getHandle(), {50, 10, 60, 20}, Red));
}

TEST(DrawingContext, ClipNarrowsEveryDrawing) {
    RecordingWindow parent;
    Canvas canvas(parent.getHandle());
    DrawingContext dc = DrawingContext::forWindow(canvas.getHandle());
    dc.fillSolid({0, 0, 200, 100}, Black);
    dc.intersectClipRect({10, 10, 50, 50});
    dc.intersectClipRect({30, 0, 200, 40});
    EXPECT_EQ(dc.getClipRect(), (Rect{30, 10, 50, 40}));
    dc.fillSolid({0, 0, 200, 100}, Red);
    EXPECT_EQ(countPixels(canvas.getHandle(), {0, 0, 200, 100}, Red), 20 * 30);
    EXPECT_TRUE(allPixels(canvas.getHandle(), {30, 10, 50, 40}, Red));
}

TEST(DrawingContext, PaintIsClippedToWhatWasInvalidated) {
    RecordingWindow parent;
    Canvas canvas(parent.getHandle());
    Colour colour = Black;
    canvas.paint = [&colour](DrawingContext& dc) { dc.fillSolid(dc.clientRect(), colour); };
    updateWindow(canvas.getHandle());
    EXPECT_TRUE(allPixels(canvas.getHandle(), {0, 0, 200, 100}, Black));
    colour = Red;
    const Rect part{20, 30, 60, 50};
    invalidateRect(canvas.getHandle(), &part);
    updateWindow(canvas.getHandle());
    EXPECT_EQ(countPixels(canvas.getHandle(), {0, 0, 200, 100}, Red), 40 * 20);
    EXPECT_TRUE(allPixels(canvas.getHandle(), part, Red));
    // Nothing invalid: no paint at all.
    const int paints = canvas.paints;
    updateWindow(canvas.getHandle());
    EXPECT_EQ(canvas.paints, paints);
}

TEST(DrawingContext, MeasuredTextIsAsHighAsTheFontsCell) {
    RecordingWindow parent;
    Canvas canvas(parent.getHandle());
    DrawingContext dc = DrawingContext::forWindow(canvas.getHandle());
    for (int height : {12, 16, 18, 32}) {
        FontHandle font = createFont(height, FW_BOLD);
        dc.selectFont(font);
        Rect rect{7, 9, 7, 9};
        EXPECT_EQ(dc.drawText("440.00", rect, DT_CALCRECT | DT_SINGLELINE), height);
        EXPECT_EQ(rect.top, 9);
        EXPECT_EQ(rect.left, 7);
        EXPECT_EQ(rect.height(), height);
        EXPECT_GT(rect.width(), 3 * height / 2) << height;
        Rect shorter{7, 9, 7, 9};
        dc.drawText("44", shorter, DT_CALCRECT | DT_SINGLELINE);
        EXPECT_LT(shorter.width(), rect.width());
        dc.selectFont(nullptr);
        deleteFont(font);
    }
}

TEST(DrawingContext, FontsUseLiberationSansAtTheCellsPixelSize) {
    struct Case {
        int height;
        int pixelSize;
    };
    for (const Case c : {Case{12, 11}, Case{16, 14}, Case{32, 29}, Case{18, 16}, Case{24, 21}}) {
        FontHandle font = createFont(c.height, FW_NORMAL);
        EXPECT_EQ(toQFont(font).pixelSize(), c.pixelSize) << c.height;
        EXPECT_EQ(toQFont(font).family(), "Liberation Sans");
        deleteFont(font);
    }
}

// The bounding box of the pixels that differ from background.
Rect inkBox(WindowHandle* hwnd, const Rect& area, Colour background) {
    Rect box{area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (getPixel(hwnd, x, y) != background) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
        }
    }
    return box;
}

TEST(DrawingContext, TextFlagsPlaceTheLine) {
    RecordingWindow parent;
    Canvas canvas(parent.getHandle(), 300, 120);
    FontHandle font = createFont(32, FW_BOLD);
    struct Case {
        unsigned flags;
        const char* what;
    };
    const Rect box{50, 10, 250, 110};
    for (const Case c :
         {Case{DT_SINGLELINE, "top left"}, Case{DT_CENTER | DT_VCENTER | DT_SINGLELINE, "centred"},
          Case{DT_CENTER | DT_BOTTOM | DT_SINGLELINE, "bottom"}}) {
        DrawingContext dc = DrawingContext::forWindow(canvas.getHandle());
        dc.fillSolid(dc.clientRect(), Black);
        dc.setBackgroundMode(BackgroundMode::Transparent);
        dc.setTextColour(White);
        dc.selectFont(font);
        Rect measured{0, 0, 0, 0};
        dc.drawText("E", measured, DT_CALCRECT | DT_SINGLELINE);
        Rect rect = box;
        dc.drawText("E", rect, c.flags);
        const Rect ink = inkBox(canvas.getHandle(), dc.clientRect(), Black);
        ASSERT_FALSE(ink.isEmpty()) << c.what;
        // Capital E: its ink spans the cap height (0.716 em of 29 pixels, about
        // 21) above the baseline, which lies at 26 of the 32-pixel cell
        // (Arial's ascent).
        int cellTop = box.top;
        if (c.flags & DT_VCENTER) {
            cellTop = (box.top + box.bottom - 32) / 2;
        } else if (c.flags & DT_BOTTOM) {
            cellTop = box.bottom - 32;
        }
        EXPECT_NEAR(ink.bottom, cellTop + 26, 1) << c.what;
        EXPECT_NEAR(ink.top, cellTop + 26 - 21, 1) << c.what;
        const int cellLeft =
            (c.flags & DT_CENTER) ? (box.left + box.right - measured.width()) / 2 : box.left;
        EXPECT_GE(ink.left, cellLeft) << c.what;
        EXPECT_LE(ink.right, cellLeft + measured.width()) << c.what;
    }
    deleteFont(font);
}

TEST(DrawingContext, TextIsClippedToItsRectangleUnlessNoClip) {
    RecordingWindow parent;
    Canvas canvas(parent.getHandle(), 300, 60);
    FontHandle font = createFont(32, FW_BOLD);
    for (const bool noClip : {false, true}) {
        DrawingContext dc = DrawingContext::forWindow(canvas.getHandle());
        dc.fillSolid(dc.clientRect(), Black);
        dc.setBackgroundMode(BackgroundMode::Transparent);
        dc.setTextColour(White);
        dc.selectFont(font);
        Rect narrow{100, 10, 120, 50};
        dc.drawText("WWWW", narrow,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE | (noClip ? DT_NOCLIP : 0));
        const int outside = 300 * 60 - countPixels(canvas.getHandle(), {0, 0, 300, 60}, Black) -
                            (20 * 40 - countPixels(canvas.getHandle(), narrow, Black));
        if (noClip) {
            EXPECT_GT(outside, 0);
        } else {
            EXPECT_EQ(outside, 0);
        }
    }
    deleteFont(font);
}

TEST(DrawingContext, OpaqueTextFillsItsCellWithTheBackgroundColour) {
    RecordingWindow parent;
    Canvas canvas(parent.getHandle(), 300, 60);
    DrawingContext dc = DrawingContext::forWindow(canvas.getHandle());
    dc.fillSolid(dc.clientRect(), Black);
    dc.setBackgroundColour(Red);
    dc.setBackgroundMode(BackgroundMode::Opaque);
    dc.setTextColour(White);
    FontHandle font = createFont(16, FW_NORMAL);
    dc.selectFont(font);
    Rect rect{10, 10, 10, 10};
    dc.drawText("Cent", rect, DT_CALCRECT | DT_SINGLELINE);
    dc.drawText("Cent", rect, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_EQ(inkBox(canvas.getHandle(), dc.clientRect(), Black), rect);
    deleteFont(font);
}

TEST(DrawingContext, PolylineDrawsThroughItsPoints) {
    RecordingWindow parent;
    Canvas canvas(parent.getHandle());
    DrawingContext dc = DrawingContext::forWindow(canvas.getHandle());
    dc.fillSolid(dc.clientRect(), Black);
    dc.selectPen(Pen::solid(0, Green));
    const Point flat[] = {{10, 39}, {100, 39}, {150, 39}};
    dc.polyline(flat, 3);
    EXPECT_TRUE(allPixels(canvas.getHandle(), {10, 39, 150, 40}, Green));
    EXPECT_EQ(countPixels(canvas.getHandle(), {0, 38, 200, 39}, Green), 0);
    EXPECT_EQ(countPixels(canvas.getHandle(), {0, 40, 200, 41}, Green), 0);
    // Drawing the same line in black erases it completely.
    dc.selectPen(Pen::solid(0, Black));
    dc.polyline(flat, 3);
    EXPECT_EQ(countPixels(canvas.getHandle(), dc.clientRect(), Green), 0);
}

TEST(DrawingContext, ContextOutsidePaintKeepsItsDrawingAcrossRepaintsOfOthers) {
    RecordingWindow parent;
    Canvas canvas(parent.getHandle());
    canvas.paint = [](DrawingContext& dc) { dc.fillSolid(dc.clientRect(), Black); };
    updateWindow(canvas.getHandle());
    {
        DrawingContext dc = DrawingContext::forWindow(canvas.getHandle());
        dc.fillSolid({5, 5, 15, 15}, Red);
    }
    // Showing the window again copies the buffer; it does not paint anew.
    const int paints = canvas.paints;
    widgetOf(parent.getHandle())->repaint();
    EXPECT_EQ(canvas.paints, paints);
    EXPECT_TRUE(allPixels(canvas.getHandle(), {5, 5, 15, 15}, Red));
}

TEST(DrawingContext, BackBufferAtPixelRatioTwoIsDrawnInLogicalPixels) {
    RecordingWindow parent;
    Canvas canvas(parent.getHandle(), 100, 50);
    FontHandle font = createFont(18, FW_BOLD);
    Rect measuredAtOne;
    canvas.paint = [&](DrawingContext& dc) {
        dc.fillSolid(dc.clientRect(), Black);
        dc.fillSolid({10, 10, 20, 15}, Red);
        dc.selectFont(font);
        Rect r{0, 0, 0, 0};
        dc.drawText("441.52", r, DT_CALCRECT | DT_SINGLELINE);
        measuredAtOne = r;
    };
    updateWindow(canvas.getHandle());
    const Rect atOne = measuredAtOne;
    setWindowPixelRatio(canvas.getHandle(), 2.0);
    EXPECT_EQ(getWindowPixelRatio(canvas.getHandle()), 2.0);
    updateWindow(canvas.getHandle());
    const QImage* image = backBuffer(canvas.getHandle());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width(), 200);
    EXPECT_EQ(image->height(), 100);
    // The red box covers device pixels 20..39 × 20..29 exactly.
    int red = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (fromQColour(image->pixelColor(x, y)) == Red) {
                ++red;
                EXPECT_TRUE(x >= 20 && x < 40 && y >= 20 && y < 30) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(red, 20 * 10);
    EXPECT_EQ(getPixel(canvas.getHandle(), 19, 14), Red);
    // Layout stays in logical pixels: the same text measures the same.
    EXPECT_EQ(measuredAtOne, atOne);
    EXPECT_EQ(getClientRect(canvas.getHandle()), (Rect{0, 0, 100, 50}));
    deleteFont(font);
}

TEST(DrawingContext, ButtonFaceColourIsThePalettes) {
    const Colour face = buttonFaceColour();
    EXPECT_NE(face, Black);
}

} // namespace
} // namespace tonvela
