// The stand-alone host's Unicode: text turned into UTF-8 from either interface, glyphs in console cells (two
// for an East Asian wide character, a pair and a mark in one), colours of the wide interface, and its records
// as the host reads and fills them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "pure/dialog_model.h"
#include "pure/language_file.h"
#include "pure/menu_model.h"
#include "pure/screen_buffer.h"
#include "pure/text.h"
#include "pure/wide_records.h"
#include "screen_text.h"

using namespace host;

namespace {

const std::string tokyo = "東京";              // two wide characters
const std::string clef = "\xF0\x9D\x84\x9E";  // U+1D11E, a pair in UTF-16, one cell
const std::string accented = "e\xCC\x81";     // e and a combining acute accent: one glyph

TEST(HostText, ConvertsBetweenItsCodingsAndMarksWhatIsNoText) {
    for (const std::string& text : {std::string("Ορχήστρα"), tokyo, clef + " Overture", accented}) {
        EXPECT_EQ(Utf8FromUtf16(Utf16FromUtf8(text)), text);
        EXPECT_EQ(Utf8FromWide(WideFromUtf8(text)), text);
        EXPECT_TRUE(IsUtf8(text));
    }
    EXPECT_EQ(Utf16FromUtf8(clef), (std::u16string{0xD834, 0xDD1E}));
    EXPECT_EQ(Utf8FromUtf16(std::u16string{u'a', 0xD834, u'b'}), "a\xEF\xBF\xBD" "b") << "a lone half";
    EXPECT_EQ(Utf8FromUtf16(Utf16FromUtf8("\xC0\xAF")), "\xEF\xBF\xBD\xEF\xBF\xBD") << "an over-long form is no UTF-8";
    EXPECT_FALSE(IsUtf8("Caf\xE9"));

    // The console's code page: a classic module's frames, digits and glyphs, and back.
    EXPECT_EQ(Utf8FromOem("\xC9\xCD\x84\xE1\x0F\x10\x7F"), "╔═äß☼►⌂");
    EXPECT_EQ(OemFromUtf8("╔═äß☼►⌂"), "\xC9\xCD\x84\xE1\x0F\x10\x7F");
    EXPECT_EQ(Utf8FromOem("a\tb\r\n", false), "a\tb\r\n") << "a file's tabs and line ends stay";
    EXPECT_EQ(OemFromUtf8("a\tb\n東"), "a\tb\n?");
    std::string every;
    for (int byte = 1; byte < 256; ++byte) every += static_cast<char>(byte);
    EXPECT_EQ(OemFromUtf8(Utf8FromOem(every)), every) << "every byte comes back";
}

TEST(HostText, GlyphsTakeTheirCellsAndAreCutWhole) {
    EXPECT_EQ(Cells(tokyo), 4);
    EXPECT_EQ(Cells(clef), 1);
    EXPECT_EQ(Cells(accented), 1);
    EXPECT_EQ(Cells("\xCC\x81"), 1) << "a mark with nothing before it stands alone";
    EXPECT_EQ(CutToCells(tokyo, 3), "東") << "never half a wide character";
    EXPECT_EQ(CutToCells("a" + accented + "b", 2), "a" + accented) << "the mark stays with its base";
    EXPECT_EQ(CutToCells(clef + "x", 1), clef);
    EXPECT_EQ(CellsBefore("東x", std::string("東").size()), 2);
}

TEST(HostScreenBufferGlyphs, AWideCharacterTakesTwoCellsAndIsNeverShownByHalf) {
    ScreenBuffer screen(6, 3);
    screen.PutText(0, 0, 0x1E, tokyo.c_str());
    EXPECT_EQ(RowText(screen, 0), "東京  ");
    EXPECT_EQ(screen.At(0, 0).width, 2);
    EXPECT_EQ(screen.At(1, 0).width, 0) << "the right half";
    EXPECT_EQ(screen.At(1, 0).attribute, 0x1E);
    screen.PutText(1, 0, 0x07, "x");  // over the right half of 東
    EXPECT_EQ(RowText(screen, 0), " x京  ") << "the left half becomes a space";
    screen.PutText(2, 0, 0x07, "y");  // over the left half of 京
    EXPECT_EQ(RowText(screen, 0), " xy   ");

    screen.PutText(5, 1, 0x07, tokyo.c_str());
    EXPECT_EQ(RowText(screen, 1), "      ") << "cut by the right edge: a space where its half would be";
    screen.PutText(-1, 1, 0x07, tokyo.c_str());
    EXPECT_EQ(RowText(screen, 1), " 京   ") << "and by the left edge";

    screen.PutText(0, 2, 0x07, (clef + accented + "z").c_str());
    EXPECT_EQ(screen.At(0, 2).Glyph(), (std::u16string{0xD834, 0xDD1E})) << "a pair in one cell";
    EXPECT_EQ(screen.At(1, 2).Glyph(), u"e\u0301") << "a mark with its base";
    EXPECT_EQ(screen.At(2, 2).First(), u'z');

    // A change to either half writes both: the console takes a wide character as one.
    ScreenBuffer shown(6, 1);
    shown.PutText(2, 0, 0x07, tokyo.c_str());
    shown.TakeChanges();
    shown.SetAttribute(Rect{3, 0, 3, 0}, 0x4F);
    EXPECT_EQ(shown.TakeChanges(), (std::vector<Rect>{Rect{2, 0, 3, 0}}));
}

TEST(HostScreenBufferGlyphs, TransparentHalvesOfAColourKeepTheCells) {
    ScreenBuffer screen(4, 1);
    screen.PutText(0, 0, 0x1E, "abcd");
    screen.PutText(0, 0, 0x40, u"XY", 0x0F);  // foreground transparent
    screen.PutText(2, 0, 0x0A, u"Z", 0xF0);   // background transparent
    EXPECT_EQ(RowText(screen, 0), "XYZd");
    EXPECT_EQ(screen.At(0, 0).attribute, 0x4E);
    EXPECT_EQ(screen.At(2, 0).attribute, 0x1A);
}

TEST(HostWideColours, PaletteIndicesRgbAndTransparencyBecomeConsoleAttributes) {
    using wide::Colour;
    struct Case {
        Colour colour;
        Paint paint;
    };
    const Case cases[] = {
        {{0xB, 0xFF000000u | 0xE, 0xFF000000u | 0x1, 0, 0}, {0x1E, 0x00}},  // a classic attribute
        {{0x3, 0xFF00000Fu, 0xFF000004u, 0, 0}, {0x4F, 0x00}},
        {{0x0, 0xFF0000FFu, 0xFF202020u, 0, 0}, {0x0C, 0x00}},  // RGB: pure red on near black
        {{0x0, 0xFFFFFF00u, 0xFF808080u, 0, 0}, {0x8B, 0x00}},  // cyan (BBGGRR) on dark grey
        {{0x3, 0x0000000Eu, 0xFF000001u, 0, 0}, {0x10, 0x0F}},  // no opacity: the foreground stays the cell's
        {{0x3, 0xFF00000Eu, 0x00000001u, 0, 0}, {0x0E, 0xF0}},
    };
    for (const Case& c : cases) {
        const Paint paint = PaintOf(c.colour);
        EXPECT_EQ(paint.attribute, c.paint.attribute) << std::hex << c.colour.foreground << " " << c.colour.background;
        EXPECT_EQ(paint.keep, c.paint.keep) << std::hex << c.colour.foreground << " " << c.colour.background;
    }
    const Colour palette = ColourOf(0x3E);
    EXPECT_EQ(palette.flags, 0xBu);
    EXPECT_EQ(palette.foreground, 0xFF00000Eu);
    EXPECT_EQ(palette.background, 0xFF000003u);
    EXPECT_EQ(PaintOf(palette).attribute, 0x3E);
}

TEST(HostWideIdentity, IsTakenOnlyCompleteWithAGuidAndForAHostNoNewerThanThisOne) {
    const wide::Guid guid{0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 0xFF}};
    const wide::Identity good{sizeof(wide::Identity), {3, 0, 0, 6727, 0}, {1, 0, 0, 1, 0}, guid,
                              L"Title", L"About it", L"Us", nullptr};
    EXPECT_EQ(IdentityProblem(good), "");
    EXPECT_EQ(GuidText(guid), "{12345678-9ABC-DEF0-0102-0304050607FF}");
    struct Case {
        const char* what;
        void (*spoil)(wide::Identity&);
    };
    const Case refused[] = {
        {"a shorter record", [](wide::Identity& id) { id.size -= 1; }},
        {"no title", [](wide::Identity& id) { id.title = nullptr; }},
        {"an empty author", [](wide::Identity& id) { id.author = L""; }},
        {"a zero GUID", [](wide::Identity& id) { id.module = wide::Guid{}; }},
        {"a later build", [](wide::Identity& id) { id.oldestHost.build = 6728; }},
        {"a later minor version", [](wide::Identity& id) { id.oldestHost = {3, 1, 0, 0, 0}; }},
    };
    for (const Case& c : refused) {
        wide::Identity identity = good;
        c.spoil(identity);
        EXPECT_NE(IdentityProblem(identity), "") << c.what;
    }
    wide::Identity older = good;
    older.oldestHost = {2, 9, 99, 9999, 0};
    EXPECT_EQ(IdentityProblem(older), "") << "an older host asked for";
}

TEST(HostWidePanel, AnEntryIsAskedForItsSizeThenPackedWithItsNameAfterIt) {
    const PanelEntryText entry{L"東京 Night.mp3", false, true};
    const size_t needed = PackPanelEntry(entry, nullptr, 0);
    EXPECT_GE(needed, sizeof(wide::PanelEntry) + (entry.name.size() + 1) * sizeof(wchar_t));
    std::vector<unsigned char> buffer(needed + 8, 0xCD);
    EXPECT_EQ(PackPanelEntry(entry, buffer.data(), needed - 1), needed) << "too small: only the size";
    EXPECT_EQ(buffer[0], 0xCD) << "and nothing written";
    EXPECT_EQ(PackPanelEntry(entry, buffer.data(), needed), needed);
    EXPECT_EQ(buffer[needed], 0xCD) << "nothing past the size it asked for";
    wide::PanelEntry record;
    std::memcpy(&record, buffer.data(), sizeof record);
    EXPECT_EQ(std::wstring(record.name), entry.name);
    EXPECT_GE(reinterpret_cast<const unsigned char*>(record.name), buffer.data() + sizeof record) << "inside the buffer";
    EXPECT_EQ(record.flags, wide::entryFlag::Selected);
    EXPECT_EQ(record.attributes, 0u);

    std::vector<unsigned char> folder(PackPanelFolder(L"C:\\Music", nullptr, 0));
    wide::PanelFolder asked{};
    asked.size = sizeof asked;
    std::memcpy(folder.data(), &asked, sizeof asked);
    EXPECT_EQ(PackPanelFolder(L"C:\\Music", folder.data(), folder.size()), folder.size());
    std::memcpy(&asked, folder.data(), sizeof asked);
    EXPECT_EQ(std::wstring(asked.name), L"C:\\Music");
    EXPECT_EQ(asked.size, sizeof asked) << "the module's size stays";
    asked.size -= 1;
    std::memcpy(folder.data(), &asked, sizeof asked);
    EXPECT_EQ(PackPanelFolder(L"C:\\Music", folder.data(), folder.size()), 0u) << "a record smaller than the host's";
}

TEST(HostWideLanguageFile, UnicodeFilesAreReadByTheirMarkAndUnmarkedLinesAsUtf8ElseOem) {
    const std::string body = ".Language=English,English\r\n\"Ορχήστρα\"\r\n\"東京 " + clef + "\"\r\n";
    struct Case {
        const char* what;
        std::string bytes;
    };
    std::string utf16 = "\xFF\xFE";
    for (char16_t unit : Utf16FromUtf8(body)) utf16 += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    const Case cases[] = {{"UTF-8 with its mark", "\xEF\xBB\xBF" + body}, {"UTF-16 with its mark", utf16},
                          {"UTF-8 without a mark", body}};
    for (const Case& c : cases) {
        std::string text;
        ASSERT_TRUE(DecodeFileText(c.bytes, FileCoding::Unicode, &text)) << c.what;
        LanguageFile file;
        FileProblem problem;
        ASSERT_TRUE(file.Parse(text, 2, &problem)) << c.what << ": " << problem.reason;
        EXPECT_EQ(file.Text(0), "Ορχήστρα") << c.what;
        EXPECT_EQ(std::wstring(file.GetWide(1)), WideFromUtf8("東京 " + clef)) << c.what;
        EXPECT_STREQ(file.Get(0), "????\xE5\xE7?\xE0") << c.what << ": as far as the OEM code page has it";
    }
    std::string text;
    ASSERT_TRUE(DecodeFileText(".Language=German,Deutsch\r\n\"Gr\x81\xE1" "e\"\r\n", FileCoding::Unicode, &text));
    EXPECT_NE(text.find("Grüße"), std::string::npos) << "a line that is no UTF-8 is OEM text";
    EXPECT_FALSE(DecodeFileText("\xEF\xBB\xBF.Language=English,English\r\n\"\xE9\"\r\n", FileCoding::Unicode, &text))
        << "marked UTF-8 that is not";
    ASSERT_TRUE(DecodeFileText(".Language=German,Deutsch\r\n\"Gr\x81\xE1" "e\"\r\n", FileCoding::Oem, &text));
    LanguageFile german;
    FileProblem problem;
    ASSERT_TRUE(german.Parse(text, 1, &problem));
    EXPECT_STREQ(german.Get(0), "Gr\x81\xE1" "e") << "a classic module reads its own bytes";
    EXPECT_EQ(german.Text(0), "Grüße");
}

TEST(HostWideDialog, ItemsAreCopiedWithTheirFlagsAndDrawnCellExact) {
    using namespace wide::dialogLineFlag;
    std::vector<wide::DialogLine> lines(4);
    const auto line = [&](size_t i, int type, intptr_t x1, intptr_t y1, intptr_t x2, const wchar_t* text,
                          wide::Flags flags, intptr_t selected = 0) {
        lines[i].type = type;
        lines[i].x1 = x1;
        lines[i].y1 = y1;
        lines[i].x2 = x2;
        lines[i].y2 = i == 0 ? 6 : y1;
        lines[i].text = text;
        lines[i].flags = flags;
        lines[i].selected = selected;
    };
    const std::wstring title = WideFromUtf8("東京");
    line(0, dialog::Frame, 1, 0, 20, title.c_str(), 0);
    line(1, dialog::CheckBox, 3, 1, 0, L"&Wide", Focus, 1);
    line(2, dialog::Button, 3, 3, 0, L"&Hidden", Hidden);
    line(3, dialog::Button, 3, 4, 0, L"A&&B", ShowAmpersand | DefaultButton | Disabled);
    const std::vector<DialogItem> items = ItemsFromWide(lines.data(), lines.size());
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].text, "東京");
    EXPECT_TRUE(items[1].focus);
    EXPECT_EQ(items[1].selected, 1);
    EXPECT_TRUE(items[2].hidden);
    EXPECT_TRUE(items[3].showAmpersand && items[3].defaultButton && items[3].disabled);

    DialogModel model(items, 0, 0, 21, 7, 40, 10);
    EXPECT_EQ(model.Focus(), 1);
    EXPECT_EQ(model.HotKey(3), 0) << "an item that shows '&' has no hot key";
    EXPECT_EQ(model.ShownText(3), "A&&B");
    EXPECT_EQ(model.Key(DialogKey::Character, 'H'), DialogAction{}) << "a hidden item takes no key";
    EXPECT_TRUE(model.ItemRect(2).Empty());
    ScreenBuffer screen(40, 10);
    model.Draw(screen);
    EXPECT_EQ(CellText(screen, 1, 0, 20), "╔══════ 東京 ══════╗") << "the title takes its four cells";
}

TEST(HostMenu, TypedCharactersOfAnyScriptFilterAndBackspaceTakesAWholeOne) {
    MenuModel menu({"1. Νυχτερινό Τραγούδι", "2. 夜明けの歌", "3. Night Train"}, 0, false);
    menu.Key(0, U'夜', 3);
    EXPECT_EQ(menu.Shown(), std::vector<int>{1});
    menu.Key(menuKey::Back, 0, 3);
    EXPECT_EQ(menu.Filter(), "");
    EXPECT_EQ(menu.Shown().size(), 3u);
}

}  // namespace
