// The host's picture of the console: what callers have drawn (pending) and what the console shows (shown).
// Drawing only touches the pending picture; a flush asks for the rectangles that differ, writes them, and
// the two pictures agree again. Free of <windows.h> so that it can be tested natively.
//
// A cell holds a glyph in UTF-16: one character, a surrogate pair, or a character with the zero-width marks
// after it (as many as fit). A glyph of two cells lies in its left cell; the right one is its other half, and
// writing over either half leaves a space in the other, so that no half glyph is ever shown.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace host {

struct Cell {
    Cell() = default;
    Cell(char16_t character, uint8_t attribute) : glyph{character, 0, 0, 0}, attribute(attribute) {}

    std::array<char16_t, 4> glyph{u' ', 0, 0, 0};  // zero-padded
    uint8_t attribute = 0x07;
    uint8_t width = 1;  // 2: the left half of a two-cell glyph; 0: its right half

    std::u16string_view Glyph() const { return std::u16string_view(glyph.data(), glyph[3] ? 4 : std::char_traits<char16_t>::length(glyph.data())); }
    char16_t First() const { return glyph[0]; }
    bool operator==(const Cell&) const = default;
};

// Corners inclusive, as the console's own rectangles are.
struct Rect {
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;
    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
    bool Empty() const { return right < left || bottom < top; }
    bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    bool operator==(const Rect&) const = default;
};

// A copy of a rectangle of the pending picture, put back by ScreenBuffer::Restore.
struct SavedArea {
    Rect rect;  // empty when nothing of the asked rectangle lay on the screen
    std::vector<Cell> cells;  // rect.Width() * rect.Height(), row by row
};

class ScreenBuffer {
public:
    ScreenBuffer(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }

    // A new size clears the pending picture to `fill` and forgets what the console shows, so that the next
    // flush rewrites every cell.
    void Resize(int width, int height, Cell fill = Cell{});

    // Both pictures take the console's current contents (cells: width * height, row by row).
    void Adopt(const std::vector<Cell>& cells);

    const Cell& At(int x, int y) const;        // pending; the caller keeps x and y on the screen
    const Cell& ShownAt(int x, int y) const;   // what the console shows as far as the buffer knows

    // Writes text from (x, y) rightwards, glyph by glyph, stopping at its terminating zero or after `length`
    // bytes (UTF-8) or units (UTF-16), whichever comes first; cells off the screen are skipped, and a two-cell
    // glyph cut by an edge of the screen leaves a space in the cell it keeps. Never wraps to the next row.
    // The attribute's bits in `keep` are the cell's own: 0x0F keeps its foreground, 0xF0 its background.
    void PutText(int x, int y, uint8_t attribute, const char* text, int length = -1, uint8_t keep = 0);
    void PutText(int x, int y, uint8_t attribute, std::u16string_view text, uint8_t keep = 0);
    void SetCell(int x, int y, Cell cell);                    // ignored off the screen
    void Fill(const Rect& rect, Cell cell);                   // clipped to the screen
    void SetAttribute(const Rect& rect, uint8_t attribute);   // keeps the characters; clipped

    Rect Clip(Rect rect) const;

    // x2 or y2 below zero reach to the right or bottom edge, so (0, 0, -1, -1) is the whole screen.
    SavedArea Save(int x1, int y1, int x2, int y2) const;
    // Writes the copy back at its place; the parts that no longer lie on the screen are dropped.
    void Restore(const SavedArea& area);

    // The rectangles of the pending picture that differ from what the console shows, in row order. Rows
    // next to each other share a rectangle when that costs few unchanged cells. Marks them as shown: the
    // caller writes every rectangle it gets.
    std::vector<Rect> TakeChanges();

    // Forgets what the console shows: the next flush rewrites the whole screen.
    void Invalidate();

private:
    Cell& Pending(int x, int y) { return pending_[static_cast<size_t>(y) * width_ + x]; }
    // Writes one glyph's cells; cells is 1 or 2.
    void PutGlyph(long long x, int y, std::u16string_view glyph, int cells, uint8_t attribute, uint8_t keep);
    // The cells left of `left` and right of `right` on row y: a glyph those columns cut in half is blanked.
    void MendHalves(int y, int left, int right);

    int width_ = 0;
    int height_ = 0;
    std::vector<Cell> pending_;
    std::vector<Cell> shown_;
    std::vector<bool> shownKnown_;  // per row: false after Invalidate or Resize
};

}  // namespace host
