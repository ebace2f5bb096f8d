// The host's message box: which lines are title, text and buttons, where the box goes, and what a
// click hits.
#include <gtest/gtest.h>

#include <string>

#include "pure/message_box.h"
#include "screen_text.h"

using host::MessageBoxView;
using host::MessageText;
using host::Rect;
using host::ScreenBuffer;
using host::SplitMessage;

namespace {

std::string Text(const ScreenBuffer& screen, int x, int y, int length) { return host::CellText(screen, x, y, length); }

using host::RowText;

}  // namespace

TEST(HostMessageLines, FirstIsTitleAndTheLastOnesAreButtons) {
    const char* lines[] = {"Quaver Control", "The host is too old.", "OK"};
    const MessageText text = SplitMessage(lines, 3, 1);
    EXPECT_EQ(text.title, "Quaver Control");
    ASSERT_EQ(text.lines.size(), 1u);
    EXPECT_EQ(text.lines[0], "The host is too old.");
    ASSERT_EQ(text.buttons.size(), 1u);
    EXPECT_EQ(text.buttons[0], "OK");
}

TEST(HostMessageLines, NullLinesAndImpossibleCountsAreTamed) {
    const char* lines[] = {nullptr, "text", nullptr};
    MessageText text = SplitMessage(lines, 3, 0);
    EXPECT_EQ(text.title, "");
    ASSERT_EQ(text.lines.size(), 2u);
    EXPECT_EQ(text.lines[1], "");
    text = SplitMessage(lines, 3, 9);  // more buttons than lines after the title
    EXPECT_EQ(text.lines.size(), 0u);
    EXPECT_EQ(text.buttons.size(), 2u);
    text = SplitMessage(lines, 2, -4);
    EXPECT_EQ(text.buttons.size(), 0u);
    EXPECT_EQ(SplitMessage(nullptr, 3, 1).lines.size(), 0u);
    EXPECT_EQ(SplitMessage(lines, 0, 0).title, "");
}

TEST(HostMessageBox, IsCentredAndWideEnoughForItsLongestLine) {
    const std::string longLine(40, 'w');
    const char* lines[] = {"Title", "short", longLine.c_str()};
    const MessageBoxView box(SplitMessage(lines, 3, 0), 0, 80, 25);
    const Rect frame = box.Frame();
    EXPECT_LE(std::abs((frame.left + frame.right) - 79), 1);
    EXPECT_LE(std::abs((frame.top + frame.bottom) - 24), 1);
    EXPECT_EQ(frame.Height(), 4) << "two frame rows and two text rows";
    ScreenBuffer screen(80, 25);
    box.Draw(screen, -1);
    EXPECT_NE(RowText(screen, frame.top + 2).find(longLine), std::string::npos);
    EXPECT_NE(RowText(screen, frame.top).find("═ Title ═"), std::string::npos);
    EXPECT_EQ(screen.At(frame.left, frame.top).First(), u'╔');
    EXPECT_EQ(screen.At(frame.right, frame.bottom).First(), u'╝');
    // The box paints only its own area.
    EXPECT_EQ(screen.At(box.Area().left - 1, frame.top).First(), u' ');
    EXPECT_EQ(screen.At(box.Area().left - 1, frame.top).attribute, 0x07);
}

TEST(HostMessageBox, TooLongOrTooManyLinesAreCutToTheScreen) {
    const std::string huge(500, 'h');
    const char* lines[] = {"T", huge.c_str(), "2", "3", "4", "5", "6", "7", "8", "9", "OK"};
    const MessageBoxView box(SplitMessage(lines, 11, 1), 0, 40, 10);
    EXPECT_GE(box.Area().left, 0);
    EXPECT_LE(box.Area().right, 39);
    EXPECT_GE(box.Area().top, 0);
    EXPECT_LE(box.Area().bottom, 9);
    ScreenBuffer screen(40, 10);
    box.Draw(screen, 0);
    EXPECT_EQ(screen.At(box.Frame().right, box.Frame().top + 1).First(), u'║') << "text stops inside the frame";
    EXPECT_GE(box.ButtonAt(box.Button(0).left, box.Button(0).top), 0) << "the button stays reachable";
}

// A write past the buffer fails this test under the native tests' AddressSanitizer; what lies inside is checked.
TEST(HostMessageBox, TinyScreensNeverOverrunTheBuffer) {
    const char* lines[] = {"A title longer than the screen", "text", "Yes", "No"};
    for (int width : {1, 3, 8}) {
        for (int height : {1, 2, 5}) {
            SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
            const MessageBoxView box(SplitMessage(lines, 4, 2), 0, width, height);
            ScreenBuffer screen(width, height);
            box.Draw(screen, 1);  // clipped by the buffer
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    ASSERT_EQ(screen.At(x, y).attribute, 0x70) << "the box, larger than the screen, covers it all";
            EXPECT_EQ(box.ButtonAt(0, 0), -1) << "the corner is the box's margin";
        }
    }
}

TEST(HostMessageBox, ButtonsSitInARowAndClicksFindThem) {
    const char* lines[] = {"Probe", "Pick one", "Yes", "No"};
    const MessageBoxView box(SplitMessage(lines, 4, 2), 0, 80, 25);
    ASSERT_EQ(box.ButtonCount(), 2);
    const Rect yes = box.Button(0);
    const Rect no = box.Button(1);
    EXPECT_EQ(yes.top, box.Frame().bottom - 1);
    EXPECT_EQ(no.top, yes.top);
    EXPECT_LT(yes.right, no.left);
    EXPECT_EQ(box.ButtonAt(yes.left, yes.top), 0);
    EXPECT_EQ(box.ButtonAt(no.right, no.top), 1);
    EXPECT_EQ(box.ButtonAt(yes.right + 1, yes.top), -1) << "the gap between buttons";
    EXPECT_EQ(box.ButtonAt(no.left, no.top - 1), -1);

    ScreenBuffer screen(80, 25);
    box.Draw(screen, 1);
    EXPECT_EQ(Text(screen, yes.left, yes.top, yes.Width()), "[ Yes ]");
    EXPECT_EQ(Text(screen, no.left, no.top, no.Width()), "[ No ]");
    EXPECT_EQ(screen.At(no.left, no.top).attribute, 0x30) << "the focused button stands out";
    EXPECT_EQ(screen.At(yes.left, yes.top).attribute, 0x70);
    EXPECT_EQ(screen.At(box.Frame().left, yes.top - 1).First(), u'╟') << "a line above the buttons";
}

TEST(HostMessageBox, WarningColoursAndLeftAlignedText) {
    const char* lines[] = {"Quaver Control", "short", "a longer line of text here", "OK"};
    const MessageBoxView box(SplitMessage(lines, 4, 1), host::MessageWarning | host::MessageLeftAlign, 80, 25);
    ScreenBuffer screen(80, 25);
    box.Draw(screen, 0);
    const int textLeft = box.Frame().left + 3;
    EXPECT_EQ(Text(screen, textLeft, box.Frame().top + 1, 5), "short");
    EXPECT_EQ(Text(screen, textLeft, box.Frame().top + 2, 8), "a longer");
    EXPECT_EQ(screen.At(textLeft, box.Frame().top + 1).attribute, 0x4F);
    EXPECT_EQ(screen.At(box.Button(0).left, box.Button(0).top).attribute, 0x70);
}
