// The drawing helpers and labels in every font of the resource manager, to
// judge text placement and sharpness.
#include "gallery/Gallery.h"

#include "platform/gui/DrawingContext.h"
#include "platform/gui/WindowStyles.h"
#include "runtime/Messages.h"
#include "support/DisplayResources.h"
#include "widgets/DrawingHelpers.h"
#include "widgets/Label.h"
#include "widgets/ResourceManager.h"

namespace {

using namespace tonvela;

class WidgetSampler : public Window {
public:
    explicit WidgetSampler(WindowHandle* parent) : Window("", "", WS_CHILD | WS_VISIBLE, parent) {}

    LResult handleMessage(WindowHandle* hwnd, unsigned message, WParam wParam,
                          LParam lParam) override {
        if (message != WM_PAINT) {
            return Window::handleMessage(hwnd, message, wParam, lParam);
        }
        const ResourceManager& rm = test::displayResources();
        DrawingContext dc = DrawingContext::forPaint(hwnd);
        const Rect client = dc.clientRect();
        drawFilledFrame(dc, client, rgb(80, 83, 133), rgb(255, 255, 255), rgb(0, 0, 0));
        dc.setBackgroundMode(BackgroundMode::Transparent);
        // Anchored labels: right/bottom at x = 120, left/bottom beside them.
        struct Line {
            FontHandle font;
            const char* text;
            Colour colour;
        };
        const Line lines[] = {{rm.largeFont, "A4", rgb(218, 0, 0)},
                              {rm.mediumFont, "440.00", rgb(218, 0, 0)},
                              {rm.largeFont, "+3.46", rgb(0, 218, 0)},
                              {rm.mediumFont, "441.52", rgb(0, 218, 0)}};
        int y = 36;
        for (const Line& line : lines) {
            Label label(line.font);
            label.setAnchor(120, y);
            label.setAlignment(LabelAlignment::Right, LabelAlignment::Bottom);
            dc.setTextColour(line.colour);
            label.setText(line.text);
            label.draw(dc);
            fillBox(dc, 120, y - 1, 4, 1, rgb(255, 255, 0)); // the anchor's row
            y += 34;
        }
        dc.setTextColour(rgb(255, 255, 255));
        int row = 8;
        for (const char* name : {"Arial,10,PLAIN", "Arial,12,PLAIN", "Arial,14,PLAIN",
                                 "Arial,15,PLAIN", "Arial,16,PLAIN", "Arial,18,BOLD",
                                 "Arial,20,BOLD", "Arial,22,BOLD", "Arial,24,BOLD"}) {
            dc.selectFont(rm.getFont(name));
            Rect box{140, row, 140, row};
            dc.drawText(std::string(name) + "  Stimmung: Kammerton (a4)", box,
                        DT_CALCRECT | DT_SINGLELINE);
            drawOutline(dc, box.left - 1, box.top - 1, box.width() + 2, box.height() + 2,
                        rgb(26, 35, 156));
            dc.drawText(std::string(name) + "  Stimmung: Kammerton (a4)", box, DT_SINGLELINE);
            row += box.height() + 4;
        }
        // A thin green curve with one peak, as the chart draws it.
        const Point curve[] = {{10, 176}, {40, 175}, {55, 165}, {60, 148},
                               {65, 165}, {80, 175}, {110, 176}};
        dc.selectPen(Pen::solid(0, rgb(0, 255, 0)));
        dc.polyline(curve, int(std::size(curve)));
        return 0;
    }
};

} // namespace

TONVELA_GALLERY_PAGE(widgets) {
    WindowHandle* host = gallery.host(560, 190);
    WidgetSampler sampler(host);
    sampler.setPosition(4, 4, 552, 182);
    gallery.save(host, "widgets");
}
