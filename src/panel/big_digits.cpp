#include "panel/big_digits.h"

#include <cstring>

namespace quaver {

namespace {

// Bytes of the OEM code page.
constexpr unsigned char L = 0xDC;  // lower half block
constexpr unsigned char F = 0xDB;  // full block
constexpr unsigned char U = 0xDF;  // upper half block
constexpr unsigned char B = 0x20;  // blank (space)

constexpr int glyphCount = 12;
constexpr int glyphWidth = 4;

// Top, middle and bottom row of each glyph; the fourth column is always blank.
constexpr unsigned char glyphs[glyphCount][3][glyphWidth] = {
    {{L, L, L, B}, {F, B, F, B}, {F, L, F, B}},  // 0
    {{B, B, L, B}, {B, B, F, B}, {B, B, F, B}},  // 1
    {{L, L, L, B}, {L, L, F, B}, {F, L, L, B}},  // 2
    {{L, L, L, B}, {L, L, F, B}, {L, L, F, B}},  // 3
    {{L, B, L, B}, {F, L, F, B}, {B, B, F, B}},  // 4
    {{L, L, L, B}, {F, L, L, B}, {L, L, F, B}},  // 5
    {{L, L, L, B}, {F, L, L, B}, {F, L, F, B}},  // 6
    {{L, L, L, B}, {B, B, F, B}, {B, B, F, B}},  // 7
    {{L, L, L, B}, {F, L, F, B}, {F, L, F, B}},  // 8
    {{L, L, L, B}, {F, L, F, B}, {L, L, F, B}},  // 9
    {{B, B, B, B}, {B, U, B, B}, {B, U, B, B}},  // 10 colon
    {{B, B, B, B}, {B, L, L, B}, {B, B, B, B}},  // 11 minus
};

void Digit(DigitRows& rows, uint32_t digit, int cell) {
    BuildBigGlyph(static_cast<int>(digit % 10), rows.top, rows.middle, rows.bottom, cell);
}

}  // namespace

void BuildBigGlyph(int glyph, char* topRow, char* middleRow, char* bottomRow, int cell) {
    if (glyph < 0 || glyph >= glyphCount) return;
    // The last glyph's blank column may fall on the terminator position, written afterwards.
    if (cell < 0 || cell + glyphWidth > digitRowCells + 1) return;
    std::memcpy(topRow + cell, glyphs[glyph][0], glyphWidth);
    std::memcpy(middleRow + cell, glyphs[glyph][1], glyphWidth);
    std::memcpy(bottomRow + cell, glyphs[glyph][2], glyphWidth);
}

void BlankDigitRows(DigitRows& rows) {
    std::memset(rows.top, ' ', digitRowCells);
    std::memset(rows.middle, ' ', digitRowCells);
    std::memset(rows.bottom, ' ', digitRowCells);
}

void TerminateDigitRows(DigitRows& rows) {
    rows.top[digitRowCells] = '\0';
    rows.middle[digitRowCells] = '\0';
    rows.bottom[digitRowCells] = '\0';
}

void WriteTrackNumber(DigitRows& rows, uint32_t trackNumber) {
    Digit(rows, trackNumber / 100, digitCell::TrackHundreds);
    Digit(rows, trackNumber / 10, digitCell::TrackTens);
    Digit(rows, trackNumber, digitCell::TrackUnits);
}

void WriteClock(DigitRows& rows, uint32_t seconds, bool remaining) {
    if (remaining) BuildBigGlyph(minusGlyph, rows.top, rows.middle, rows.bottom, digitCell::Minus);
    // No hours field: minutes of 100 and more show their last two digits.
    Digit(rows, seconds / 600, digitCell::MinutesTens);
    Digit(rows, seconds / 60, digitCell::MinutesUnits);
    BuildBigGlyph(colonGlyph, rows.top, rows.middle, rows.bottom, digitCell::Colon);
    Digit(rows, seconds % 60 / 10, digitCell::SecondsTens);
    Digit(rows, seconds % 60, digitCell::SecondsUnits);
}

}  // namespace quaver
