// The host's text: what it keeps is UTF-8; what a module hands it is turned into that where it enters (a
// classic module's OEM bytes in code page 437, the console's, glyphs of the control range included; a wide
// module's UTF-16), and what the console gets is UTF-16. Where text lies in console cells, a glyph (a code
// point with the zero-width marks after it) takes the cells of its first code point: 2 for East Asian wide
// characters, else 1.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace host {

// How many cells a code point takes standing first in a glyph: 0 for a mark that joins the glyph before it
// (the module's own rules, host/text_cells.h).
int CellsOfCodePoint(char32_t codePoint);

// UTF-8 <-> UTF-16. Bytes that are no UTF-8, and lone surrogates, become U+FFFD.
std::u16string Utf16FromUtf8(std::string_view text);
std::string Utf8FromUtf16(std::u16string_view text);
// True when the bytes are UTF-8 throughout.
bool IsUtf8(std::string_view text);

// Code page 437, the console's: every byte has its character. On the screen 0x01 to 0x1F and 0x7F show their
// glyphs; in a file's text (controlGlyphs false) tabs, line ends and the like stay what they are.
char16_t UnicodeFromOem(unsigned char byte, bool controlGlyphs = true);
std::u16string Utf16FromOem(std::string_view text, bool controlGlyphs = true);
std::string Utf8FromOem(std::string_view text, bool controlGlyphs = true);
// Back to code page 437: a control character stays itself, a character the code page lacks becomes '?'.
std::string OemFromUtf8(std::string_view text);

// The platform's wide characters: UTF-16 on Windows (a wider wchar_t holds whole code points).
std::string Utf8FromWide(std::wstring_view text);
std::wstring WideFromUtf8(std::string_view text);

// One glyph of UTF-8 text: its bytes from the start, and its cells.
struct GlyphSpan {
    size_t bytes;
    int cells;
};
// The glyph the text starts with; {0, 0} for an empty text.
GlyphSpan FirstGlyph(std::string_view text);
// The same for UTF-16 text, where `bytes` counts its units.
GlyphSpan FirstGlyph(std::u16string_view text);

// The cells the text takes.
int Cells(std::string_view text);
// The longest beginning of whole glyphs that takes at most `cells` cells (all of it for a negative count).
std::string_view CutToCells(std::string_view text, int cells);
// The cell where the glyph starting at byte `offset` stands, counted from the text's start.
int CellsBefore(std::string_view text, size_t offset);

// A code point read from UTF-8 and its length in bytes (U+FFFD for a byte that starts none).
struct DecodedCodePoint {
    char32_t value;
    size_t bytes;
};
DecodedCodePoint DecodeUtf8(std::string_view text);
void AppendUtf8(std::string* text, char32_t codePoint);

}  // namespace host
