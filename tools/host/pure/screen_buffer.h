// The host's picture of the console: what callers have drawn (pending) and what the console shows (shown).
// Drawing only touches the pending picture; a flush asks for the rectangles that differ, writes them, and
// the two pictures agree again. Free of <windows.h> so that it can be tested natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace host {

struct Cell {
    char character = ' ';
    uint8_t attribute = 0x07;
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

    // Writes text from (x, y) rightwards, stopping at its terminating zero or at `length` characters,
    // whichever comes first; cells off the screen are skipped. Never wraps to the next row.
    void PutText(int x, int y, uint8_t attribute, const char* text, int length = -1);
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

    int width_ = 0;
    int height_ = 0;
    std::vector<Cell> pending_;
    std::vector<Cell> shown_;
    std::vector<bool> shownKnown_;  // per row: false after Invalidate or Resize
};

}  // namespace host
