#include "platform/gui/Icon.h"

#include "platform/gui/QtBridge.h"
#include "platform/gui/WindowRecord.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include <map>
#include <memory>

static void initIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace tonvela {

namespace {

QString iconPath(int id) {
    return QStringLiteral(":/icons/%1.svg").arg(id);
}

void ensureResources() {
    static const bool done = [] {
        initIconResources();
        return true;
    }();
    (void)done;
}

} // namespace

QImage renderIconImage(int id, int size) {
    ensureResources();
    QSvgRenderer renderer(iconPath(id));
    if (!renderer.isValid() || size <= 0) {
        return {};
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, size, size));
    return image;
}

IconHandle loadIcon(int id) {
    ensureResources();
    static std::map<int, std::unique_ptr<Icon>> icons;
    auto it = icons.find(id);
    if (it != icons.end()) {
        return it->second.get();
    }
    if (!QFile::exists(iconPath(id))) {
        return nullptr;
    }
    auto icon = std::make_unique<Icon>();
    icon->id = id;
    // Pictures for every size a button or a title bar asks for, at 1× and 2×.
    for (int size : {16, 20, 24, 32, 40, 48, 64}) {
        const QImage image = renderIconImage(id, size);
        if (!image.isNull()) {
            icon->qicon.addPixmap(QPixmap::fromImage(image));
        }
    }
    const Icon* handle = icon.get();
    icons.emplace(id, std::move(icon));
    return handle;
}

int iconId(IconHandle icon) {
    return icon ? icon->id : 0;
}

QIcon toQIcon(IconHandle icon) {
    return icon ? icon->qicon : QIcon();
}

} // namespace tonvela
