// The host's back buffer: what drawing does to the pending picture, what a flush has to write, and
// saved areas coming back.
#include <gtest/gtest.h>

#include <string>

#include "pure/screen_buffer.h"
#include "screen_text.h"

using host::Cell;
using host::Rect;
using host::SavedArea;
using host::RowText;
using host::ScreenBuffer;

namespace {


// A screen whose console already shows its (blank) contents.
ScreenBuffer Shown(int width, int height) {
    ScreenBuffer screen(width, height);
    screen.TakeChanges();
    return screen;
}

}  // namespace

TEST(HostScreenBufferText, IsClippedAtEveryEdgeAndNeverWraps) {
    ScreenBuffer screen(10, 3);
    screen.PutText(-3, 0, 0x1F, "abcdefgh");
    screen.PutText(7, 1, 0x2F, "XYZW");
    screen.PutText(0, -1, 0x4F, "above");
    screen.PutText(0, 3, 0x4F, "below");
    screen.PutText(10, 2, 0x4F, "right");
    screen.PutText(-2000000000, 2, 0x4F, "far left");
    EXPECT_EQ(RowText(screen, 0), "defgh     ");
    EXPECT_EQ(screen.At(0, 0).attribute, 0x1F);
    EXPECT_EQ(screen.At(5, 0).attribute, 0x07) << "cells past the text keep their colour";
    EXPECT_EQ(RowText(screen, 1), "       XYZ");
    EXPECT_EQ(RowText(screen, 2), "          ") << "nothing spills from row 1 or from off-screen text";
}

TEST(HostScreenBufferText, StopsAtItsEndOrAtTheGivenLength) {
    ScreenBuffer screen(10, 1);
    screen.PutText(0, 0, 0x07, "abc\0def");
    screen.PutText(5, 0, 0x07, "vwxyz", 2);
    screen.PutText(8, 0, 0x07, nullptr);
    EXPECT_EQ(RowText(screen, 0), "abc  vw   ");
}

TEST(HostScreenBufferText, FillAndColourChangesAreClipped) {
    ScreenBuffer screen(4, 2);
    screen.Fill(Rect{-5, -5, 1, 0}, Cell{'#', 0x30});
    screen.SetAttribute(Rect{1, 0, 99, 99}, 0x4E);
    EXPECT_EQ(RowText(screen, 0), "##  ");
    EXPECT_EQ(screen.At(0, 0).attribute, 0x30);
    EXPECT_EQ(screen.At(1, 0).First(), u'#') << "a colour change keeps the character";
    EXPECT_EQ(screen.At(1, 0).attribute, 0x4E);
    EXPECT_EQ(screen.At(3, 1).attribute, 0x4E);
}

TEST(HostScreenBufferSavedAreas, ComeBackCellForCell) {
    ScreenBuffer screen(8, 4);
    for (int y = 0; y < 4; ++y) screen.PutText(0, y, static_cast<uint8_t>(0x10 + y), "01234567");
    const SavedArea area = screen.Save(2, 1, 5, 2);
    EXPECT_EQ(area.rect, (Rect{2, 1, 5, 2}));
    screen.Fill(Rect{0, 0, 7, 3}, Cell{'*', 0x4F});
    screen.Restore(area);
    EXPECT_EQ(RowText(screen, 1), "**2345**");
    EXPECT_EQ(RowText(screen, 2), "**2345**");
    EXPECT_EQ(screen.At(3, 2).attribute, 0x12);
    EXPECT_EQ(RowText(screen, 0), "********");
}

TEST(HostScreenBufferSavedAreas, NegativeEndsMeanTheWholeScreenAndLargeOnesAreClamped) {
    ScreenBuffer screen(5, 3);
    EXPECT_EQ(screen.Save(0, 0, -1, -1).rect, (Rect{0, 0, 4, 2}));
    EXPECT_EQ(screen.Save(3, 1, 500, 500).rect, (Rect{3, 1, 4, 2}));
    EXPECT_EQ(screen.Save(-9, -9, 1, 1).rect, (Rect{0, 0, 1, 1}));
    EXPECT_EQ(screen.Save(2, 2, -1, -1).cells.size(), 3u);
}

TEST(HostScreenBufferSavedAreas, OffScreenAreasAreEmptyAndRestoreNothing) {
    ScreenBuffer screen(5, 3);
    screen.PutText(0, 0, 0x07, "abcde");
    for (const SavedArea& area : {screen.Save(7, 0, 9, 2), screen.Save(0, 5, 4, 9), screen.Save(3, 2, 1, 2)}) {
        EXPECT_TRUE(area.rect.Empty());
        EXPECT_TRUE(area.cells.empty());
        screen.Restore(area);
    }
    EXPECT_EQ(RowText(screen, 0), "abcde");
}

TEST(HostScreenBufferSavedAreas, AnAreaFromALargerScreenIsCutToTheSmallerOne) {
    ScreenBuffer screen(10, 5);
    screen.Fill(Rect{0, 0, 9, 4}, Cell{'x', 0x07});
    const SavedArea area = screen.Save(0, 0, -1, -1);
    screen.Resize(4, 2);
    screen.Restore(area);  // must not write past the smaller screen
    EXPECT_EQ(RowText(screen, 0), "xxxx");
    EXPECT_EQ(RowText(screen, 1), "xxxx");
}

TEST(HostScreenBufferFlush, WritesOnlyTheRectanglesThatChanged) {
    ScreenBuffer screen = Shown(20, 10);
    EXPECT_TRUE(screen.TakeChanges().empty());
    screen.PutText(3, 2, 0x07, "x");
    screen.PutText(10, 2, 0x07, "y");
    screen.PutText(5, 8, 0x1F, "zz");
    const auto changes = screen.TakeChanges();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0], (Rect{3, 2, 10, 2})) << "one row: from its first to its last change";
    EXPECT_EQ(changes[1], (Rect{5, 8, 6, 8}));
    EXPECT_TRUE(screen.TakeChanges().empty()) << "a second flush has nothing left to write";
}

TEST(HostScreenBufferFlush, NeighbouringRowsShareARectangleWhenItIsCheap) {
    ScreenBuffer screen = Shown(40, 10);
    for (int y = 3; y <= 6; ++y) screen.PutText(10, y, 0x3F, "panel row");
    auto changes = screen.TakeChanges();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], (Rect{10, 3, 18, 6}));

    // Changes at opposite ends of neighbouring rows: one rectangle would rewrite mostly unchanged cells.
    screen.PutText(0, 1, 0x07, "left side");
    screen.PutText(39, 2, 0x07, "!");
    changes = screen.TakeChanges();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0], (Rect{0, 1, 8, 1}));
    EXPECT_EQ(changes[1], (Rect{39, 2, 39, 2}));
}

TEST(HostScreenBufferFlush, DrawingWhatIsAlreadyShownWritesNothing) {
    ScreenBuffer screen = Shown(10, 3);
    screen.PutText(0, 1, 0x07, "          ");
    screen.PutText(2, 2, 0x4F, "temporary");
    screen.PutText(2, 2, 0x07, "         ");
    EXPECT_TRUE(screen.TakeChanges().empty());
}

TEST(HostScreenBufferFlush, AfterResizeOrInvalidateEveryCellIsWritten) {
    ScreenBuffer screen = Shown(6, 4);
    screen.Invalidate();
    auto changes = screen.TakeChanges();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], (Rect{0, 0, 5, 3}));
    screen.Resize(3, 2);
    changes = screen.TakeChanges();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], (Rect{0, 0, 2, 1}));
    EXPECT_TRUE(screen.TakeChanges().empty());
}

TEST(HostScreenBufferFlush, AdoptedContentsCountAsShown) {
    ScreenBuffer screen(3, 1);
    screen.Adopt({Cell{'a', 0x07}, Cell{'b', 0x07}, Cell{'c', 0x07}});
    EXPECT_TRUE(screen.TakeChanges().empty());
    EXPECT_EQ(RowText(screen, 0), "abc");
    screen.Adopt({Cell{'x', 0x07}});  // the wrong size is refused
    EXPECT_EQ(RowText(screen, 0), "abc");
}

TEST(HostScreenBufferFlush, AnEmptyScreenHasNothingToWrite) {
    ScreenBuffer screen(0, 0);
    screen.PutText(0, 0, 0x07, "x");
    EXPECT_TRUE(screen.TakeChanges().empty());
    EXPECT_TRUE(screen.Save(0, 0, -1, -1).rect.Empty());
}
