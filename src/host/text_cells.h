// How UTF-16 text stands in console cells: which units make one glyph and how many cells it takes. A glyph
// is a base code point (a surrogate pair is one; a lone surrogate is one unit of its own, never split) and
// every zero-width mark after it; it takes its base's cells, and a mark with no base before it takes 1.
// Pure: no OS calls, no allocation. Each function is made for char16_t and for wchar_t (UTF-16 on Windows;
// on Linux a wchar_t unit outside the surrogates is read as its own code point).
#pragma once

#include <cstdint>

namespace quaver {

// 0 for combining marks and other zero-width characters (joiners, variation selectors, the byte-order mark),
// 2 for East Asian wide and fullwidth characters, 1 for everything else, control characters included.
int CellsOf(char32_t codePoint);

constexpr bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

struct CodePoint {
    char32_t value;  // a lone surrogate is its own value
    int32_t units;   // 1, or 2 for a pair; 0 only for an empty text
};

// The code point text starts with, reading at most length units.
template <typename Unit>
CodePoint CodePointAt(const Unit* text, int32_t length);

struct TextFit {
    int32_t units;
    int32_t cells;
};

// The glyph text starts with: its units (the base and every mark after it) and its cells. {0, 0} for an
// empty text; otherwise at least one unit and one cell.
template <typename Unit>
TextFit GlyphAt(const Unit* text, int32_t length);

// The cells of length units of text.
template <typename Unit>
int32_t TextCells(const Unit* text, int32_t length);

// The longest beginning of text made of whole glyphs that takes at most cells cells.
template <typename Unit>
TextFit PrefixWithin(const Unit* text, int32_t length, int32_t cells);

}  // namespace quaver
