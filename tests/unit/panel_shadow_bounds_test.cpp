// The shadow on a console lower than the panel: it dims only cells the console has.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "fake_host.h"
#include "fake_os.h"
#include "panel/frame.h"
#include "panel/panel.h"
#include "panel_harness.h"

using namespace quaver;

namespace {

TEST(ShadowBounds, AConsoleLowerThanThePanelGetsARightShadowOnlyOnItsOwnRows) {
    fake::PanelHarness panel({.consoleHeight = 8});
    ASSERT_EQ(panel.placement.y, 0);
    std::set<std::pair<int32_t, int32_t>> read;
    fake::world().onCellRead = [&read](int32_t x, int32_t y) { read.insert({x, y}); };
    DrawPanel(panel.placement);
    fake::world().onCellRead = nullptr;

    std::set<std::pair<int32_t, int32_t>> rightShadow;
    for (int32_t row = 1; row < 8; ++row)
        for (int32_t column = panel.placement.x + 34; column < panel.placement.x + 36; ++column)
            rightShadow.insert({column, row});
    EXPECT_EQ(read, rightShadow) << "rows 1 to 7; rows 8 to 11 and the bottom shadow lie below the console";
}

}  // namespace
