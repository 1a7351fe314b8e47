#include "platform/gui/WindowSystem.h"
#include "platform/gui/WindowTesting.h"

#include "platform/gui/PlatformWindow.h"
#include "platform/gui/QtBridge.h"
#include "platform/gui/WindowRecord.h"
#include "platform/gui/WindowStyles.h"
#include "runtime/Messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QPalette>
#include <QPushButton>
#include <QToolButton>

#include <mutex>
#include <set>
#include <unordered_map>

namespace tonvela {

namespace {

// Every window of the run, by the number its handle carries. Records stay
// until their widget is gone; a destroyed window's record is only marked
// dead, so a message being dispatched to it can finish.
struct Registry {
    std::unordered_map<std::uintptr_t, std::unique_ptr<WindowRecord>> records;
    std::unordered_map<const QWidget*, WindowRecord*> byWidget;
    std::uintptr_t nextId = 1;
    std::set<std::string> classes;
    int dispatchDepth = 0;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

std::uintptr_t idOf(WindowHandle* hwnd) {
    return reinterpret_cast<std::uintptr_t>(hwnd);
}

void forgetWidget(std::uintptr_t id) {
    Registry& r = registry();
    auto it = r.records.find(id);
    if (it == r.records.end()) {
        return;
    }
    WindowRecord* record = it->second.get();
    for (auto w = r.byWidget.begin(); w != r.byWidget.end(); ++w) {
        if (w->second == record) {
            r.byWidget.erase(w);
            break;
        }
    }
    if (record->painter && record->painter->isActive()) {
        record->painter->end();
    }
    r.records.erase(it);
}

WindowRecord* addRecord(QWidget* widget, WindowKind kind) {
    Registry& r = registry();
    auto record = std::make_unique<WindowRecord>();
    const std::uintptr_t id = r.nextId++;
    record->handle = reinterpret_cast<WindowHandle*>(id);
    record->kind = kind;
    record->widget = widget;
    WindowRecord* raw = record.get();
    r.records.emplace(id, std::move(record));
    r.byWidget[widget] = raw;
    QObject::connect(widget, &QObject::destroyed, [id]() { forgetWidget(id); });
    return raw;
}

bool haveApplication() {
    return qobject_cast<QApplication*>(QCoreApplication::instance());
}

// Posted messages travel as events to one object on the user-interface
// thread, which hands them to their windows in the order posted.
const QEvent::Type PostedMessageType = QEvent::Type(QEvent::registerEventType());

struct PostedMessage : QEvent {
    PostedMessage(WindowHandle* target, unsigned message, WParam wParam, LParam lParam,
                  void* payload, void (*destroy)(void*))
        : QEvent(PostedMessageType), target(target), message(message), wParam(wParam),
          lParam(lParam), payload(payload), destroy(destroy) {}
    ~PostedMessage() override {
        if (payload && destroy) {
            destroy(payload);
        }
    }
    WindowHandle* target;
    unsigned message;
    WParam wParam;
    LParam lParam;
    void* payload;
    void (*destroy)(void*);
};

class MessageDispatcher : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() != PostedMessageType) {
            return QObject::event(event);
        }
        auto* posted = static_cast<PostedMessage*>(event);
        WindowRecord* record = findRecord(posted->target);
        if (!record || !record->handler) {
            return true; // never delivered: the event's end destroys the payload
        }
        WParam wParam = posted->wParam;
        if (posted->payload) {
            wParam = reinterpret_cast<WParam>(posted->payload);
            posted->payload = nullptr; // the handler owns it now
        }
        dispatchMessage(record, posted->message, wParam, posted->lParam);
        return true;
    }
};

std::mutex dispatcherLock;
MessageDispatcher* dispatcher = nullptr;

void ensureDispatcher() {
    std::lock_guard<std::mutex> lock(dispatcherLock);
    if (dispatcher || !QCoreApplication::instance()) {
        return;
    }
    dispatcher = new MessageDispatcher;
    dispatcher->moveToThread(QCoreApplication::instance()->thread());
    dispatcher->setParent(QCoreApplication::instance());
    QObject::connect(dispatcher, &QObject::destroyed, []() {
        std::lock_guard<std::mutex> lock(dispatcherLock);
        dispatcher = nullptr;
    });
}

QWidget* makeButton(WindowKind kind, const QString& text, QWidget* parent) {
    switch (kind) {
    case WindowKind::ToggleButton: {
        auto* button = new QToolButton(parent);
        button->setCheckable(true);
        button->setText(text);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        return button;
    }
    case WindowKind::CheckBox:
        return new QCheckBox(text, parent);
    default: {
        auto* button = new QPushButton(text, parent);
        button->setAutoDefault(false);
        return button;
    }
    }
}

WindowKind buttonKind(unsigned style) {
    const unsigned type = style & BS_TYPEMASK;
    if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX) {
        return (style & BS_PUSHLIKE) ? WindowKind::ToggleButton : WindowKind::CheckBox;
    }
    return WindowKind::PushButton;
}

bool isButton(const WindowRecord* record) {
    return record->kind == WindowKind::PushButton || record->kind == WindowKind::ToggleButton ||
           record->kind == WindowKind::CheckBox;
}

void updateToolButtonStyle(WindowRecord* record) {
    auto* tool = qobject_cast<QToolButton*>(record->widget.data());
    if (!tool) {
        return;
    }
    if (tool->icon().isNull()) {
        tool->setToolButtonStyle(Qt::ToolButtonTextOnly);
    } else {
        tool->setToolButtonStyle(tool->text().isEmpty() ? Qt::ToolButtonIconOnly
                                                        : Qt::ToolButtonTextBesideIcon);
    }
}

} // namespace

WindowRecord* findRecord(WindowHandle* hwnd) {
    if (!hwnd) {
        return nullptr;
    }
    Registry& r = registry();
    auto it = r.records.find(idOf(hwnd));
    if (it == r.records.end() || it->second->dead || !it->second->widget) {
        return nullptr;
    }
    return it->second.get();
}

WindowRecord* findRecord(const QWidget* widget) {
    Registry& r = registry();
    auto it = r.byWidget.find(widget);
    if (it == r.byWidget.end() || it->second->dead) {
        return nullptr;
    }
    return it->second;
}

LResult dispatchMessage(WindowRecord* record, unsigned message, WParam wParam, LParam lParam) {
    MessageHandler* handler = record->handler;
    WindowHandle* hwnd = record->handle;
    if (!handler) {
        return defWindowProc(hwnd, message, wParam, lParam);
    }
    Registry& r = registry();
    ++r.dispatchDepth;
    const LResult result = handler->handleMessage(hwnd, message, wParam, lParam);
    --r.dispatchDepth;
    return result;
}

bool registerWindowClass(const std::string& className) {
    if (className.empty() || !haveApplication()) {
        return false;
    }
    ensureDispatcher();
    return registry().classes.insert(className).second;
}

bool isWindowClassRegistered(const std::string& className) {
    return registry().classes.count(className) > 0;
}

WindowHandle* createWindow(const std::string& className, const std::string& windowName,
                           unsigned style, WindowHandle* parent, unsigned exStyle) {
    if (!haveApplication()) {
        return nullptr;
    }
    QWidget* parentWidget = nullptr;
    if (parent) {
        WindowRecord* parentRecord = findRecord(parent);
        if (!parentRecord) {
            return nullptr;
        }
        parentWidget = parentRecord->widget;
    }
    ensureDispatcher();
    const QString text = QString::fromStdString(windowName);
    WindowRecord* record = nullptr;
    if (className == ButtonClass) {
        const WindowKind kind = buttonKind(style);
        QWidget* widget = makeButton(kind, text, parentWidget);
        record = addRecord(widget, kind);
        WindowHandle* self = record->handle;
        auto* button = static_cast<QAbstractButton*>(widget);
        QObject::connect(button, &QAbstractButton::clicked, [self]() {
            WindowHandle* owner = getParent(self);
            if (owner) {
                sendMessage(owner, WM_COMMAND, makeWParam(0, BN_CLICKED), toLParam(self));
            }
        });
    } else if (isWindowClassRegistered(className)) {
        auto* widget = new PlatformWindow(nullptr, parentWidget);
        record = addRecord(widget, WindowKind::Framework);
        widget->setRecord(record);
        record->size = QSize(0, 0);
        rebuildBuffer(record);
    } else {
        return nullptr;
    }
    record->className = className;
    record->style = style;
    record->exStyle = exStyle;
    if (!parentWidget) {
        record->widget->setWindowTitle(text);
    }
    record->widget->setEnabled(!(style & WS_DISABLED));
    if (style & WS_VISIBLE) {
        record->widget->show();
    }
    return record->handle;
}

void destroyWindow(WindowHandle* hwnd) {
    WindowRecord* record = findRecord(hwnd);
    if (!record) {
        return;
    }
    QWidget* widget = record->widget;
    // Children first, so none of them outlives its parent's record.
    for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (WindowRecord* childRecord = findRecord(child)) {
            destroyWindow(childRecord->handle);
        }
    }
    record->dead = true;
    record->handler = nullptr;
    if (auto* platform = qobject_cast<PlatformWindow*>(widget)) {
        for (const auto& [id, qtId] : record->timers) {
            platform->stopQtTimer(qtId);
        }
    }
    record->timers.clear();
    if (record->kind == WindowKind::Adopted) {
        return; // the shell owns its widget
    }
    widget->hide();
    if (registry().dispatchDepth > 0) {
        widget->deleteLater(); // a message may still be on its way through it
    } else {
        delete widget;
    }
}

bool isWindow(WindowHandle* hwnd) {
    return findRecord(hwnd) != nullptr;
}

void setWindowHandler(WindowHandle* hwnd, MessageHandler* handler) {
    if (WindowRecord* record = findRecord(hwnd)) {
        if (record->handler != handler) {
            record->sizeSent = QSize(-1, -1);
        }
        record->handler = handler;
    }
}

WindowHandle* getParent(WindowHandle* hwnd) {
    WindowRecord* record = findRecord(hwnd);
    if (!record) {
        return nullptr;
    }
    WindowRecord* parent = findRecord(record->widget->parentWidget());
    return parent ? parent->handle : nullptr;
}

std::string getClassName(WindowHandle* hwnd) {
    WindowRecord* record = findRecord(hwnd);
    return record ? record->className : std::string();
}

std::string getWindowText(WindowHandle* hwnd) {
    WindowRecord* record = findRecord(hwnd);
    if (!record) {
        return {};
    }
    if (auto* button = qobject_cast<QAbstractButton*>(record->widget.data())) {
        return button->text().toStdString();
    }
    return record->widget->windowTitle().toStdString();
}

unsigned getWindowStyle(WindowHandle* hwnd) {
    WindowRecord* record = findRecord(hwnd);
    if (!record) {
        return 0;
    }
    unsigned style = record->style & ~(WS_VISIBLE | WS_DISABLED);
    if (!record->widget->isHidden()) {
        style |= WS_VISIBLE;
    }
    if (!record->widget->isEnabled()) {
        style |= WS_DISABLED;
    }
    return style;
}

void setWindowStyle(WindowHandle* hwnd, unsigned style) {
    WindowRecord* record = findRecord(hwnd);
    if (!record) {
        return;
    }
    const unsigned old = getWindowStyle(hwnd);
    record->style = style;
    if ((old ^ style) & WS_DISABLED) {
        record->widget->setEnabled(!(style & WS_DISABLED));
    }
    if ((old ^ style) & WS_VISIBLE) {
        record->widget->setVisible(style & WS_VISIBLE);
    }
}

void setWindowPos(WindowHandle* hwnd, int x, int y, int width, int height) {
    WindowRecord* record = findRecord(hwnd);
    if (!record) {
        return;
    }
    width = std::max(width, 0);
    height = std::max(height, 0);
    record->widget->setGeometry(x, y, width, height);
    // Qt delays the resize of a hidden widget until it is shown; the window's
    // object learns its size now, as the displays lay themselves out on it.
    if (record->hasBuffer()) {
        applyClientSize(record, QSize(width, height));
    }
}

Rect getWindowRect(WindowHandle* hwnd) {
    WindowRecord* record = findRecord(hwnd);
    if (!record) {
        return {};
    }
    const QRect g = record->widget->geometry();
    return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

Rect getClientRect(WindowHandle* hwnd) {
    WindowRecord* record = findRecord(hwnd);
    if (!record) {
        return {};
    }
    if (record->hasBuffer()) {
        return {0, 0, record->size.width(), record->size.height()};
    }
    return {0, 0, record->widget->width(), record->widget->height()};
}

void showWindow(WindowHandle* hwnd, bool show) {
    if (WindowRecord* record = findRecord(hwnd)) {
        record->widget->setVisible(show);
    }
}

bool isWindowVisible(WindowHandle* hwnd) {
    WindowRecord* record = findRecord(hwnd);
    return record && !record->widget->isHidden();
}

void enableWindow(WindowHandle* hwnd, bool enable) {
    if (WindowRecord* record = findRecord(hwnd)) {
        record->widget->setEnabled(enable);
    }
}

bool isWindowEnabled(WindowHandle* hwnd) {
    WindowRecord* record = findRecord(hwnd);
    return record && record->widget->isEnabled();
}

void setWindowFocusable(WindowHandle* hwnd, bool focusable) {
    if (WindowRecord* record = findRecord(hwnd)) {
        record->widget->setFocusPolicy(focusable ? Qt::StrongFocus : Qt::NoFocus);
    }
}

void setFocus(WindowHandle* hwnd) {
    if (WindowRecord* record = findRecord(hwnd)) {
        record->widget->setFocus(Qt::OtherFocusReason);
    }
}

void setWindowDescription(WindowHandle* hwnd, const std::string& text) {
    if (WindowRecord* record = findRecord(hwnd)) {
        const QString description = QString::fromStdString(text);
        record->widget->setToolTip(description);
        record->widget->setAccessibleName(description);
    }
}

Point getPreferredSize(WindowHandle* hwnd) {
    WindowRecord* record = findRecord(hwnd);
    if (!record || !qobject_cast<QAbstractButton*>(record->widget.data())) {
        return {0, 0};
    }
    const QSize size = record->widget->sizeHint();
    return {size.width(), size.height()};
}

WindowHandle* getFocus() {
    WindowRecord* record = findRecord(QApplication::focusWidget());
    return record ? record->handle : nullptr;
}

void invalidateRect(WindowHandle* hwnd, const Rect* rect) {
    WindowRecord* record = findRecord(hwnd);
    if (!record) {
        return;
    }
    if (!record->hasBuffer()) {
        record->widget->update();
        return;
    }
    const QRect whole(QPoint(0, 0), record->size);
    const QRect area =
        rect ? QRect(rect->left, rect->top, rect->width(), rect->height()) & whole : whole;
    if (area.isEmpty()) {
        return;
    }
    record->invalid |= area;
    record->widget->update(area);
}

void updateWindow(WindowHandle* hwnd) {
    WindowRecord* record = findRecord(hwnd);
    if (!record || !record->hasBuffer() || record->invalid.isEmpty()) {
        return;
    }
    const QRect area = record->invalid;
    renderPendingPaint(record);
    if (record->widget) {
        record->widget->update(area);
    }
}

LResult sendMessage(WindowHandle* hwnd, unsigned message, WParam wParam, LParam lParam) {
    WindowRecord* record = findRecord(hwnd);
    if (!record) {
        return 0;
    }
    return dispatchMessage(record, message, wParam, lParam);
}

LResult defWindowProc(WindowHandle* hwnd, unsigned message, WParam wParam, LParam lParam) {
    WindowRecord* record = findRecord(hwnd);
    if (!record) {
        return 0;
    }
    if (message == WM_SETFONT) {
        record->font = fontFromWParam(wParam);
        if (isButton(record) && record->font) {
            record->widget->setFont(toQFont(record->font));
        }
        return 0;
    }
    if (!isButton(record)) {
        return 0;
    }
    auto* button = static_cast<QAbstractButton*>(record->widget.data());
    switch (message) {
    case BM_GETCHECK:
        return button->isCheckable() && button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK:
        // Setting the state is no click: nobody is told.
        if (button->isCheckable()) {
            button->setChecked(wParam == BST_CHECKED);
        }
        return 0;
    case BM_SETIMAGE: {
        if (wParam != IMAGE_ICON) {
            return 0;
        }
        const IconHandle old = record->icon;
        record->icon = iconFromLParam(lParam);
        button->setIcon(toQIcon(record->icon));
        button->setIconSize(QSize(16, 16));
        updateToolButtonStyle(record);
        return toLParam(old);
    }
    default:
        return 0;
    }
}

bool postMessage(WindowHandle* hwnd, unsigned message, WParam wParam, LParam lParam) {
    std::lock_guard<std::mutex> lock(dispatcherLock);
    if (!dispatcher) {
        return false;
    }
    QCoreApplication::postEvent(dispatcher,
                                new PostedMessage(hwnd, message, wParam, lParam, nullptr, nullptr));
    return true;
}

bool postMessageOwned(WindowHandle* hwnd, unsigned message, void* payload, void (*destroy)(void*)) {
    auto event = std::make_unique<PostedMessage>(hwnd, message, 0, 0, payload, destroy);
    std::lock_guard<std::mutex> lock(dispatcherLock);
    if (!dispatcher) {
        return false; // the event's end destroys the payload
    }
    QCoreApplication::postEvent(dispatcher, event.release());
    return true;
}

void processPostedMessages() {
    MessageDispatcher* target = nullptr;
    {
        std::lock_guard<std::mutex> lock(dispatcherLock);
        target = dispatcher;
    }
    if (target) {
        QCoreApplication::sendPostedEvents(target, PostedMessageType);
    }
}

unsigned setTimer(WindowHandle* hwnd, unsigned id, unsigned intervalMs) {
    WindowRecord* record = findRecord(hwnd);
    auto* platform = record ? qobject_cast<PlatformWindow*>(record->widget.data()) : nullptr;
    if (!platform) {
        return 0;
    }
    if (id == 0) {
        id = 1;
        while (record->timers.count(id)) {
            ++id;
        }
    }
    auto it = record->timers.find(id);
    if (it != record->timers.end()) {
        platform->stopQtTimer(it->second);
        record->timers.erase(it);
    }
    const int qtId = platform->startQtTimer(int(std::max(intervalMs, 1u)));
    if (qtId == 0) {
        return 0;
    }
    record->timers[id] = qtId;
    return id;
}

bool killTimer(WindowHandle* hwnd, unsigned id) {
    WindowRecord* record = findRecord(hwnd);
    auto* platform = record ? qobject_cast<PlatformWindow*>(record->widget.data()) : nullptr;
    if (!platform) {
        return false;
    }
    auto it = record->timers.find(id);
    if (it == record->timers.end()) {
        return false;
    }
    platform->stopQtTimer(it->second);
    record->timers.erase(it);
    return true;
}

Colour getPixel(WindowHandle* hwnd, int x, int y) {
    const QImage* image = backBuffer(hwnd);
    if (!image) {
        return {};
    }
    const double ratio = image->devicePixelRatio();
    const int px = int(x * ratio);
    const int py = int(y * ratio);
    if (x < 0 || y < 0 || px >= image->width() || py >= image->height()) {
        return {};
    }
    return fromQColour(image->pixelColor(px, py));
}

bool saveWindowImage(WindowHandle* hwnd, const std::string& path, bool withChildren) {
    WindowRecord* record = findRecord(hwnd);
    if (!record) {
        return false;
    }
    const QString file = QString::fromStdString(path);
    if (record->hasBuffer() && !withChildren) {
        updateWindow(hwnd);
        return record->buffer.save(file);
    }
    updateWindow(hwnd);
    return record->widget->grab().save(file);
}

void setWindowPixelRatio(WindowHandle* hwnd, double ratio) {
    WindowRecord* record = findRecord(hwnd);
    if (!record || !record->hasBuffer()) {
        return;
    }
    record->ratioOverride = ratio > 0.0 ? ratio : 0.0;
    rebuildBuffer(record);
    invalidateRect(hwnd, nullptr);
}

double getWindowPixelRatio(WindowHandle* hwnd) {
    WindowRecord* record = findRecord(hwnd);
    return record && record->hasBuffer() ? bufferRatio(record) : 1.0;
}

Colour buttonFaceColour() {
    return fromQColour(QApplication::palette().color(QPalette::Button));
}

QWidget* widgetOf(WindowHandle* hwnd) {
    WindowRecord* record = findRecord(hwnd);
    return record ? record->widget.data() : nullptr;
}

WindowHandle* handleOf(const QWidget* widget) {
    WindowRecord* record = widget ? findRecord(widget) : nullptr;
    return record ? record->handle : nullptr;
}

WindowHandle* adoptWidget(QWidget* widget) {
    if (!widget) {
        return nullptr;
    }
    if (WindowHandle* known = handleOf(widget)) {
        return known;
    }
    ensureDispatcher();
    WindowRecord* record = addRecord(widget, WindowKind::Adopted);
    record->className = widget->metaObject()->className();
    return record->handle;
}

const QImage* backBuffer(WindowHandle* hwnd) {
    WindowRecord* record = findRecord(hwnd);
    if (!record || !record->hasBuffer()) {
        return nullptr;
    }
    updateWindow(hwnd);
    return &record->buffer;
}

QColor toQColour(Colour colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

Colour fromQColour(const QColor& colour) {
    return rgb(colour.red(), colour.green(), colour.blue());
}

} // namespace tonvela
