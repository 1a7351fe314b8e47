#include "gui/GuiTestSupport.h"
#include "platform/gui/WindowTesting.h"

#include "analysis/AnalysisResultStd.h"
#include "panel/WindowResultReceiver.h"
#include "platform/gui/QtBridge.h"
#include "runtime/Messages.h"
#include "widgets/Window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>
#include <thread>

namespace tonvela {
namespace {

using test::RecordingWindow;

// A payload that counts how many of its kind are alive.
struct CountedPayload {
    static inline int alive = 0;
    int value;
    explicit CountedPayload(int value) : value(value) { ++alive; }
    ~CountedPayload() { --alive; }
};

struct CountedResult : AnalysisResultStd {
    static inline int alive = 0;
    CountedResult() : AnalysisResultStd(TargetData(), 4, 1.0f) { ++alive; }
    ~CountedResult() override { --alive; }
};

TEST(WindowSystem, TwoUnnamedWindowsShareTheRegisteredClass) {
    RecordingWindow first;
    RecordingWindow second;
    ASSERT_NE(first.getHandle(), nullptr);
    ASSERT_NE(second.getHandle(), nullptr);
    EXPECT_NE(first.getHandle(), second.getHandle());
    EXPECT_EQ(getClassName(first.getHandle()), FrameworkWindowClass);
    EXPECT_EQ(getClassName(second.getHandle()), FrameworkWindowClass);
    EXPECT_EQ(getWindowText(second.getHandle()), "");
    // Registered once: a second registration is refused.
    EXPECT_FALSE(registerWindowClass(FrameworkWindowClass));
}

TEST(WindowSystem, ButtonClassWithEmptyNameIsAButtonWithEmptyTitle) {
    RecordingWindow parent;
    Window button("BUTTON", "", WS_CHILD | WS_VISIBLE, parent.getHandle(), 0);
    ASSERT_NE(button.getHandle(), nullptr);
    EXPECT_EQ(getClassName(button.getHandle()), "BUTTON");
    EXPECT_EQ(getWindowText(button.getHandle()), "");
    EXPECT_EQ(getParent(button.getHandle()), parent.getHandle());
    EXPECT_EQ(getParent(parent.getHandle()), nullptr);
}

TEST(WindowSystem, DestroyedWindowIsNoWindowAndItsHandleIsNeverReused) {
    WindowHandle* old = nullptr;
    {
        RecordingWindow window;
        old = window.getHandle();
        EXPECT_TRUE(isWindow(old));
    }
    EXPECT_FALSE(isWindow(old));
    RecordingWindow next;
    EXPECT_NE(next.getHandle(), old);
    EXPECT_EQ(sendMessage(old, WM_USER, 1, 2), 0);
}

TEST(WindowSystem, SizeArrivesAtOnceWithWidthAndHeightPacked) {
    RecordingWindow parent;
    struct SizeWatcher : Window {
        using Window::Window;
        std::vector<LParam> sizes;
        LResult handleMessage(WindowHandle* h, unsigned m, WParam w, LParam l) override {
            if (m == WM_SIZE) {
                sizes.push_back(l);
            }
            return Window::handleMessage(h, m, w, l);
        }
    } child("", "", WS_CHILD | WS_VISIBLE, parent.getHandle());
    child.setPosition(3, 4, 600, 30);
    ASSERT_EQ(child.sizes.size(), 1u);
    EXPECT_EQ(loWord(child.sizes[0]), 600u);
    EXPECT_EQ(hiWord(child.sizes[0]), 30u);
    EXPECT_EQ(getClientRect(child.getHandle()), (Rect{0, 0, 600, 30}));
    EXPECT_EQ(getWindowRect(child.getHandle()), (Rect{3, 4, 603, 34}));
    child.setPosition(10, 10, 600, 30); // moving alone is no new size
    EXPECT_EQ(child.sizes.size(), 1u);
}

TEST(WindowSystem, FirstPlacementIsToldEvenAtTheToolkitsDefaultSize) {
    // A shown child starts at Qt's default 100 × 30 before its object is
    // attached; a display placed at exactly that size must still lay out.
    RecordingWindow parent;
    struct SizeWatcher : Window {
        using Window::Window;
        int sizes = 0;
        LResult handleMessage(WindowHandle* h, unsigned m, WParam w, LParam l) override {
            sizes += m == WM_SIZE ? 1 : 0;
            return Window::handleMessage(h, m, w, l);
        }
    } child("", "", WS_CHILD | WS_VISIBLE, parent.getHandle());
    const Rect start = getClientRect(child.getHandle());
    child.setPosition(0, 0, start.width(), start.height());
    EXPECT_EQ(child.sizes, 1);
    child.setPosition(0, 0, 100, 30);
    child.setPosition(0, 0, 100, 30);
    EXPECT_EQ(child.sizes, start.width() == 100 && start.height() == 30 ? 1 : 2);
}

TEST(WindowSystem, LeftClickAndKeysBecomeMessages) {
    RecordingWindow window(200, 100);
    QWidget* widget = widgetOf(window.getHandle());
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(37, 61));
    QTest::keyClick(widget, Qt::Key_PageUp);
    QTest::keyClick(widget, Qt::Key_Left);
    const auto clicks = window.messages(WM_LBUTTONDOWN);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(pointX(clicks[0].lParam), 37);
    EXPECT_EQ(pointY(clicks[0].lParam), 61);
    const auto keys = window.messages(WM_KEYDOWN);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].wParam, VK_PRIOR);
    EXPECT_EQ(keys[1].wParam, VK_LEFT);
}

TEST(WindowSystem, PointFieldsAreSigned16Bit) {
    const LParam packed = makePointLParam(-3, 250);
    EXPECT_EQ(pointX(packed), -3);
    EXPECT_EQ(pointY(packed), 250);
    EXPECT_EQ(loWord(packed), 0xFFFDu);
}

TEST(WindowSystem, PostedMessagesArriveInOrderFromAnyThread) {
    RecordingWindow window;
    WindowHandle* target = window.getHandle();
    std::thread worker([target] {
        for (int i = 0; i < 50; ++i) {
            EXPECT_TRUE(postMessage(target, WM_USER + 1, WParam(i), 0));
        }
    });
    worker.join();
    EXPECT_TRUE(window.messages(WM_USER + 1).empty()); // nothing before the UI thread runs
    processPostedMessages();
    const auto got = window.messages(WM_USER + 1);
    ASSERT_EQ(got.size(), 50u);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(got[i].wParam, WParam(i));
    }
}

TEST(WindowSystem, OwnedPayloadPassesToTheHandlerOrIsDestroyed) {
    {
        RecordingWindow window;
        ASSERT_TRUE(
            postMessageOwned(window.getHandle(), WM_USER + 2, std::make_unique<CountedPayload>(7)));
        processPostedMessages();
        const auto got = window.messages(WM_USER + 2);
        ASSERT_EQ(got.size(), 1u);
        std::unique_ptr<CountedPayload> taken(reinterpret_cast<CountedPayload*>(got[0].wParam));
        EXPECT_EQ(taken->value, 7);
        EXPECT_EQ(CountedPayload::alive, 1); // delivered, not destroyed by the layer
    }
    EXPECT_EQ(CountedPayload::alive, 0);

    // The window goes before the message is delivered.
    WindowHandle* gone = nullptr;
    {
        RecordingWindow window;
        gone = window.getHandle();
        postMessageOwned(gone, WM_USER + 2, std::make_unique<CountedPayload>(8));
    }
    EXPECT_EQ(CountedPayload::alive, 1);
    processPostedMessages();
    EXPECT_EQ(CountedPayload::alive, 0);
}

TEST(WindowSystem, ResultReceiverDeliversTheResultAsWParam) {
    RecordingWindow window;
    WindowResultReceiver receiver(window.getHandle());
    std::thread worker([&receiver] { receiver.deliver(std::make_unique<CountedResult>()); });
    worker.join();
    processPostedMessages();
    EXPECT_EQ(WM_ANALYSIS_RESULT, 0x465u);
    const auto got = window.messages(WM_ANALYSIS_RESULT);
    ASSERT_EQ(got.size(), 1u);
    std::unique_ptr<AnalysisResultIfc> result(reinterpret_cast<AnalysisResultIfc*>(got[0].wParam));
    EXPECT_EQ(CountedResult::alive, 1);
    result.reset();
    EXPECT_EQ(CountedResult::alive, 0);
}

TEST(WindowSystem, TimersTickWithTheirIdsUntilKilled) {
    RecordingWindow window;
    WindowHandle* h = window.getHandle();
    const unsigned picked = setTimer(h, 0, 1);
    EXPECT_NE(picked, 0u);
    EXPECT_EQ(setTimer(h, 9, 1), 9u);
    EXPECT_NE(setTimer(h, 0, 1000), picked);
    EXPECT_TRUE(killTimer(h, picked));
    EXPECT_FALSE(killTimer(h, picked));
    QElapsedTimer guard;
    guard.start();
    while (window.messages(WM_TIMER).empty() && guard.elapsed() < 5000) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    const auto ticks = window.messages(WM_TIMER);
    ASSERT_FALSE(ticks.empty());
    EXPECT_EQ(ticks[0].wParam, 9u);
    EXPECT_TRUE(killTimer(h, 9));
}

TEST(WindowSystem, StyleChangesShowHideAndEnable) {
    RecordingWindow parent;
    Window child("", "", WS_CHILD | WS_VISIBLE, parent.getHandle());
    EXPECT_TRUE(isWindowVisible(child.getHandle()));
    child.setStyle(WS_CHILD | WS_VISIBLE);
    EXPECT_TRUE(isWindowVisible(child.getHandle()));
    child.setVisible(false);
    EXPECT_FALSE(child.isVisible());
    EXPECT_FALSE(isWindowVisible(child.getHandle()));
    child.setEnabled(false);
    EXPECT_FALSE(isWindowEnabled(child.getHandle()));
    EXPECT_TRUE(getWindowStyle(child.getHandle()) & WS_DISABLED);
}

} // namespace
} // namespace tonvela
