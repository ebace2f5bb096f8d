#include "pure/text.h"

#include "host/text_cells.h"

namespace host {

namespace {

constexpr char16_t replacement = 0xFFFD;

// Code page 437 from 0x80, and the glyphs it shows for the control range.
constexpr char16_t oemHigh[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC,
    0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6, 0x00DC, 0x00A2,
    0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310,
    0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C,
    0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF,
    0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2,
    0x25A0, 0x00A0,
};
constexpr char16_t oemControlGlyphs[32] = {
    0x0000, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022, 0x25D8, 0x25CB, 0x25D9,
    0x2642, 0x2640, 0x266A, 0x266B, 0x263C, 0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7,
    0x25AC, 0x21A8, 0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,
};
constexpr char16_t oemDelete = 0x2302;

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUtf16(std::u16string* text, char32_t codePoint) {
    if (codePoint >= 0x10000) {
        codePoint -= 0x10000;
        *text += static_cast<char16_t>(0xD800 + (codePoint >> 10));
        *text += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
    } else {
        *text += static_cast<char16_t>(codePoint);
    }
}

}  // namespace

int CellsOfCodePoint(char32_t codePoint) { return quaver::CellsOf(codePoint); }

DecodedCodePoint DecodeUtf8(std::string_view text) {
    if (text.empty()) return {0, 0};
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return {lead, 1};
    size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
    if (length == 0 || text.size() < length) return {replacement, 1};
    char32_t value = lead & (0xFF >> (length + 1));
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return {replacement, 1};
        value = (value << 6) | (byte(i) & 0x3F);
    }
    // Over-long forms, surrogates and values past the last plane are no UTF-8.
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < least[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return {replacement, 1};
    return {value, length};
}

void AppendUtf8(std::string* text, char32_t codePoint) {
    if (codePoint < 0x80) {
        *text += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        *text += static_cast<char>(0xC0 | (codePoint >> 6));
        *text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        *text += static_cast<char>(0xE0 | (codePoint >> 12));
        *text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        *text += static_cast<char>(0xF0 | (codePoint >> 18));
        *text += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        *text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

bool IsUtf8(std::string_view text) {
    while (!text.empty()) {
        const DecodedCodePoint decoded = DecodeUtf8(text);
        if (decoded.value == replacement && decoded.bytes == 1) return false;
        text.remove_prefix(decoded.bytes);
    }
    return true;
}

std::u16string Utf16FromUtf8(std::string_view text) {
    std::u16string wide;
    wide.reserve(text.size());
    while (!text.empty()) {
        const DecodedCodePoint decoded = DecodeUtf8(text);
        AppendUtf16(&wide, decoded.value);
        text.remove_prefix(decoded.bytes);
    }
    return wide;
}

std::string Utf8FromUtf16(std::u16string_view text) {
    std::string narrow;
    narrow.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            unit = 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            unit = replacement;
        }
        AppendUtf8(&narrow, unit);
    }
    return narrow;
}

char16_t UnicodeFromOem(unsigned char byte, bool controlGlyphs) {
    if (byte >= 0x80) return oemHigh[byte - 0x80];
    if (!controlGlyphs) return byte;
    if (byte < 0x20) return oemControlGlyphs[byte];
    return byte == 0x7F ? oemDelete : byte;
}

std::u16string Utf16FromOem(std::string_view text, bool controlGlyphs) {
    std::u16string wide(text.size(), u'\0');
    for (size_t i = 0; i < text.size(); ++i) wide[i] = UnicodeFromOem(static_cast<unsigned char>(text[i]), controlGlyphs);
    return wide;
}

std::string Utf8FromOem(std::string_view text, bool controlGlyphs) {
    return Utf8FromUtf16(Utf16FromOem(text, controlGlyphs));
}

std::string Utf8FromWide(std::wstring_view text) {
    if constexpr (sizeof(wchar_t) == sizeof(char16_t)) {
        return Utf8FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
    } else {
        std::string narrow;
        for (wchar_t unit : text) {
            const auto codePoint = static_cast<char32_t>(unit);
            AppendUtf8(&narrow, codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF) ? replacement : codePoint);
        }
        return narrow;
    }
}

std::wstring WideFromUtf8(std::string_view text) {
    std::wstring wide;
    if constexpr (sizeof(wchar_t) == sizeof(char16_t)) {
        const std::u16string units = Utf16FromUtf8(text);
        wide.assign(units.begin(), units.end());
    } else {
        while (!text.empty()) {
            const DecodedCodePoint decoded = DecodeUtf8(text);
            wide += static_cast<wchar_t>(decoded.value);
            text.remove_prefix(decoded.bytes);
        }
    }
    return wide;
}

std::string OemFromUtf8(std::string_view text) {
    std::string oem;
    while (!text.empty()) {
        const DecodedCodePoint decoded = DecodeUtf8(text);
        text.remove_prefix(decoded.bytes);
        char found = '?';
        for (int byte = 1; byte < 256; ++byte)
            if (UnicodeFromOem(static_cast<unsigned char>(byte)) == decoded.value) {
                found = static_cast<char>(byte);
                break;
            }
        // The control bytes stand for themselves where they are meant as such: a tab stays a tab.
        if (decoded.value < 0x20) found = static_cast<char>(decoded.value);
        oem += found;
    }
    return oem;
}

GlyphSpan FirstGlyph(std::string_view text) {
    if (text.empty()) return {0, 0};
    const DecodedCodePoint base = DecodeUtf8(text);
    GlyphSpan glyph{base.bytes, CellsOfCodePoint(base.value)};
    // A mark with nothing before it stands alone in a cell.
    if (glyph.cells == 0) glyph.cells = 1;
    while (glyph.bytes < text.size()) {
        const DecodedCodePoint next = DecodeUtf8(text.substr(glyph.bytes));
        if (CellsOfCodePoint(next.value) != 0) break;
        glyph.bytes += next.bytes;
    }
    return glyph;
}

GlyphSpan FirstGlyph(std::u16string_view text) {
    const auto codePointAt = [&](size_t at, size_t* units) -> char32_t {
        const char32_t unit = text[at];
        if (IsHighSurrogate(unit) && at + 1 < text.size() && IsLowSurrogate(text[at + 1])) {
            *units = 2;
            return 0x10000 + ((unit - 0xD800) << 10) + (text[at + 1] - 0xDC00);
        }
        *units = 1;
        return unit;
    };
    if (text.empty()) return {0, 0};
    size_t units = 0;
    GlyphSpan glyph{0, CellsOfCodePoint(codePointAt(0, &units))};
    glyph.bytes = units;
    if (glyph.cells == 0) glyph.cells = 1;
    while (glyph.bytes < text.size()) {
        if (CellsOfCodePoint(codePointAt(glyph.bytes, &units)) != 0) break;
        glyph.bytes += units;
    }
    return glyph;
}

int Cells(std::string_view text) {
    int cells = 0;
    for (GlyphSpan glyph = FirstGlyph(text); glyph.bytes > 0; glyph = FirstGlyph(text)) {
        cells += glyph.cells;
        text.remove_prefix(glyph.bytes);
    }
    return cells;
}

std::string_view CutToCells(std::string_view text, int cells) {
    if (cells < 0) return text;
    size_t kept = 0;
    int used = 0;
    for (GlyphSpan glyph = FirstGlyph(text); glyph.bytes > 0; glyph = FirstGlyph(text.substr(kept))) {
        if (used + glyph.cells > cells) break;
        used += glyph.cells;
        kept += glyph.bytes;
    }
    return text.substr(0, kept);
}

int CellsBefore(std::string_view text, size_t offset) { return Cells(text.substr(0, offset)); }

}  // namespace host
