// The icons at the sizes the panel shows them, and the panel's button row.
#include "gallery/Gallery.h"

#include "platform/gui/QtBridge.h"
#include "resources/IconIds.h"
#include "widgets/Button.h"
#include "widgets/ToggleButton.h"

#include <QImage>
#include <QPainter>

#include <memory>
#include <vector>

namespace {

using namespace tonvela;

const int iconIds[] = {IconShowTuningInfo, IconShowStrobe,        IconShowDeviation,
                       IconShowChart,      IconShowProtocol,      IconShowKeyboard,
                       IconZoom,           IconReferenceTone,     IconOctaveDown,
                       IconFifthDown,      IconSemitoneDown,      IconSemitoneUp,
                       IconFifthUp,        IconOctaveUp,          IconProgram,
                       IconScale,          IconProtocolProperties};

} // namespace

// Every icon at 16 and 32 pixels, on the light button face and on white,
// enlarged four times without smoothing so each pixel can be judged.
TONVELA_GALLERY_PAGE(iconSheet) {
    if (gallery.german() || gallery.ratio() != 1.0) {
        return;
    }
    const int count = int(std::size(iconIds));
    const int zoom = 4;
    const int cellWidth = 56;
    const int cellHeight = 36;
    QImage sheet(count * cellWidth * zoom, 2 * cellHeight * zoom, QImage::Format_RGB32);
    sheet.fill(QColor(239, 239, 239));
    QPainter painter(&sheet);
    painter.fillRect(0, cellHeight * zoom, sheet.width(), cellHeight * zoom, Qt::white);
    for (int i = 0; i < count; ++i) {
        const QImage small = renderIconImage(iconIds[i], 16);
        const QImage large = renderIconImage(iconIds[i], 32);
        for (int row = 0; row < 2; ++row) {
            const int x = i * cellWidth * zoom;
            const int y = row * cellHeight * zoom;
            painter.drawImage(QRect(x + 2 * zoom, y + 10 * zoom, 16 * zoom, 16 * zoom), small);
            painter.drawImage(QRect(x + 22 * zoom, y + 2 * zoom, 32 * zoom, 32 * zoom), large);
        }
    }
    painter.end();
    sheet.save(QString::fromStdString(gallery.path("icons-zoomed.png")));

    QImage actual(count * 56, 40, QImage::Format_RGB32);
    actual.fill(QColor(239, 239, 239));
    QPainter direct(&actual);
    for (int i = 0; i < count; ++i) {
        direct.drawImage(i * 56 + 2, 12, renderIconImage(iconIds[i], 16));
        direct.drawImage(i * 56 + 20, 4, renderIconImage(iconIds[i], 32));
    }
    direct.end();
    actual.save(QString::fromStdString(gallery.path("icons.png")));
}

// The panel's row of eight toggles and six transpose buttons, 30 × 24 each,
// some toggles pushed in.
TONVELA_GALLERY_PAGE(buttonRow) {
    WindowHandle* host = gallery.host(8 + 14 * 34, 32);
    std::vector<std::unique_ptr<ButtonAbs>> buttons;
    const int toggles[] = {IconShowTuningInfo, IconShowStrobe,   IconShowDeviation,
                           IconShowChart,      IconShowProtocol, IconShowKeyboard,
                           IconZoom,           IconReferenceTone};
    for (int i = 0; i < 8; ++i) {
        auto toggle = std::make_unique<ToggleButton>(host, toggles[i], "");
        toggle->setChecked(i != 2 && i < 6);
        toggle->setPosition(4 + i * 34, 4, 30, 24);
        buttons.push_back(std::move(toggle));
    }
    const int transpose[] = {IconOctaveDown, IconFifthDown, IconSemitoneDown,
                             IconSemitoneUp, IconFifthUp,   IconOctaveUp};
    for (int j = 0; j < 6; ++j) {
        auto button = std::make_unique<Button>(host, transpose[j], "");
        button->setPosition(4 + (8 + j) * 34, 4, 30, 24);
        buttons.push_back(std::move(button));
    }
    gallery.save(host, "button-row");
}
