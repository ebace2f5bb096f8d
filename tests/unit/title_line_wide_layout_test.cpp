// The wide title line: which part of a UTF-16 window title shows, and how it is laid into a field of cells.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/text_cells.h"
#include "panel/wide_title_layout.h"

using namespace quaver;

namespace {

// The field after one pass, checked to fill exactly fieldCells cells and to end in its terminator.
std::u16string Field(const std::u16string& shown, int32_t fieldCells, int32_t mode, ScrollState& scroll,
                     WideTitleSpan* spanOut = nullptr) {
    std::vector<char16_t> field(static_cast<size_t>(WideFieldCapacity(fieldCells)), u'#');
    const WideTitleSpan span = LayOutWideTitle(shown.data(), static_cast<int32_t>(shown.size()), fieldCells, mode,
                                               scroll, field.data(), static_cast<int32_t>(field.size()));
    EXPECT_EQ(field[static_cast<size_t>(span.units)], u'\0');
    EXPECT_EQ(TextCells(field.data(), span.units), fieldCells);
    if (spanOut) *spanOut = span;
    return std::u16string(field.data(), static_cast<size_t>(span.units));
}

struct LayoutCase {
    const char* what;
    std::u16string shown;
    int32_t fieldCells;
    int32_t mode;
    int32_t offsetBefore;  // the rest of the scroll state: pause 0, backward as given, last length 0
    uint8_t backward;
    std::u16string field;
    int32_t at;  // where the title begins
    int32_t offsetAfter;
};

const LayoutCase layoutCases[] = {
    {"centred, an odd rest leaves half a cell left", u"ab", 5, 1, 0, 0, u" ab  ", 1, 0},
    {"centred, an even rest", u"abc", 5, 2, 0, 0, u" abc ", 1, 0},
    {"centred by cells", u"\u97F3", 5, 0, 0, 0, u" \u97F3  ", 1, 0},
    {"a title of exactly the field's cells does not scroll", u"\u97F3\u697D\u97F3", 6, 2, 7, 0, u"\u97F3\u697D\u97F3",
     0, 7},
    {"cut: a wide glyph over the end is a space", u"abcd\u97F3", 5, 0, 0, 0, u"abcd ", 0, 0},
    {"cut: a wide glyph that fits", u"abc\u97F3x", 5, 0, 0, 0, u"abc\u97F3", 0, 0},
    {"cut: marks stay with their base", u"e\u0301\u0302bcdef", 3, 0, 0, 0, u"e\u0301\u0302bc", 0, 0},
    {"cut: a pair is one glyph", u"\U0001F3B5abcd", 4, 0, 0, 0, u"\U0001F3B5ab", 0, 0},
    {"back and forth: a wide glyph half out on the left", u"a\u97F3bcdef", 5, 1, 1, 0, u" bcde", 0, 2},
    {"back and forth: a wide glyph half out on the right", u"abcd\u97F3ef", 5, 1, 1, 1, u"abcd ", 0, 0},
    {"back and forth: a pair half out is one space", u"a\U0001F3B5cdefg", 5, 1, 1, 0, u" cdef", 0, 2},
    {"running: a wide glyph half out on the left", u"\u97F3bcdef", 5, 2, 0, 0, u" bcde", 0, 1},
    {"running: the band wraps to a wide glyph over the end", u"abcd\u97F3f", 5, 2, 11, 0, u"abcd ", 0, 0},
    {"running: the separator and a wide glyph over the end", u"\u97F3bcdef", 5, 2, 7, 0, u"***  ", 0, 8},
    {"running: the separator and the title's beginning", u"\u97F3bcdef", 5, 2, 8, 0, u"** \u97F3", 0, 9},
    {"running: a mark at the first cell stays with its base", u"ae\u0301cdefg", 5, 2, 0, 0, u"e\u0301cdef", 0, 1},
    {"a lone surrogate shows as a replacement character", std::u16string{u'a', 0xD800, u'b'}, 5, 0, 0, 0,
     u" a\uFFFDb ", 1, 0},
    {"a mark with no base stands on a space", u"\u0301ab", 5, 0, 0, 0, u"  \u0301ab ", 1, 0},
    {"a glyph keeps its base and marks up to its share of units", u"a\u0301\u0302\u0303\u0304\u0305b", 4, 0, 0, 0,
     u" a\u0301\u0302\u0303b ", 1, 0},
};

TEST(WideTitleLayout, TitlesAreLaidOutInCellsWithoutSplittingAGlyph) {
    for (const LayoutCase& c : layoutCases) {
        ScrollState scroll{c.offsetBefore, 0, c.backward, 0};
        WideTitleSpan span{};
        EXPECT_EQ(Field(c.shown, c.fieldCells, c.mode, scroll, &span), c.field) << c.what;
        EXPECT_EQ(span.at, c.at) << c.what;
        EXPECT_EQ(scroll.offset, c.offsetAfter) << c.what;
    }
}

TEST(WideTitleLayout, BackAndForthMovesOneCellAPassAndRestsAtEachEndCountedInCells) {
    // 16 ideographs: 16 units but 32 cells, too long for 30 cells by two.
    const std::u16string ideographs(16, u'\u97F3');
    const std::u16string atOne = u" " + ideographs.substr(0, 14) + u" ";  // both edges halve a glyph
    const std::u16string atTwo = ideographs.substr(0, 15);
    std::vector<std::u16string> expected = {atOne, atTwo};
    expected.insert(expected.end(), 13, atTwo);
    expected.push_back(atOne);
    ScrollState scroll{0, scrollRestPasses, 0, 0};
    for (size_t pass = 0; pass < expected.size(); ++pass)
        EXPECT_EQ(Field(ideographs, 30, 1, scroll), expected[pass]) << "pass " << pass + 1;
    EXPECT_EQ(scroll.lastLength, 32);
}

TEST(WideTitleLayout, AFieldTooSmallForItsCellsGetsOnlyATerminator) {
    char16_t field[WideFieldCapacity(30) - 1];
    ScrollState scroll{0, 0, 0, 0};
    const WideTitleSpan span = LayOutWideTitle(u"abc", 3, 30, 0, scroll, field, WideFieldCapacity(30) - 1);
    EXPECT_EQ(span.units, 0);
    EXPECT_EQ(field[0], u'\0');
}

TEST(WideTitleLayout, AUtf16WindowTitleIsCountedInUnitsAndKeepsItsPairsWhole) {
    const struct {
        std::u16string title;
        std::u16string shown;
    } cases[] = {
        {u"1. \u97F3\u697D - Winamp", u"\u97F3\u697D"},  // 14 units
        {u"1.\u97F3 - Winamp", u""},                      // 12 units: too short, whatever its cells
        {u"1.\U0001F3B5Song - Winamp", u"Song"},          // the pair after the point goes whole
        {u"2. \U0001F3B5 - Winamp[Stopped]", u"\U0001F3B5"},
    };
    for (const auto& c : cases) {
        ShownTitle shown{0, 0};
        const bool found = FindShownTitle(c.title.data(), static_cast<int32_t>(c.title.size()), shown);
        EXPECT_EQ(found ? c.title.substr(static_cast<size_t>(shown.start), static_cast<size_t>(shown.length)) : u"",
                  c.shown);
    }
}

}  // namespace
