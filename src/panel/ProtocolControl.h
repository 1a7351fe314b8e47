#pragma once

#include "analysis/AnalysisResultIfc.h"
#include "analysis/TargetData.h"
#include "platform/gui/DrawingContext.h"
#include "platform/gui/GuiTypes.h"
#include "state/Protocol.h"
#include "tuning/ToneScaleListener.h"
#include "widgets/Button.h"
#include "widgets/CheckBox.h"
#include "widgets/Window.h"

#include <string>

namespace tonvela {

class ResourceManager;

class ToneScaleCollection;

// The protocol grid: 12 note columns by 8 octave rows showing, for every
// measured note, its deviation from the note's current target in cents, with
// a red outline around the target note. Below it "Automatic" records every
// shown result, "Record" the shown one, "Remove" deletes the target's entry.
// A click into a cell makes its note the target (WM_TARGET_NOTE to the
// parent).
class ProtocolControl : public Window, public ToneScaleListener, public ProtocolListener {
public:
    // protocol, toneScales and resources are borrowed and outlive the grid.
    ProtocolControl(WindowHandle* parent, Protocol& protocol, ToneScaleCollection& toneScales,
                    const ResourceManager& resources);
    // Stores the automatic recording.
    ~ProtocolControl() override;

    LResult handleMessage(WindowHandle* hwnd, unsigned message, WParam wParam,
                          LParam lParam) override;
    void toneScaleChanged() override;
    // The protocol's change notes arrive as window messages.
    void onReset() override;
    void onEntry(int note) override;

    // The panel's target record, kept by reference.
    void setTarget(const TargetData& target);
    // Moves the red outline to the target note.
    void targetChanged();
    // The result the panel shows (not owned); recorded when automatic.
    void setResult(const AnalysisResultIfc* r);
    // Asks whether to clear the protocol, and clears it on OK.
    void confirmClear();

    // The note 0..95 of the cell at a client point, -1 outside the cells.
    int hitTest(int x, int y) const;
    // Cell of note 0..95 (without its grid lines).
    Rect cellRect(int note) const;
    // Font size of the grid for a cell size.
    static int fontSizeFor(int cellWidth, int rowHeight);

    bool isAutoRecord() const { return autoRecord; }
    const CheckBox& getAutoCheck() const { return autoCheck; }
    const Button& getRecordButton() const { return recordButton; }
    const Button& getRemoveButton() const { return removeButton; }
    FontHandle getHeaderFont() const { return headerFont; }
    FontHandle getValueFont() const { return valueFont; }
    int getOutlinedNote() const { return outlinedNote; }

    int labelColumnWidth = 0;
    int cellWidth = 0;
    int gridWidth = 0;
    int rowHeight = 0;
    int gridLeft = 0;
    int gridTop = 0;
    const int outerMargin = 5;
    const int buttonHeight = 24;
    const int buttonWidth = 98;
    const int buttonGap = 4;
    const int stripHeight = 32;

    const Colour plainColour = rgb(0, 0, 0);
    const Colour sharpColour = rgb(0, 14, 51);
    const Colour frameTopLeft = rgb(80, 83, 133);
    const Colour frameBottomRight = rgb(255, 255, 255);
    const Colour gridColour = rgb(26, 35, 156);
    const Colour headerColour = rgb(227, 227, 227);
    const Colour valueColour = rgb(0, 255, 0);
    const Colour outlineColour = rgb(255, 0, 0);

private:
    void layout(int width, int height);
    void paint(DrawingContext& dc);
    // The red outline of a target cell: the grid lines around the cell.
    Rect outlineRect(int note) const;
    Colour cellColour(int column) const;

    const ResourceManager& resources;
    const TargetData* target = nullptr;
    const AnalysisResultIfc* result = nullptr;
    FontHandle headerFont;
    FontHandle valueFont;
    CheckBox autoCheck;
    Button recordButton;
    Button removeButton;
    bool autoRecord = false;
    Protocol& protocol;
    ToneScaleCollection& toneScales;
    int outlinedNote = -1;
};

} // namespace tonvela
