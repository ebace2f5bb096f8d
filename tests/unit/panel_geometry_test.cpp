// Where the panel goes on consoles of every size, and the layout numbers of the narrow and wide panel.
#include <gtest/gtest.h>

#include "panel/geometry.h"

using namespace quaver;

namespace {

TEST(PanelGeometry, NarrowAndWidePanelsHaveTheirFixedLayoutNumbers) {
    const PanelGeometry narrow = ComputePanelGeometry(80, 25, false);
    EXPECT_EQ(narrow.panelWidth, 34u);
    EXPECT_EQ(narrow.trackLabelX, 3u);
    EXPECT_EQ(narrow.timeLabelCentre, 23u);
    EXPECT_EQ(narrow.infoLineX, 5u);
    EXPECT_EQ(narrow.titleFieldLength, 30u);

    const PanelGeometry wide = ComputePanelGeometry(80, 25, true);
    EXPECT_EQ(wide.panelWidth, 38u);
    EXPECT_EQ(wide.trackLabelX, 5u);
    EXPECT_EQ(wide.timeLabelCentre, 27u);
    EXPECT_EQ(wide.infoLineX, 7u);
    EXPECT_EQ(wide.titleFieldLength, 34u);
}

TEST(PanelGeometry, TheUsualConsoleCentresThePanelRoundingDown) {
    EXPECT_EQ(ComputePanelGeometry(80, 25, false).x, 23);
    EXPECT_EQ(ComputePanelGeometry(80, 25, false).y, 5);
    EXPECT_EQ(ComputePanelGeometry(80, 25, true).x, 21);
    EXPECT_EQ(ComputePanelGeometry(81, 25, false).x, 23) << "an odd column left over goes to the right";
    EXPECT_EQ(ComputePanelGeometry(80, 26, false).y, 5);
    EXPECT_EQ(ComputePanelGeometry(80, 27, false).y, 6);
    EXPECT_EQ(ComputePanelGeometry(200, 60, true).x, 81);
    EXPECT_EQ(ComputePanelGeometry(200, 60, true).y, 22);
}

TEST(PanelGeometry, AConsoleJustBigEnoughPutsThePanelInTheCorner) {
    EXPECT_EQ(ComputePanelGeometry(34, 15, false).x, 0);
    EXPECT_EQ(ComputePanelGeometry(34, 15, false).y, 0);
    EXPECT_EQ(ComputePanelGeometry(35, 16, false).x, 0);
    EXPECT_EQ(ComputePanelGeometry(35, 16, false).y, 0);
    EXPECT_EQ(ComputePanelGeometry(36, 17, false).x, 1);
    EXPECT_EQ(ComputePanelGeometry(36, 17, false).y, 1);
    EXPECT_EQ(ComputePanelGeometry(38, 15, true).x, 0);
}

TEST(PanelGeometry, ATinyConsoleKeepsThePanelsCornerOnTheScreenInsteadOfFarAway) {
    for (int32_t width : {0, 1, 20, 33}) {
        for (int32_t height : {0, 1, 10, 14}) {
            const PanelGeometry geometry = ComputePanelGeometry(width, height, false);
            EXPECT_EQ(geometry.x, 0) << width << "x" << height;
            EXPECT_EQ(geometry.y, 0) << width << "x" << height;
        }
    }
    EXPECT_EQ(ComputePanelGeometry(37, 25, true).x, 0) << "one column short of the wide panel";
    EXPECT_EQ(ComputePanelGeometry(100, 8, false).x, 33) << "only the short side is clamped";
    EXPECT_EQ(ComputePanelGeometry(100, 8, false).y, 0);
    EXPECT_EQ(ComputePanelGeometry(-5, -5, false).x, 0) << "a nonsense size is no size";
}

}  // namespace
