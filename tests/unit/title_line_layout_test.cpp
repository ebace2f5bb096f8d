// Which part of the player's window title the title line shows, and how it is laid into the field.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "fake_host.h"
#include "fake_os.h"
#include "panel/title_layout.h"

using namespace quaver;

namespace {

class TitleLayout : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::StartModule();  // the host's CompareN
    }

    // The shown part of a window title, or "<nothing>".
    static std::string Shown(const std::string& windowTitle) {
        ShownTitle shown{-1, -1};
        if (!FindShownTitle(windowTitle.c_str(), static_cast<int32_t>(windowTitle.size()), shown))
            return "<nothing>";
        EXPECT_GE(shown.start, 0);
        EXPECT_LE(shown.start + shown.length, static_cast<int32_t>(windowTitle.size()));
        return windowTitle.substr(static_cast<size_t>(shown.start), static_cast<size_t>(shown.length));
    }

    // The field after laying out a shown title; cells not written stay '_'.
    std::string Field(const std::string& shown, int32_t fieldLength, int32_t mode) {
        std::vector<char> field(static_cast<size_t>(fieldLength), '_');
        const TitleSpan span =
            LayOutTitle(shown.data(), static_cast<int32_t>(shown.size()), fieldLength, mode, scroll, field.data());
        EXPECT_GE(span.at, 0);
        EXPECT_LE(span.at + span.count, fieldLength);
        for (int32_t i = 0; i < fieldLength; ++i) {
            if (i < span.at || i >= span.at + span.count) {
                EXPECT_EQ(field[static_cast<size_t>(i)], '_') << i;
            }
        }
        return std::string(field.begin(), field.end());
    }

    void Reset() { scroll = ScrollState{0, scrollRestPasses, 0, scroll.lastLength}; }

    ScrollState scroll{0, 13, 0, 0};
};

const std::string title32 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";  // a shown title of 32 characters

TEST_F(TitleLayout, ThePlayersSuffixAndTheListNumberAreNotShown) {
    EXPECT_EQ(Shown("1. A - Winamp"), "A") << "13 characters";
    EXPECT_EQ(Shown("1.  - Winamp"), "<nothing>") << "12 characters";
    EXPECT_EQ(Shown("12. Nice Song - Winamp"), "Nice Song");
}

TEST_F(TitleLayout, TheSuffixMayBeFollowedByExactlyNineOrTenCharacters) {
    EXPECT_EQ(Shown("1. Song - Winamp123456789"), "Song");
    EXPECT_EQ(Shown("1. Song - Winamp1234567890"), "Song");
    EXPECT_EQ(Shown("1. Song - Winamp12345678"), "<nothing>") << "8 more";
    EXPECT_EQ(Shown("1. Song - Winamp12345678901"), "<nothing>") << "11 more";
    // Too short for those places: 21 characters with 9 more, 22 with 10 more.
    EXPECT_EQ(Shown("1.A - Winamp123456789"), "<nothing>");
    EXPECT_EQ(Shown("1.A - Winamp1234567890"), "<nothing>");
    EXPECT_EQ(Shown("1. A - Winamp1234567890"), "A") << "23 characters with 10 more";
    EXPECT_EQ(Shown("1. A - Winamp123456789"), "A") << "22 characters with 9 more";
}

TEST_F(TitleLayout, WithoutAListNumberEverythingUpToTheFirstPointGoes) {
    EXPECT_EQ(Shown("Mr. Blue Sky - Winamp"), "Blue Sky");
    EXPECT_EQ(Shown("3. Mr. Blue Sky - Winamp"), "Mr. Blue Sky") << "only the first point counts";
}

TEST_F(TitleLayout, ATitleWithoutAPointBeforeTheSuffixIsShownWhole) {
    EXPECT_EQ(Shown("Song Title - Winamp"), "Song Title");
    EXPECT_EQ(Shown(".Hidden - Winamp"), ".Hidden") << "a point at index 0 is no list number";
    EXPECT_EQ(Shown("Song Title. - Winamp"), "Song Title.") << "a point within the last 10 characters";
    EXPECT_EQ(Shown("Song - Winamp123456789"), "Song");
}

TEST_F(TitleLayout, APointThatLeavesNothingToShowBlanksTheField) {
    // The list number's skip lands inside the suffix.
    EXPECT_EQ(Shown("12345. - Winamp123456789"), "<nothing>");
    EXPECT_EQ(Shown("1234. - Winamp1234567890"), "<nothing>");
    EXPECT_EQ(Shown("12345.x - Winamp123456789"), "<nothing>");
}

TEST_F(TitleLayout, NoSuffixNoTitle) {
    EXPECT_EQ(Shown("1. Some other window"), "<nothing>");
    EXPECT_EQ(Shown("1. Song - winamp"), "<nothing>") << "compared exactly";
    EXPECT_EQ(Shown(""), "<nothing>");
}

TEST_F(TitleLayout, TheAnswerToTheTitleQueryIsBelievedOnlyAsFarAsTheBufferHoldsText) {
    char buffer[titleBufferCapacity];
    std::strcpy(buffer, "1. Song - Winamp");
    EXPECT_EQ(ReceivedTitleLength(16, buffer, titleQueryLimit), 16);
    EXPECT_EQ(ReceivedTitleLength(200, buffer, titleQueryLimit), 16) << "longer than the text";
    EXPECT_EQ(ReceivedTitleLength(10, buffer, titleQueryLimit), 10) << "shorter: the player's word";
    EXPECT_EQ(ReceivedTitleLength(-7, buffer, titleQueryLimit), 0);
    EXPECT_EQ(ReceivedTitleLength(INTPTR_MIN, buffer, titleQueryLimit), 0);
    std::memset(buffer, 'x', sizeof buffer);  // no terminator at all
    EXPECT_EQ(ReceivedTitleLength(100000, buffer, titleQueryLimit), 254);
    EXPECT_EQ(ReceivedTitleLength(INTPTR_MAX, buffer, titleQueryLimit), 254);
}

TEST_F(TitleLayout, AShortTitleStandsCentred) {
    EXPECT_EQ(Field("A", 30, 0), std::string(14, '_') + "A" + std::string(15, '_'));
    EXPECT_EQ(Field("Twelve chars", 30, 2), std::string(9, '_') + "Twelve chars" + std::string(9, '_'));
    EXPECT_EQ(Field("Twelve chars", 34, 1), std::string(11, '_') + "Twelve chars" + std::string(11, '_'));
    EXPECT_EQ(scroll.offset, 0);
    EXPECT_EQ(scroll.pause, 13);
}

TEST_F(TitleLayout, CentredModeShowsTheBeginningOfALongTitle) {
    const std::string forty = title32 + "abcdefgh";
    for (int pass = 0; pass < 3; ++pass) EXPECT_EQ(Field(forty, 30, 0), forty.substr(0, 30));
    EXPECT_EQ(scroll.offset, 0);
}

TEST_F(TitleLayout, ATitleOfExactlyTheFieldLengthDoesNotScroll) {
    const std::string thirty = title32.substr(0, 30);
    for (int mode : {1, 2}) {
        scroll = ScrollState{5, 7, 1, 44};
        EXPECT_EQ(Field(thirty, 30, mode), thirty);
        EXPECT_EQ(scroll.offset, 5);
        EXPECT_EQ(scroll.pause, 7);
        EXPECT_EQ(scroll.backward, 1);
        EXPECT_EQ(scroll.lastLength, 44) << "untouched, the last length included";
    }
}

TEST_F(TitleLayout, BackAndForthMovesOneCellAPassAndRestsFourteenPassesAtEachEnd) {
    Reset();
    // Offsets shown on passes 1 to 31 after a reset: a 32-character title in a 30-cell field.
    std::vector<int> expected = {1, 2};
    expected.insert(expected.end(), 13, 2);
    expected.insert(expected.end(), {1, 0});
    expected.insert(expected.end(), 13, 0);
    expected.push_back(1);
    for (size_t pass = 0; pass < expected.size(); ++pass)
        EXPECT_EQ(Field(title32, 30, 1), title32.substr(static_cast<size_t>(expected[pass]), 30))
            << "pass " << pass + 1;
}

TEST_F(TitleLayout, BackAndForthJumpsToTheEndOfAShorterTitleAndMovesBack) {
    Reset();
    const std::string forty = title32 + "abcdefgh";
    for (int pass = 0; pass < 3; ++pass) Field(forty, 30, 1);
    EXPECT_EQ(scroll.offset, 3);
    EXPECT_EQ(scroll.lastLength, 40);
    // Shorter (but still too long): from its last offset, moving back; the pause keeps its value.
    scroll.pause = 20;
    EXPECT_EQ(Field(title32, 30, 1), title32.substr(1, 30)) << "the pause had run out: it moves at once";
    EXPECT_EQ(scroll.backward, 1);
    EXPECT_EQ(scroll.lastLength, 32);
    // Longer again: the offset stays valid and the movement goes on.
    EXPECT_EQ(Field(forty, 30, 1), forty.substr(0, 30));
    EXPECT_EQ(scroll.backward, 0) << "reversed at offset 0";
}

TEST_F(TitleLayout, RunningTextShowsThirtySevenPicturesOfTheBand) {
    Reset();
    const std::string band = title32 + " *** ";
    const std::string twice = band + band;
    std::vector<std::string> pictures;
    for (int pass = 0; pass < 38; ++pass) pictures.push_back(Field(title32, 30, 2));
    for (int pass = 0; pass < 36; ++pass)
        EXPECT_EQ(pictures[static_cast<size_t>(pass)], twice.substr(static_cast<size_t>(pass + 1), 30))
            << "pass " << pass + 1;
    EXPECT_EQ(pictures[36], title32.substr(0, 30)) << "the 37th picture starts the band again";
    EXPECT_EQ(pictures[37], pictures[0]);
    // Past the end: the title's tail, the separator and its beginning in one row.
    EXPECT_EQ(pictures[29], "45 *** ABCDEFGHIJKLMNOPQRSTUVW");
}

TEST_F(TitleLayout, RunningTextContinuesANewTitleOrRestartsItPastItsEnd) {
    scroll = ScrollState{10, 13, 0, 0};
    EXPECT_EQ(Field(title32, 30, 2), (title32 + " *** " + title32).substr(11, 30));
    scroll.offset = 500;  // left by a much longer title
    EXPECT_EQ(Field(title32, 30, 2), title32.substr(0, 30));
    scroll.offset = -3;
    EXPECT_EQ(Field(title32, 30, 2), title32.substr(0, 30)) << "a bad offset restarts the band";
}

TEST_F(TitleLayout, TheVolumeIsTheRightChannelsUpperByteAsAPercentage) {
    EXPECT_EQ(VolumePercent(0xFF000000u), 100);
    EXPECT_EQ(VolumePercent(0x80000000u), 50);
    EXPECT_EQ(VolumePercent(0x01000000u), 0);
    EXPECT_EQ(VolumePercent(0x02000000u), 0);
    EXPECT_EQ(VolumePercent(0x00FFFFFFu), 0) << "a loud left channel does not count";
    EXPECT_EQ(VolumeTextColumn(30), 9);
    EXPECT_EQ(VolumeTextColumn(34), 11);
}

}  // namespace
