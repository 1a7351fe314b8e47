#include "panel/ProtocolControl.h"
#include "resources/StringIds.h"

#include "platform/gui/MessageBox.h"
#include "platform/gui/WindowStyles.h"
#include "platform/gui/WindowSystem.h"
#include "platform/store/Settings.h"
#include "runtime/Messages.h"
#include "runtime/NumberText.h"
#include "state/Protocol.h"
#include "tuning/ToneScaleCollection.h"
#include "widgets/DrawingHelpers.h"
#include "widgets/ResourceManager.h"

#include <algorithm>

namespace tonvela {

namespace {

const char* const settingsSection = "settings";
const char* const settingsValue = "protocol";
constexpr unsigned autoRecordBit = 1;

bool isNote(int note) {
    return note >= 0 && note < Protocol::NoteCount;
}

std::string gridFontName(int size, bool bold) {
    return "Arial," + NumberText::integer(size) + (bold ? ",BOLD" : ",PLAIN");
}

} // namespace

ProtocolControl::ProtocolControl(WindowHandle* parent, Protocol& protocol,
                                 ToneScaleCollection& toneScales, const ResourceManager& resources)
    : Window("", "", WS_CHILD | WS_VISIBLE, parent, 0), resources(resources),
      headerFont(resources.getFont("Arial,24,BOLD")),
      valueFont(resources.getFont("Arial,24,PLAIN")),
      autoCheck(handle, 0, resources.loadString(IDS_AUTOMATIC)),
      recordButton(handle, 0, resources.loadString(IDS_RECORD)),
      removeButton(handle, 0, resources.loadString(IDS_REMOVE)), protocol(protocol),
      toneScales(toneScales) {
    protocol.addListener(this);
    toneScales.addListener(this);
    const FontHandle buttonFont = resources.getFont("Arial,14,PLAIN");
    autoCheck.setFont(buttonFont);
    recordButton.setFont(buttonFont);
    removeButton.setFont(buttonFont);
    const unsigned stored =
        static_cast<unsigned>(Settings(settingsSection).readInt(settingsValue, 0));
    autoRecord = (stored & autoRecordBit) != 0;
    autoCheck.setChecked(autoRecord);
}

ProtocolControl::~ProtocolControl() {
    Settings(settingsSection).writeInt(settingsValue, autoRecord ? 1 : 0);
    protocol.removeListener(this);
    toneScales.removeListener(this);
}

// The grid answers as a window, so that a change shows the same whether the
// protocol or a message tells it.
void ProtocolControl::onReset() {
    if (handle) {
        sendMessage(handle, WM_PROTOCOL_RESET);
    }
}

void ProtocolControl::onEntry(int note) {
    if (handle) {
        sendMessage(handle, WM_PROTOCOL_ENTRY, WParam(note));
    }
}

void ProtocolControl::toneScaleChanged() {
    invalidate();
}

void ProtocolControl::setTarget(const TargetData& targetData) {
    target = &targetData;
}

void ProtocolControl::setResult(const AnalysisResultIfc* r) {
    result = r;
    // Only a reading of one steady tone of the target goes into the protocol:
    // with automatic measurement stop off the panel also shows unclear ones.
    if (!r || !autoRecord || !r->isValid()) {
        return;
    }
    const TargetData* measured = r->getTargetData();
    if (measured && isNote(measured->note)) {
        protocol.setFrequency(measured->note, r->getFrequency(), true);
    }
}

void ProtocolControl::confirmClear() {
    if (messageBox(handle, resources.loadString(IDS_CLEAR_PROTOCOL_QUESTION),
                   resources.loadString(IDS_CLEAR_PROTOCOL),
                   MB_OKCANCEL | MB_ICONQUESTION) == IDOK) {
        protocol.clear();
    }
}

int ProtocolControl::fontSizeFor(int cellWidth, int rowHeight) {
    struct Step {
        int minCellWidth;
        int minRowHeight;
        int size;
    };
    static constexpr Step steps[] = {{90, 31, 24}, {81, 27, 22}, {68, 23, 20},
                                     {61, 19, 18}, {54, 17, 16}, {47, 15, 14}};
    for (const Step& step : steps) {
        if (cellWidth >= step.minCellWidth && rowHeight >= step.minRowHeight) {
            return step.size;
        }
    }
    return cellWidth < 40 || rowHeight < 13 ? 10 : 12;
}

void ProtocolControl::layout(int width, int height) {
    labelColumnWidth = (width - 2 * outerMargin) / 30;
    cellWidth = (width - 2 * outerMargin - labelColumnWidth) / 12;
    gridWidth = labelColumnWidth + 12 * cellWidth;
    gridLeft = (width - gridWidth) / 2;
    rowHeight = (height - 2 * outerMargin - stripHeight) / 9;
    gridTop = (height - stripHeight - 9 * rowHeight) / 2;

    const int size = fontSizeFor(cellWidth, rowHeight);
    headerFont = resources.getFont(gridFontName(size, true));
    valueFont = resources.getFont(gridFontName(size, false));

    // Three controls 4 pixels apart, the last 4 pixels from the right edge,
    // each 98 pixels wide or as wide as its caption needs.
    const int y = height - buttonGap - buttonHeight - 1;
    int right = width - buttonGap;
    for (Window* control :
         {static_cast<Window*>(&removeButton), static_cast<Window*>(&recordButton),
          static_cast<Window*>(&autoCheck)}) {
        const int w = std::max(buttonWidth, getPreferredSize(control->getHandle()).x);
        control->setPosition(right - w, y, w, buttonHeight);
        right -= w + buttonGap;
    }
}

Rect ProtocolControl::cellRect(int note) const {
    const int column = note % 12;
    const int row = note / 12;
    const int x = gridLeft + labelColumnWidth + column * cellWidth + 1;
    const int y = gridTop + (row + 1) * rowHeight + 1;
    return {x, y, x + cellWidth - 1, y + rowHeight - 1};
}

Colour ProtocolControl::cellColour(int column) const {
    switch (column) {
    case 1:
    case 3:
    case 6:
    case 8:
    case 10:
        return sharpColour;
    default:
        return plainColour;
    }
}

int ProtocolControl::hitTest(int x, int y) const {
    // A control too small for any cell has none to hit.
    if (cellWidth <= 0 || rowHeight <= 0) {
        return -1;
    }
    const int dx = x - (gridLeft + labelColumnWidth);
    if (dx < 0) {
        return -1;
    }
    const int column = dx / cellWidth;
    if (column > 11) {
        return -1;
    }
    const int dy = y - (gridTop + rowHeight);
    if (dy < 0 || dy / rowHeight >= 8) {
        return -1;
    }
    return column + 12 * (dy / rowHeight);
}

LResult ProtocolControl::handleMessage(WindowHandle* hwnd, unsigned message, WParam wParam,
                                       LParam lParam) {
    switch (message) {
    case WM_SIZE:
        layout(int(loWord(WParam(lParam))), int(hiWord(WParam(lParam))));
        break;
    case WM_PAINT: {
        DrawingContext dc = DrawingContext::forPaint(hwnd);
        paint(dc);
        return 0;
    }
    case WM_COMMAND:
        if (hiWord(wParam) == BN_CLICKED) {
            WindowHandle* sender = handleFromLParam(lParam);
            if (sender == autoCheck.getHandle()) {
                autoRecord = autoCheck.isChecked();
            } else if (sender == recordButton.getHandle()) {
                if (result && target && isNote(target->note)) {
                    protocol.setFrequency(target->note, result->getFrequency(), true);
                }
            } else if (sender == removeButton.getHandle()) {
                if (target && isNote(target->note)) {
                    protocol.setFrequency(target->note, 0.0f, true);
                }
            }
        }
        break;
    case WM_LBUTTONDOWN: {
        const int note = hitTest(pointX(lParam), pointY(lParam));
        if (note >= 0) {
            sendMessage(getParent(hwnd), WM_TARGET_NOTE, WParam(note), 0);
        }
        return 0;
    }
    case WM_PROTOCOL_RESET:
        invalidate();
        return 0;
    case WM_PROTOCOL_ENTRY: {
        const int note = static_cast<int>(wParam);
        if (isNote(note)) {
            const Rect cell = cellRect(note);
            invalidateRect(hwnd, &cell);
        }
        return 0;
    }
    default:
        break;
    }
    return Window::handleMessage(hwnd, message, wParam, lParam);
}

Rect ProtocolControl::outlineRect(int note) const {
    const Rect cell = cellRect(note);
    return {cell.left - 1, cell.top - 1, cell.right + 1, cell.bottom + 1};
}

void ProtocolControl::targetChanged() {
    if (!target) {
        return;
    }
    for (int note : {outlinedNote, target->note}) {
        if (isNote(note)) {
            const Rect area = outlineRect(note);
            invalidateRect(handle, &area);
        }
    }
    outlinedNote = target->note;
}

void ProtocolControl::paint(DrawingContext& dc) {
    const Rect client = dc.clientRect();
    drawFrame(dc, client, frameTopLeft, frameBottomRight);

    // Inside the frame and above the button strip, what the grid leaves.
    const Rect inside{client.left + 1, client.top + 1, client.right - 1,
                      client.bottom - 1 - stripHeight};
    const int gridRight = gridLeft + gridWidth + 1;
    const int gridBottom = gridTop + 9 * rowHeight + 1;
    fillMargins(dc, inside, gridTop - inside.top, gridLeft + labelColumnWidth - inside.left,
                inside.bottom - gridBottom, inside.right - gridRight, plainColour);
    dc.fillSolid({client.left + 1, inside.bottom, client.right - 1, client.bottom - 1},
                 buttonFaceColour());

    const int columnsLeft = gridLeft + labelColumnWidth;
    fillBox(dc, columnsLeft, gridTop, gridWidth - labelColumnWidth, 1, gridColour);
    for (int k = 1; k <= 9; ++k) {
        fillBox(dc, gridLeft, gridTop + k * rowHeight, gridWidth, 1, gridColour);
    }
    fillBox(dc, gridLeft, gridTop + rowHeight, 1, 8 * rowHeight, gridColour);
    for (int k = 0; k <= 12; ++k) {
        fillBox(dc, columnsLeft + k * cellWidth, gridTop, 1, 9 * rowHeight, gridColour);
    }

    dc.setBackgroundMode(BackgroundMode::Transparent);
    dc.setTextColour(headerColour);
    dc.selectFont(headerFont);
    for (int k = 0; k < 12; ++k) {
        const int x = columnsLeft + k * cellWidth + 1;
        fillBox(dc, x, gridTop + 1, cellWidth - 1, rowHeight - 1, cellColour(k));
        drawTextCentered(dc, toneScales.getNoteName(k), x, gridTop + 1, cellWidth - 1,
                         rowHeight - 1);
    }
    for (int r = 0; r < 8; ++r) {
        drawTextCentered(dc, toneScales.formatNumber(r), gridLeft + 4,
                         gridTop + (r + 1) * rowHeight, labelColumnWidth - 4, rowHeight);
    }

    if (isNote(outlinedNote)) {
        const Rect outline = outlineRect(outlinedNote);
        drawOutline(dc, outline.left, outline.top, outline.width(), outline.height(),
                    outlineColour);
    }

    dc.setTextColour(valueColour);
    dc.selectFont(valueFont);
    for (int note = 0; note < Protocol::NoteCount; ++note) {
        const Rect cell = cellRect(note);
        dc.fillSolid(cell, cellColour(note % 12));
        const float frequency = protocol.getFrequency(note);
        if (frequency > 0.0f) {
            drawTextCentered(dc, toneScales.formatDeviation(note, frequency), cell.left, cell.top,
                             cell.width(), cell.height());
        }
    }
}

} // namespace tonvela
