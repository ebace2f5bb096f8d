// Which UTF-16 units make one glyph of a title, and how many console cells it takes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/text_cells.h"

using namespace quaver;

namespace {

struct GlyphCase {
    const char* what;
    std::u16string text;
    std::vector<TextFit> glyphs;  // units and cells of each glyph, in order
};

const GlyphCase glyphCases[] = {
    {"ASCII", u"Ab", {{1, 1}, {1, 1}}},
    {"a combining acute stays with its base", u"e\u0301x", {{2, 1}, {1, 1}}},
    {"Greek", u"\u03A9\u03B4", {{1, 1}, {1, 1}}},
    {"Cyrillic", u"\u0416", {{1, 1}}},
    {"kana and kanji", u"\u3042\u30AB\u97F3", {{1, 2}, {1, 2}, {1, 2}}},
    {"Hangul", u"\uD55C", {{1, 2}}},
    {"a fullwidth Latin letter", u"\uFF21", {{1, 2}}},
    {"an emoji outside the BMP is one wide glyph", u"\U0001F3B5", {{2, 2}}},
    {"the G clef outside the BMP takes one cell", u"\U0001D11E", {{2, 1}}},
    {"a lone high surrogate", std::u16string{0xD834, u'a'}, {{1, 1}, {1, 1}}},
    {"a lone low surrogate", std::u16string{u'a', 0xDD1E}, {{1, 1}, {1, 1}}},
    {"a zero-width joiner joins the glyph before it", u"\U0001F3B5\u200D\u3042", {{3, 2}, {1, 2}}},
    {"a mark with no base takes one cell", u"\u0301\u0302a", {{2, 1}, {1, 1}}},
    {"a supplementary variation selector is a mark", u"\u845B\U000E0100", {{3, 2}}},
};

TEST(TextCells, EachGlyphIsABaseAndItsMarksInTheBasesCells) {
    for (const GlyphCase& c : glyphCases) {
        std::vector<TextFit> glyphs;
        const int32_t length = static_cast<int32_t>(c.text.size());
        int32_t cells = 0;
        for (int32_t at = 0; at < length && glyphs.size() < 10;) {
            glyphs.push_back(GlyphAt(c.text.data() + at, length - at));
            at += glyphs.back().units;
            cells += glyphs.back().cells;
        }
        ASSERT_EQ(glyphs.size(), c.glyphs.size()) << c.what;
        for (size_t i = 0; i < glyphs.size(); ++i) {
            EXPECT_EQ(glyphs[i].units, c.glyphs[i].units) << c.what << ", glyph " << i;
            EXPECT_EQ(glyphs[i].cells, c.glyphs[i].cells) << c.what << ", glyph " << i;
        }
        EXPECT_EQ(TextCells(c.text.data(), length), cells) << c.what;
    }
}

TEST(TextCells, EachTableRangeEndsOnTheRightCodePoint) {
    const struct {
        char32_t codePoint;
        int cells;
    } edges[] = {
        {0x1F, 1},     {0x2FF, 1},    {0x300, 0},    {0x36F, 0},   {0x370, 1},    {0x10FF, 1},   {0x1100, 2},
        {0x115F, 2},   {0x1160, 0},   {0x11FF, 0},   {0x1200, 1},  {0x303E, 2},   {0x303F, 1},   {0x3099, 0},
        {0x4DBF, 2},   {0x4DC0, 1},   {0xFEFF, 0},   {0xFF60, 2},  {0xFF61, 1},   {0x1F64F, 2},  {0x1F650, 1},
        {0x3FFFD, 2},  {0x3FFFE, 1},  {0xE01EF, 0},  {0xE01F0, 1}, {0x10FFFF, 1}, {0x110000, 1},
    };
    for (const auto& edge : edges)
        EXPECT_EQ(CellsOf(edge.codePoint), edge.cells) << std::hex << static_cast<uint32_t>(edge.codePoint);
}

TEST(TextCells, APrefixWithinSomeCellsEndsOnAWholeGlyph) {
    const std::u16string text = u"a\u3042e\u0301\U0001F3B5";  // cells 1, 2, 1, 2
    const int32_t length = static_cast<int32_t>(text.size());
    const struct {
        int32_t cells;
        TextFit fit;
    } cases[] = {{0, {0, 0}}, {2, {1, 1}}, {3, {2, 3}}, {4, {4, 4}}, {5, {4, 4}}, {6, {6, 6}}, {99, {6, 6}}};
    for (const auto& c : cases) {
        const TextFit fit = PrefixWithin(text.data(), length, c.cells);
        EXPECT_EQ(fit.units, c.fit.units) << c.cells << " cells";
        EXPECT_EQ(fit.cells, c.fit.cells) << c.cells << " cells";
    }
}

}  // namespace
