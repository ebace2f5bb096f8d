// The clock and track number in block characters, as the digit rows read on the screen.
#include <gtest/gtest.h>

#include <string>

#include "panel/big_digits.h"
#include "panel_pictures.h"

using namespace quaver;

namespace {

// A row as drawn: the cells from `first` to the terminator.
std::string Picture(const char* row, int first) { return pictures::DigitPicture(row + first); }

struct Drawn {
    std::string top, middle, bottom;
};

Drawn Draw(uint32_t track, uint32_t seconds, bool remaining, bool wide, bool showClock = true) {
    DigitRows rows;
    BlankDigitRows(rows);
    WriteTrackNumber(rows, track);
    if (showClock) WriteClock(rows, seconds, remaining);
    TerminateDigitRows(rows);
    const int first = wide ? 0 : narrowFirstCell;
    return {Picture(rows.top, first), Picture(rows.middle, first), Picture(rows.bottom, first)};
}

TEST(BigDigits, TrackSevenAtThreeFortyFiveElapsedOnTheNarrowPanel) {
    const Drawn drawn = Draw(7, 3 * 60 + 45, false, false);
    EXPECT_EQ(drawn.top, "▄▄▄·▄▄▄····▄▄▄·▄▄▄···▄·▄·▄▄▄");
    EXPECT_EQ(drawn.middle, "█·█···█····█·█·▄▄█·▀·█▄█·█▄▄");
    EXPECT_EQ(drawn.bottom, "█▄█···█····█▄█·▄▄█·▀···█·▄▄█");
}

TEST(BigDigits, Track123WithFiftyNineFiftyNineRemainingOnTheWidePanel) {
    const Drawn drawn = Draw(123, 59 * 60 + 59, true, true);
    EXPECT_EQ(drawn.top, "··▄·▄▄▄·▄▄▄····▄▄▄·▄▄▄···▄▄▄·▄▄▄");
    EXPECT_EQ(drawn.middle, "··█·▄▄█·▄▄█·▄▄·█▄▄·█▄█·▀·█▄▄·█▄█");
    EXPECT_EQ(drawn.bottom, "··█·█▄▄·▄▄█····▄▄█·▄▄█·▀·▄▄█·▄▄█");
}

TEST(BigDigits, EveryGlyphMatchesItsPicture) {
    const char* const pictures[12][3] = {
        {"▄▄▄·", "█·█·", "█▄█·"}, {"··▄·", "··█·", "··█·"}, {"▄▄▄·", "▄▄█·", "█▄▄·"}, {"▄▄▄·", "▄▄█·", "▄▄█·"},
        {"▄·▄·", "█▄█·", "··█·"}, {"▄▄▄·", "█▄▄·", "▄▄█·"}, {"▄▄▄·", "█▄▄·", "█▄█·"}, {"▄▄▄·", "··█·", "··█·"},
        {"▄▄▄·", "█▄█·", "█▄█·"}, {"▄▄▄·", "█▄█·", "▄▄█·"}, {"····", "·▀··", "·▀··"}, {"····", "·▄▄·", "····"},
    };
    for (int glyph = 0; glyph < 12; ++glyph) {
        char top[5] = {}, middle[5] = {}, bottom[5] = {};
        BuildBigGlyph(glyph, top, middle, bottom, 0);
        EXPECT_EQ(Picture(top, 0), pictures[glyph][0]) << "glyph " << glyph;
        EXPECT_EQ(Picture(middle, 0), pictures[glyph][1]) << "glyph " << glyph;
        EXPECT_EQ(Picture(bottom, 0), pictures[glyph][2]) << "glyph " << glyph;
    }
}

TEST(BigDigits, AGlyphNumberAboveElevenOrACellOutsideTheRowWritesNothing) {
    DigitRows rows;
    BlankDigitRows(rows);
    TerminateDigitRows(rows);
    const DigitRows before = rows;
    BuildBigGlyph(12, rows.top, rows.middle, rows.bottom, 0);
    BuildBigGlyph(-1, rows.top, rows.middle, rows.bottom, 0);
    BuildBigGlyph(8, rows.top, rows.middle, rows.bottom, 30);  // would pass the terminator position
    BuildBigGlyph(8, rows.top, rows.middle, rows.bottom, -1);
    EXPECT_EQ(std::string(rows.top, sizeof rows.top), std::string(before.top, sizeof before.top));
    EXPECT_EQ(std::string(rows.middle, sizeof rows.middle), std::string(before.middle, sizeof before.middle));
    EXPECT_EQ(std::string(rows.bottom, sizeof rows.bottom), std::string(before.bottom, sizeof before.bottom));
}

TEST(BigDigits, TheLastCellsGlyphReachesTheTerminatorPositionWhichIsWrittenAfterwards) {
    DigitRows rows;
    BlankDigitRows(rows);
    rows.top[digitRowCells] = 'x';
    BuildBigGlyph(8, rows.top, rows.middle, rows.bottom, digitCell::SecondsUnits);
    EXPECT_EQ(rows.top[digitRowCells], ' ') << "the blank fourth column of the seconds' units";
    TerminateDigitRows(rows);
    EXPECT_EQ(rows.top[digitRowCells], '\0');
}

TEST(BigDigits, TrackNumbersAboveNineHundredNinetyNineShowTheirLastDigits) {
    const Drawn wide = Draw(1234, 0, false, true, false);
    const Drawn wide234 = Draw(234, 0, false, true, false);
    EXPECT_EQ(wide.top, wide234.top);
    EXPECT_EQ(wide.middle, wide234.middle);
    EXPECT_EQ(wide.bottom, wide234.bottom);
    // The narrow panel hides the hundreds: 34.
    const Drawn narrow = Draw(1234, 0, false, false, false);
    EXPECT_EQ(narrow.top, "▄▄▄·▄·▄·····················");
    EXPECT_EQ(narrow.middle, "▄▄█·█▄█·····················");
    EXPECT_EQ(narrow.bottom, "▄▄█···█·····················");
}

TEST(BigDigits, TheClockHasNoHoursField) {
    // 100 minutes: 00:00.
    const Drawn hundred = Draw(1, 6000, false, true);
    const Drawn zero = Draw(1, 0, false, true);
    EXPECT_EQ(hundred.top, zero.top);
    EXPECT_EQ(hundred.middle, zero.middle);
    EXPECT_EQ(hundred.bottom, zero.bottom);
    // 125:07 shows 25:07.
    const Drawn long125 = Draw(1, 125 * 60 + 7, false, true);
    const Drawn short25 = Draw(1, 25 * 60 + 7, false, true);
    EXPECT_EQ(long125.middle, short25.middle);
    EXPECT_EQ(long125.bottom, short25.bottom);
}

TEST(BigDigits, TheRemainingTimeCarriesAMinusSignBeforeTheMinutes) {
    const Drawn remaining = Draw(1, 0, true, true);
    const Drawn elapsed = Draw(1, 0, false, true);
    // Cells 11 to 14: the minus is drawn only in the middle row, at cells 12 and 13.
    EXPECT_EQ(remaining.top, elapsed.top);
    EXPECT_EQ(remaining.bottom, elapsed.bottom);
    EXPECT_EQ(remaining.middle, "█·█·█·█···█·▄▄·█·█·█·█·▀·█·█·█·█");
    EXPECT_EQ(elapsed.middle, "█·█·█·█···█····█·█·█·█·▀·█·█·█·█");
}

TEST(BigDigits, AnIdleTrackNumberReadsZerosAndTheClockCellsStayBlank) {
    const Drawn wide = Draw(0, 0, false, true, false);
    EXPECT_EQ(wide.top, "▄▄▄·▄▄▄·▄▄▄·····················");
    EXPECT_EQ(wide.middle, "█·█·█·█·█·█·····················");
    EXPECT_EQ(wide.bottom, "█▄█·█▄█·█▄█·····················");
}

}  // namespace
