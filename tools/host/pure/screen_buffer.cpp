#include "pure/screen_buffer.h"

#include <algorithm>

namespace host {

ScreenBuffer::ScreenBuffer(int width, int height) { Resize(width, height); }

void ScreenBuffer::Resize(int width, int height, Cell fill) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    const size_t count = static_cast<size_t>(width_) * height_;
    pending_.assign(count, fill);
    shown_.assign(count, fill);
    shownKnown_.assign(height_, false);
}

void ScreenBuffer::Adopt(const std::vector<Cell>& cells) {
    if (cells.size() != pending_.size()) return;
    pending_ = cells;
    shown_ = cells;
    shownKnown_.assign(height_, true);
}

const Cell& ScreenBuffer::At(int x, int y) const { return pending_[static_cast<size_t>(y) * width_ + x]; }

const Cell& ScreenBuffer::ShownAt(int x, int y) const { return shown_[static_cast<size_t>(y) * width_ + x]; }

void ScreenBuffer::PutText(int x, int y, uint8_t attribute, const char* text, int length) {
    if (!text || y < 0 || y >= height_) return;
    for (int i = 0; (length < 0 || i < length) && text[i] != '\0'; ++i) {
        const long long column = static_cast<long long>(x) + i;  // x may lie near int's end
        if (column >= width_) break;
        if (column >= 0) Pending(static_cast<int>(column), y) = Cell{text[i], attribute};
    }
}

void ScreenBuffer::SetCell(int x, int y, Cell cell) {
    if (x >= 0 && x < width_ && y >= 0 && y < height_) Pending(x, y) = cell;
}

Rect ScreenBuffer::Clip(Rect rect) const {
    rect.left = std::max(rect.left, 0);
    rect.top = std::max(rect.top, 0);
    rect.right = std::min(rect.right, width_ - 1);
    rect.bottom = std::min(rect.bottom, height_ - 1);
    return rect;
}

void ScreenBuffer::Fill(const Rect& rect, Cell cell) {
    const Rect clipped = Clip(rect);
    for (int y = clipped.top; y <= clipped.bottom; ++y)
        for (int x = clipped.left; x <= clipped.right; ++x) Pending(x, y) = cell;
}

void ScreenBuffer::SetAttribute(const Rect& rect, uint8_t attribute) {
    const Rect clipped = Clip(rect);
    for (int y = clipped.top; y <= clipped.bottom; ++y)
        for (int x = clipped.left; x <= clipped.right; ++x) Pending(x, y).attribute = attribute;
}

SavedArea ScreenBuffer::Save(int x1, int y1, int x2, int y2) const {
    SavedArea area;
    area.rect = Clip(Rect{x1, y1, x2 < 0 ? width_ - 1 : x2, y2 < 0 ? height_ - 1 : y2});
    if (area.rect.Empty()) {
        area.rect = Rect{};
        return area;
    }
    area.cells.reserve(static_cast<size_t>(area.rect.Width()) * area.rect.Height());
    for (int y = area.rect.top; y <= area.rect.bottom; ++y)
        for (int x = area.rect.left; x <= area.rect.right; ++x) area.cells.push_back(At(x, y));
    return area;
}

void ScreenBuffer::Restore(const SavedArea& area) {
    const Rect& rect = area.rect;
    if (rect.Empty() || area.cells.size() != static_cast<size_t>(rect.Width()) * rect.Height()) return;
    size_t index = 0;
    for (int y = rect.top; y <= rect.bottom; ++y)
        for (int x = rect.left; x <= rect.right; ++x) SetCell(x, y, area.cells[index++]);
}

std::vector<Rect> ScreenBuffer::TakeChanges() {
    std::vector<Rect> changes;
    if (width_ == 0) return changes;
    Rect current;          // empty: no rectangle open
    long changedCells = 0;  // cells that really differ inside `current`
    for (int y = 0; y < height_; ++y) {
        int first = -1;
        int last = -1;
        const size_t row = static_cast<size_t>(y) * width_;
        if (!shownKnown_[y]) {
            first = 0;
            last = width_ - 1;
        } else {
            for (int x = 0; x < width_; ++x) {
                if (pending_[row + x] == shown_[row + x]) continue;
                if (first < 0) first = x;
                last = x;
            }
        }
        if (first < 0) {
            if (!current.Empty()) changes.push_back(current);
            current = Rect{};
            continue;
        }
        const long span = last - first + 1;
        if (!current.Empty()) {
            const Rect merged{std::min(current.left, first), current.top, std::max(current.right, last), y};
            // Rewriting a few unchanged cells is cheaper than another console call; a long thin change next
            // to a short one is not worth it.
            if (static_cast<long>(merged.Width()) * merged.Height() <= 2 * (changedCells + span)) {
                current = merged;
                changedCells += span;
                continue;
            }
            changes.push_back(current);
        }
        current = Rect{first, y, last, y};
        changedCells = span;
    }
    if (!current.Empty()) changes.push_back(current);

    for (const Rect& rect : changes)
        for (int y = rect.top; y <= rect.bottom; ++y) {
            const size_t row = static_cast<size_t>(y) * width_;
            std::copy(pending_.begin() + row + rect.left, pending_.begin() + row + rect.right + 1,
                      shown_.begin() + row + rect.left);
        }
    // A row is known once a rectangle covered all of it; unknown rows are always taken whole.
    for (const Rect& rect : changes)
        if (rect.left == 0 && rect.right == width_ - 1)
            for (int y = rect.top; y <= rect.bottom; ++y) shownKnown_[y] = true;
    return changes;
}

void ScreenBuffer::Invalidate() { shownKnown_.assign(height_, false); }

}  // namespace host
