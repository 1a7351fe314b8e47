#include "gui/GuiTestSupport.h"

#include "platform/gui/QtBridge.h"
#include "platform/gui/WindowStyles.h"
#include "resources/IconIds.h"
#include "runtime/Messages.h"
#include "support/DisplayResources.h"
#include "widgets/Button.h"
#include "widgets/CheckBox.h"
#include "widgets/ResourceManager.h"
#include "widgets/ToggleButton.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace tonvela {
namespace {

using test::RecordingWindow;

void click(WindowHandle* button) {
    QWidget* widget = widgetOf(button);
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

TEST(Buttons, StylesAndQtControls) {
    RecordingWindow parent;
    Button plain(parent.getHandle(), 0, "Record");
    Button icon(parent.getHandle(), IconOctaveUp, "");
    ToggleButton toggle(parent.getHandle(), IconZoom, "");
    CheckBox check(parent.getHandle(), 0, "Automatic");
    EXPECT_EQ(getWindowStyle(plain.getHandle()), 0x50010001u);
    EXPECT_EQ(getWindowStyle(icon.getHandle()), 0x50010041u);
    EXPECT_EQ(getWindowStyle(toggle.getHandle()), 0x50011043u);
    EXPECT_EQ(getWindowStyle(check.getHandle()), 0x50010003u);
    EXPECT_TRUE(qobject_cast<QPushButton*>(widgetOf(plain.getHandle())));
    EXPECT_TRUE(qobject_cast<QToolButton*>(widgetOf(toggle.getHandle())));
    EXPECT_TRUE(qobject_cast<QCheckBox*>(widgetOf(check.getHandle())));
    EXPECT_EQ(getWindowText(check.getHandle()), "Automatic");
    auto* withIcon = qobject_cast<QAbstractButton*>(widgetOf(icon.getHandle()));
    EXPECT_FALSE(withIcon->icon().isNull());
    EXPECT_FALSE(qobject_cast<QAbstractButton*>(widgetOf(toggle.getHandle()))->icon().isNull());
    EXPECT_TRUE(qobject_cast<QAbstractButton*>(widgetOf(plain.getHandle()))->icon().isNull());
}

TEST(Buttons, ProgrammaticCheckDoesNotNotifyButAClickDoes) {
    RecordingWindow parent;
    ToggleButton toggle(parent.getHandle(), IconShowStrobe, "");
    toggle.setPosition(4, 4, 30, 24);
    toggle.setChecked(true);
    EXPECT_TRUE(toggle.isChecked());
    toggle.setChecked(false);
    EXPECT_FALSE(toggle.isChecked());
    EXPECT_TRUE(parent.messages(WM_COMMAND).empty());

    click(toggle.getHandle());
    EXPECT_TRUE(toggle.isChecked());
    auto commands = parent.messages(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(hiWord(commands[0].wParam), BN_CLICKED);
    EXPECT_EQ(handleFromLParam(commands[0].lParam), toggle.getHandle());

    click(toggle.getHandle());
    EXPECT_FALSE(toggle.isChecked());
    EXPECT_EQ(parent.messages(WM_COMMAND).size(), 2u);
}

TEST(Buttons, ClickStateIsSetBeforeTheOwnerIsTold) {
    RecordingWindow parent;
    struct Owner : Window {
        using Window::Window;
        CheckBox* box = nullptr;
        std::vector<bool> seen;
        LResult handleMessage(WindowHandle* h, unsigned m, WParam w, LParam l) override {
            if (m == WM_COMMAND && hiWord(w) == BN_CLICKED && box &&
                handleFromLParam(l) == box->getHandle()) {
                seen.push_back(box->isChecked());
            }
            return Window::handleMessage(h, m, w, l);
        }
    } owner("", "", WS_CHILD | WS_VISIBLE, parent.getHandle());
    owner.setPosition(0, 0, 300, 100);
    CheckBox box(owner.getHandle(), 0, "Automatic");
    box.setPosition(10, 10, 98, 24);
    owner.box = &box;
    click(box.getHandle());
    click(box.getHandle());
    EXPECT_EQ(owner.seen, (std::vector<bool>{true, false}));
    EXPECT_TRUE(parent.messages(WM_COMMAND).empty()); // only the button's own parent hears
}

TEST(Buttons, PushButtonsTellWhichOneWasClicked) {
    RecordingWindow parent;
    Button record(parent.getHandle(), 0, "Record");
    Button remove(parent.getHandle(), 0, "Remove");
    record.setPosition(0, 0, 98, 24);
    remove.setPosition(102, 0, 98, 24);
    click(remove.getHandle());
    click(record.getHandle());
    const auto commands = parent.messages(WM_COMMAND);
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(handleFromLParam(commands[0].lParam), remove.getHandle());
    EXPECT_EQ(handleFromLParam(commands[1].lParam), record.getHandle());
}

TEST(Buttons, DisabledButtonIsNotClickable) {
    RecordingWindow parent;
    Button down(parent.getHandle(), IconOctaveDown, "");
    down.setPosition(0, 0, 30, 24);
    down.setEnabled(false);
    click(down.getHandle());
    EXPECT_TRUE(parent.messages(WM_COMMAND).empty());
}

TEST(Buttons, SetFontReachesTheControl) {
    RecordingWindow parent;
    Button button(parent.getHandle(), 0, "Remove");
    button.setFont(test::displayResources().getFont("Arial,14,PLAIN"));
    EXPECT_EQ(widgetOf(button.getHandle())->font().pixelSize(), 13); // round(14 × 2048 / 2288)
}

} // namespace
} // namespace tonvela
