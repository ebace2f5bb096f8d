// The wide build's title line, cell-exact: the shown part of the player's UTF-16 window title (found by
// FindShownTitle, counted in units) laid into a field of fieldCells console cells by the scroll mode, with the
// classic rules counted in cells instead of characters:
// - a title that fits, or any title in mode 0, is centred and cut: centred by cells (half a cell left when
//   the rest is odd); a long one shows the glyphs that fit from its beginning;
// - back and forth (mode 1) and running text (mode 2, with " *** ") move one cell per pass and carry the
//   same ScrollState as the classic title line, its lengths and offsets counted in cells;
// - a 2-cell glyph that only half lies in the field shows as a space in its cell inside; a combining mark
//   stays with its base; a surrogate pair is one glyph.
// Every field is written whole: spaces around the title, so that the units written always fill exactly
// fieldCells cells, then a terminator. What is written is always well-formed UTF-16: a lone surrogate of the
// title is shown as U+FFFD, and a mark with no base before it stands on a space.
//
// The caller (the wide title line) does:
//     wchar_t field[wideTitleFieldCapacity];
//     ShownTitle shown;
//     if (FindShownTitle(title, length, shown)) {
//         const WideTitleSpan span = LayOutWideTitle(title + shown.start, shown.length, TitleFieldCells(),
//                                                    liveDisplay.scrollMode, liveDisplay.scroll, field,
//                                                    wideTitleFieldCapacity);
//         ... field[0, span.units) is the whole field, terminated; draw it from the field's first cell.
//     }
#pragma once

#include <cstdint>

#include "panel/title_layout.h"

namespace quaver {

// A glyph keeps at most this many units of the field: its base and as many of its marks as fit, whole; the
// others are left out, so that a glyph piled with marks cannot overrun the field.
constexpr int32_t glyphUnitsKept = 4;

// The units a field of cells cells takes, its terminator included.
constexpr int32_t WideFieldCapacity(int32_t cells) { return cells * glyphUnitsKept + 1; }
constexpr int32_t wideTitleFieldCapacity = WideFieldCapacity(34);  // the widest title field

struct WideTitleSpan {
    int32_t at;     // the field's cell where the title begins
    int32_t cells;  // the title's cells from there (the rest of the field is spaces)
    int32_t units;  // the units written for the whole field, the terminator not counted
};

// Lays the shown title (length units) into field, fieldCells cells wide (fieldCells >= 1), by the scroll mode
// (a scrollModeValue; any other is centred and cut), advancing the scroll state only for a title longer than
// the field in modes 1 and 2. Writes at most capacity units, terminator included. A capacity below
// WideFieldCapacity(fieldCells), or no field at all, writes only a terminator (where there is room for it)
// and returns {0, 0, 0}. Reads only shown[0, length).
template <typename Unit>
WideTitleSpan LayOutWideTitle(const Unit* shown, int32_t length, int32_t fieldCells, int32_t mode,
                              ScrollState& scroll, Unit* field, int32_t capacity);

}  // namespace quaver
