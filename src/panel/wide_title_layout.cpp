// The wide title line's layout in cells.
#include "panel/wide_title_layout.h"

#include "host/text_cells.h"

namespace quaver {

namespace {

constexpr char32_t replacementCharacter = 0xFFFD;

// Writes the field from its first cell on. Never writes past capacity - 1, which keeps the terminator's
// place; the capacity LayOutWideTitle asks for is large enough that nothing is ever refused.
template <typename Unit>
class FieldWriter {
public:
    FieldWriter(Unit* field, int32_t capacity) : field_(field), capacity_(capacity) {}

    void Spaces(int32_t count) {
        for (int32_t i = 0; i < count; ++i) Put(' ');
    }

    // One glyph of units units: its base whole, then its marks, whole, while the glyph keeps no more than
    // glyphUnitsKept units.
    void Glyph(const Unit* text, int32_t units) {
        const int32_t start = units_;
        const CodePoint base = CodePointAt(text, units);
        if (CellsOf(base.value) == 0) Put(' ');  // a mark with no base before it
        if (IsHighSurrogate(base.value) || IsLowSurrogate(base.value)) {  // a lone one
            Put(static_cast<Unit>(replacementCharacter));
        } else {
            for (int32_t i = 0; i < base.units; ++i) Put(text[i]);
        }
        for (int32_t at = base.units; at < units;) {
            const CodePoint mark = CodePointAt(text + at, units - at);
            if (units_ - start + mark.units > glyphUnitsKept) break;
            for (int32_t i = 0; i < mark.units; ++i) Put(text[at + i]);
            at += mark.units;
        }
    }

    // Cells from - to of a strip of glyphs on which text begins at cell at: a glyph only partly inside
    // leaves spaces in its cells inside.
    void Window(const Unit* text, int32_t length, int32_t at, int32_t from, int32_t to) {
        for (int32_t i = 0; i < length && at < to;) {
            const TextFit glyph = GlyphAt(text + i, length - i);
            const int32_t end = at + glyph.cells;
            if (end > from) {
                if (at >= from && end <= to) Glyph(text + i, glyph.units);
                else Spaces((end < to ? end : to) - (at > from ? at : from));
            }
            at = end;
            i += glyph.units;
        }
    }

    int32_t Finish() {
        field_[units_] = 0;
        return units_;
    }

private:
    void Put(Unit unit) {
        if (units_ < capacity_ - 1) field_[units_++] = unit;
    }

    Unit* field_;
    int32_t capacity_;
    int32_t units_ = 0;
};

template <typename Unit>
constexpr Unit bandSeparatorUnits[bandSeparatorLength] = {' ', '*', '*', '*', ' '};

}  // namespace

template <typename Unit>
WideTitleSpan LayOutWideTitle(const Unit* shown, int32_t length, int32_t fieldCells, int32_t mode,
                              ScrollState& scroll, Unit* field, int32_t capacity) {
    const bool fieldFits = fieldCells >= 1 && fieldCells <= (INT32_MAX - 1) / glyphUnitsKept;
    if (!fieldFits || capacity < WideFieldCapacity(fieldCells)) {
        if (capacity > 0) field[0] = 0;
        return {0, 0, 0};
    }
    if (length < 0) length = 0;
    FieldWriter<Unit> out(field, capacity);
    const int32_t cells = TextCells(shown, length);
    WideTitleSpan span{0, fieldCells, 0};
    if (cells <= fieldCells) {
        span = {(fieldCells - cells) / 2, cells, 0};  // half a cell left of the centre when the rest is odd
        out.Spaces(span.at);
        out.Window(shown, length, 0, 0, cells);
        out.Spaces(fieldCells - span.at - cells);
    } else if (mode == scrollModeValue::BackAndForth) {
        const int32_t offset = StepBackAndForth(scroll, cells, fieldCells);
        out.Window(shown, length, 0, offset, offset + fieldCells);
    } else if (mode == scrollModeValue::RunningText) {
        // The band is the title and the separator, repeated; the field never reaches past its second title.
        const int32_t offset = StepRunningText(scroll, cells + bandSeparatorLength);
        const int32_t to = offset + fieldCells;
        out.Window(shown, length, 0, offset, to);
        out.Window(bandSeparatorUnits<Unit>, bandSeparatorLength, cells, offset, to);
        out.Window(shown, length, cells + bandSeparatorLength, offset, to);
    } else {
        out.Window(shown, length, 0, 0, fieldCells);  // its first glyphs
    }
    span.units = out.Finish();
    return span;
}

template WideTitleSpan LayOutWideTitle(const char16_t*, int32_t, int32_t, int32_t, ScrollState&, char16_t*, int32_t);
template WideTitleSpan LayOutWideTitle(const wchar_t*, int32_t, int32_t, int32_t, ScrollState&, wchar_t*, int32_t);

}  // namespace quaver
