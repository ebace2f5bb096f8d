// The panel as it appears on the console: its frame and buttons in all four looks, and its shadow.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fake_host.h"
#include "fake_os.h"
#include "panel/frame.h"
#include "panel/panel.h"
#include "panel_harness.h"
#include "panel_pictures.h"

using namespace quaver;

namespace {

using pictures::Picture;
using pictures::narrowGlyphPanel, pictures::narrowAsciiPanel, pictures::wideGlyphPanel, pictures::wideAsciiPanel;

class Frame : public ::testing::Test {
protected:
    void SetUp() override { Open({}); }
    void Open(const fake::PanelLook& look) {
        panel.reset();
        panel = std::make_unique<fake::PanelHarness>(look);
    }
    void DrawAndShow() {
        DrawPanel(panel->placement);
        fake::host().services.PutText(0, 0, 0, nullptr);
    }
    void ExpectPicture(const Picture& picture) {
        const int32_t width = static_cast<int32_t>(openPanel.panelWidth);
        for (size_t row = 0; row < picture.size(); ++row) {
            const std::string expected = fake::Oem(picture[row]);
            ASSERT_EQ(expected.size(), static_cast<size_t>(width)) << "picture row " << row;
            EXPECT_EQ(fake::ScreenRow(panel->placement.y + static_cast<int32_t>(row), panel->placement.x, width),
                      expected)
                << "row " << row << ": " << picture[row];
        }
    }
    std::unique_ptr<fake::PanelHarness> panel;
};

TEST_F(Frame, TheNarrowPanelWithGlyphLabelsLooksAsDesigned) {
    DrawAndShow();
    ExpectPicture(narrowGlyphPanel);
}

TEST_F(Frame, TheNarrowPanelWithAsciiLabelsLooksAsDesigned) {
    Open({.uglyButtons = true});
    DrawAndShow();
    ExpectPicture(narrowAsciiPanel);
}

TEST_F(Frame, TheWidePanelWithGlyphLabelsLooksAsDesigned) {
    Open({.wideTrackNumber = true});
    EXPECT_EQ(panel->placement.x, 21);
    DrawAndShow();
    ExpectPicture(wideGlyphPanel);
}

TEST_F(Frame, TheWidePanelWithAsciiLabelsLooksAsDesigned) {
    Open({.uglyButtons = true, .wideTrackNumber = true});
    DrawAndShow();
    ExpectPicture(wideAsciiPanel);
}

TEST_F(Frame, WithoutTheCloseButtonTheTopBorderIsUnbrokenApartFromTheTitle) {
    Open({.closeButton = false, .volumeControl = false, .repeatShuffle = false});
    DrawAndShow();
    EXPECT_EQ(fake::ScreenRow(5, 23, 34), fake::Oem("╔════════ Quaver Control ════════╗"));
    EXPECT_EQ(fake::ScreenRow(7, 23, 34), fake::Oem("║│                              │║")) << "no volume arrows";
    EXPECT_EQ(fake::ScreenRow(11, 23, 34), fake::Oem("║└──────────────────────────────┘║")) << "no indicators";
}

TEST_F(Frame, EveryFrameRowIsOneTextInTheFrameColourBottomAndTopFirst) {
    DrawPanel(panel->placement);
    const auto calls = fake::PutTexts();
    ASSERT_GE(calls.size(), 12u);
    const int rows[12] = {11, 0, 6, 1, 2, 3, 4, 5, 7, 8, 9, 10};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(calls[static_cast<size_t>(i)].y, 5 + rows[i]);
        EXPECT_EQ(calls[static_cast<size_t>(i)].x, 23);
        EXPECT_EQ(calls[static_cast<size_t>(i)].colour, 0x70);
        EXPECT_EQ(calls[static_cast<size_t>(i)].text.size(), 34u);
    }
    for (const auto& call : calls) EXPECT_FALSE(call.isFlush) << "the caller makes the panel visible";
}

TEST_F(Frame, ButtonsShowTheirFacesAndHalfBlockShadowsInTheirColours) {
    DrawAndShow();
    // rewind at (3, 7): face in entry 3, the shadow blocks in entry 5
    EXPECT_EQ(fake::CellAt(23 + 3, 12).attribute, 0x73);
    EXPECT_EQ(fake::CellAt(23 + 7, 12).attribute, 0x75);
    EXPECT_EQ(fake::CellAt(23 + 4, 13).attribute, 0x75);
    EXPECT_EQ(fake::CellAt(23 + 9, 5).attribute, 0x71) << "the title";
    EXPECT_EQ(fake::CellAt(23 + 30, 11).attribute, 0x76) << "the shuffle indicator";
    EXPECT_EQ(fake::CellAt(23 + 0, 5).attribute, 0x70) << "the frame";
}

// ---- the shadow ----------------------------------------------------------------------------------------------

TEST_F(Frame, TheShadowDimsTwoColumnsRightAndOneRowBelowKeepingTheCharacters) {
    fake::PaintHostScreen();
    DrawAndShow();
    const int32_t x = 23, y = 5, w = 34;
    for (int32_t row = y; row <= y + 12; ++row) {
        for (int32_t column = x; column <= x + w + 1; ++column) {
            const bool onPanel = row < y + 12 && column < x + w;
            if (onPanel) continue;
            const bool inShadow = (column >= x + w && row >= y + 1) || (row == y + 12 && column >= x + 2);
            const fake::Cell painted = fake::PaintedCell(column, row);
            const fake::Cell cell = fake::CellAt(column, row);
            EXPECT_EQ(cell.character, painted.character) << column << "," << row;
            EXPECT_EQ(cell.attribute, inShadow ? (painted.attribute & 7) : painted.attribute) << column << "," << row;
        }
    }
    EXPECT_EQ(fake::CellAt(x + w + 2, y + 5), fake::PaintedCell(x + w + 2, y + 5)) << "only two columns";
    EXPECT_EQ(fake::CellAt(x + 5, y + 13), fake::PaintedCell(x + 5, y + 13)) << "only one row";
}

TEST_F(Frame, DrawingThePanelAgainDoesNotDarkenItsShadowFurther) {
    fake::PaintHostScreen();
    DrawAndShow();
    std::vector<fake::Cell> first;
    for (int32_t row = 0; row < 25; ++row)
        for (int32_t column = 0; column < 80; ++column) first.push_back(fake::CellAt(column, row));
    DrawAndShow();
    std::vector<fake::Cell> second;
    for (int32_t row = 0; row < 25; ++row)
        for (int32_t column = 0; column < 80; ++column) second.push_back(fake::CellAt(column, row));
    EXPECT_EQ(first, second);
}

TEST_F(Frame, AShadowCellThatCannotBeReadIsLeftAsItIs) {
    fake::PaintHostScreen();
    fake::world().unreadableCells = {{23 + 34, 8}, {23 + 10, 5 + 12}};
    DrawAndShow();
    EXPECT_EQ(fake::CellAt(57, 8), fake::PaintedCell(57, 8));
    EXPECT_EQ(fake::CellAt(33, 17), fake::PaintedCell(33, 17));
    EXPECT_EQ(fake::CellAt(58, 8).attribute, fake::PaintedCell(58, 8).attribute & 7) << "its neighbours are dimmed";
    EXPECT_EQ(fake::CellAt(34, 17).attribute, fake::PaintedCell(34, 17).attribute & 7);
}

TEST_F(Frame, APanelAgainstTheRightEdgeCastsNoRightShadowAndAShorterBottomOne) {
    Open({.consoleWidth = 34});
    fake::PaintHostScreen();
    EXPECT_EQ(panel->placement.x, 0);
    DrawAndShow();
    for (int32_t row = 6; row <= 15; ++row)
        EXPECT_EQ(fake::CellAt(33, row).character, fake::Oem("║")[0]) << "the panel's own edge, row " << row;
    EXPECT_EQ(fake::CellAt(1, 17), fake::PaintedCell(1, 17));
    for (int32_t column = 2; column < 34; ++column)
        EXPECT_EQ(fake::CellAt(column, 17).attribute, fake::PaintedCell(column, 17).attribute & 7) << column;
}

TEST_F(Frame, OneColumnToSpareGivesAOneColumnShadow) {
    Open({.consoleWidth = 35});
    fake::PaintHostScreen();
    EXPECT_EQ(panel->placement.x, 0);
    DrawAndShow();
    for (int32_t row = 6; row <= 16; ++row)
        EXPECT_EQ(fake::CellAt(34, row).attribute, fake::PaintedCell(34, row).attribute & 7) << row;
    EXPECT_EQ(fake::CellAt(34, 5), fake::PaintedCell(34, 5)) << "not beside the top row";
    EXPECT_EQ(fake::CellAt(34, 17).attribute, fake::PaintedCell(34, 17).attribute & 7) << "the corner";
}

TEST_F(Frame, AFifteenRowConsoleKeepsTheBottomShadowAndAShorterOneLosesIt) {
    Open({.consoleHeight = 15});
    fake::PaintHostScreen();
    EXPECT_EQ(panel->placement.y, 0);
    DrawAndShow();
    EXPECT_EQ(fake::CellAt(30, 12).attribute, fake::PaintedCell(30, 12).attribute & 7);

    Open({.consoleHeight = 12});
    fake::PaintHostScreen();
    DrawAndShow();
    for (int32_t column = 0; column < 80; ++column) {
        if (column >= 23 && column < 23 + 34 + 2) continue;
        EXPECT_EQ(fake::CellAt(column, 11), fake::PaintedCell(column, 11)) << column;
    }
}

TEST_F(Frame, ATinyConsoleDrawsAShadowOnlyWhereTheConsoleIs) {
    Open({.consoleWidth = 20, .consoleHeight = 14});
    fake::PaintHostScreen();
    DrawAndShow();
    int shadowCells = 0;
    for (const auto& call : fake::PutTexts()) {
        const bool shadowCell = !call.isFlush && call.colour <= 7;  // the panel's own colours are 0x70 and up
        if (!shadowCell) continue;
        ++shadowCells;
        EXPECT_LT(call.x, 20);
        EXPECT_EQ(call.y, 12);
    }
    EXPECT_EQ(shadowCells, 18) << "the bottom shadow from column 2 to the console's edge";
    EXPECT_EQ(fake::world().consoleCellReads, 2 * 18);
    EXPECT_EQ(fake::CellAt(19, 12).attribute, fake::PaintedCell(19, 12).attribute & 7);
}

TEST_F(Frame, AConsoleOfUnknownSizeGetsAPanelInTheCornerAndNoShadow) {
    Open({.consoleWidth = 0, .consoleHeight = 0});
    fake::ResizeConsole(80, 25);
    DrawAndShow();
    EXPECT_EQ(fake::world().consoleCellReads, 0);
    EXPECT_EQ(fake::ScreenRow(0, 0, 5), fake::Oem("╔═[■]"));
}

// ---- showing and hiding --------------------------------------------------------------------------------------

TEST_F(Frame, ShowingSavesThePanelAndItsShadowAndHidingRestoresTheScreenExactly) {
    fake::PaintHostScreen();
    panel->placement.shown = 0;
    SetPanelShown(panel->placement, true);
    EXPECT_TRUE(panel->placement.shown);
    EXPECT_TRUE(panel->displayActive()) << "the live display resumes";
    ASSERT_EQ(fake::host().savedRects.size(), 1u);
    EXPECT_EQ(fake::host().savedRects[0], (std::vector<int>{23, 5, 23 + 35, 5 + 12}));
    fake::host().services.PutText(0, 0, 0, nullptr);
    EXPECT_NE(fake::CellAt(23, 5), fake::PaintedCell(23, 5));

    SetPanelShown(panel->placement, false);
    EXPECT_FALSE(panel->placement.shown);
    EXPECT_FALSE(panel->displayActive());
    EXPECT_EQ(fake::host().savedAreasLive, 0);
    fake::host().services.PutText(0, 0, 0, nullptr);
    for (int32_t row = 0; row < 25; ++row)
        for (int32_t column = 0; column < 80; ++column)
            ASSERT_EQ(fake::CellAt(column, row), fake::PaintedCell(column, row)) << column << "," << row;
}

TEST_F(Frame, HidingAHiddenPanelOrShowingAShownOneChangesNothing) {
    panel->placement.shown = 0;
    SetPanelShown(panel->placement, true);
    SetPanelShown(panel->placement, true);
    EXPECT_EQ(fake::host().savedRects.size(), 1u) << "the panel is not saved as the screen beneath itself";
    SetPanelShown(panel->placement, false);
    SetPanelShown(panel->placement, false);
    EXPECT_EQ(fake::host().restores, 1) << "a saved area is given back once";
    EXPECT_EQ(fake::host().savedAreasLive, 0);
}

TEST_F(Frame, OnlyTheCellsOfThePanelCountAsInsideItNotItsShadow) {
    const PanelPlacement& at = panel->placement;
    EXPECT_TRUE(IsInsidePanel(at, 23, 5));
    EXPECT_TRUE(IsInsidePanel(at, 56, 16));
    EXPECT_FALSE(IsInsidePanel(at, 57, 10)) << "one column right: the shadow";
    EXPECT_FALSE(IsInsidePanel(at, 30, 17)) << "one row below: the shadow";
    EXPECT_FALSE(IsInsidePanel(at, 22, 10));
    EXPECT_FALSE(IsInsidePanel(at, 30, 4));
    EXPECT_FALSE(IsInsidePanel(at, -32768, 10));
}

}  // namespace
