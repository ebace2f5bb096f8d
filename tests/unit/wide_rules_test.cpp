// The wide build's pure rules: the host's colours as console attributes, the dialog tables' flags in the wide
// host's numbers, and what becomes of a path the player did not take as UTF-16.
#include <gtest/gtest.h>

#include "dialogs/dialog_items.h"
#include "dialogs/wide/line_flags.h"
#include "host/wide/console_colours.h"
#include "player/wide/append_rule.h"

using namespace quaver;

namespace {

constexpr uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue) { return red | green << 8 | blue << 16; }

TEST(WideColours, ATrueColourBecomesTheNearestOfTheConsolesSixteen) {
    struct Case {
        uint32_t rgb;
        uint8_t console;
    };
    const Case cases[] = {
        {Rgb(0, 0, 0), 0},          {Rgb(0, 0, 128), 1},        {Rgb(192, 192, 192), 7},
        {Rgb(128, 128, 128), 8},    {Rgb(255, 255, 255), 15},   {Rgb(250, 10, 10), 12},
        {Rgb(100, 100, 100), 8},    {Rgb(0, 0, 100), 1},        {Rgb(230, 230, 30), 14},
        {Rgb(64, 64, 64), 0},       // as far from black as from dark grey: the lower number
        {0xFF000000u | Rgb(0, 128, 0), 2},  // the opacity byte does not count
    };
    for (const Case& c : cases) EXPECT_EQ(NearestConsoleColour(c.rgb), c.console) << std::hex << c.rgb;
}

TEST(WideColours, EachHalfOfAPaletteEntryIsAnIndexOrATrueColour) {
    using namespace wide::colourFlag;
    EXPECT_EQ(AttributeOfColour({ForegroundIndex | BackgroundIndex, 0xFF00001E, 0xFF000013, 0, 0}), 0x3E)
        << "indices keep their low four bits";
    EXPECT_EQ(AttributeOfColour({BackgroundIndex, Rgb(255, 255, 255), 0xFF000004, 0, 0}), 0x4F);
    EXPECT_EQ(AttributeOfColour({ForegroundIndex, 0xFF000000, Rgb(0, 0, 128), 0, 0}), 0x10);

    const wide::Colour drawn = ColourOfAttribute(0x1F);
    EXPECT_EQ(drawn.flags, ClassicAttribute);
    EXPECT_EQ(drawn.foreground, 0xFF00000Fu) << "opaque, or the cell would keep its old colour";
    EXPECT_EQ(drawn.background, 0xFF000001u);
    EXPECT_EQ(AttributeOfColour(drawn), 0x1F);
}

TEST(WidePaths, APathThePlayerDidNotTakeAsUtf16GoesInAnsiOnlyWhenEveryCharacterConverts) {
    struct Case {
        intptr_t answer;
        int ansiBytes;
        bool exact;
        AfterWidePath expected;
    };
    const Case cases[] = {
        {1, 0, false, AfterWidePath::Taken},       // taken: nothing more is sent
        {0, 12, true, AfterWidePath::SendAnsi},
        {0, 12, false, AfterWidePath::NotTaken},   // a character the code page lacks
        {0, 0, true, AfterWidePath::NotTaken},     // nothing converted
        {0, 259, true, AfterWidePath::SendAnsi},   // fits with its terminator
        {0, 260, true, AfterWidePath::NotTaken},   // no room for it
    };
    for (const Case& c : cases)
        EXPECT_EQ(AfterWideAppend(c.answer, c.ansiBytes, c.exact, 260), c.expected)
            << c.answer << " " << c.ansiBytes << " " << c.exact;
}

TEST(WideDialogFlags, TheTablesClassicFlagsBecomeTheWideHostsOwn) {
    namespace line = wide::dialogLineFlag;
    const struct {
        uint32_t classic;
        wide::Flags wide;
    } cases[] = {
        {dialogItem::Separator, line::Separator},  // never the wide host's box colour, its 0x200
        {dialogItem::Separator | dialogItem::SeparatorAboveButtons, line::Separator},
        {dialogItem::Group, line::Group},
        {dialogItem::Centred, line::Centred},
        {dialogItem::NoBrackets, 0},
        {dialogItem::Disabled, line::Disabled},
        {0, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(WideLineFlags(c.classic), c.wide) << std::hex << c.classic;
}

}  // namespace
