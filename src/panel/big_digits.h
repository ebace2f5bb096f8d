// The clock and track number in block characters, three console lines high.
#pragma once

#include <cstdint>

namespace quaver {

constexpr int digitRowCells = 32;  // each row: 32 cells and a terminator
constexpr int colonGlyph = 10;
constexpr int minusGlyph = 11;

// Cells of the digit rows where each element's glyph starts; glyphs are four cells wide and neighbours
// overlap only in blank columns.
namespace digitCell {
constexpr int TrackHundreds = 0, TrackTens = 4, TrackUnits = 8;
constexpr int Minus = 11;
constexpr int MinutesTens = 15, MinutesUnits = 19, Colon = 22, SecondsTens = 25, SecondsUnits = 29;
}  // namespace digitCell

// The narrow panel shows the digit rows from this cell, hiding the track number's hundreds.
constexpr int narrowFirstCell = 4;

struct DigitRows {
    char top[digitRowCells + 1];
    char middle[digitRowCells + 1];
    char bottom[digitRowCells + 1];
};

// Writes glyph 0-9, 10 (colon) or 11 (minus) at the given cell of the three rows; no terminator. A glyph
// number outside 0-11, or a cell whose four columns would not fit a 33-byte row, writes nothing.
void BuildBigGlyph(int glyph, char* topRow, char* middleRow, char* bottomRow, int cell);

// All 32 cells of every row to spaces; the terminators are left to TerminateDigitRows.
void BlankDigitRows(DigitRows& rows);
void TerminateDigitRows(DigitRows& rows);
// The last three digits of the track number.
void WriteTrackNumber(DigitRows& rows, uint32_t trackNumber);
// Minutes (last two digits) and seconds; the minus sign in front when the clock shows the remaining time.
void WriteClock(DigitRows& rows, uint32_t seconds, bool remaining);

}  // namespace quaver
