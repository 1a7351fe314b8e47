// The status-bar pane that counts lost stretches of sound input.
#include "app/LostInputIndicator.h"

#include <gtest/gtest.h>

namespace tonvela {
namespace {

TEST(LostInputIndicator, HiddenUntilInputIsLostThenCounts) {
    int lost = 0;
    LostInputIndicator pane([&] { return lost; });
    pane.refresh();
    EXPECT_TRUE(pane.isHidden());
    lost = 3;
    pane.refresh();
    EXPECT_FALSE(pane.isHidden());
    EXPECT_TRUE(pane.text().contains(QStringLiteral("3"))) << pane.text().toStdString();
    EXPECT_EQ(pane.accessibleName(), pane.text());
    EXPECT_EQ(pane.objectName(), QStringLiteral("LostInput"));
}

} // namespace
} // namespace tonvela
