#include "pure/screen_buffer.h"

#include <algorithm>
#include <cstring>

#include "pure/text.h"

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

void ScreenBuffer::PutText(int x, int y, uint8_t attribute, const char* text, int length, uint8_t keep) {
    if (!text) return;
    const size_t bytes = length < 0 ? std::char_traits<char>::length(text) : strnlen(text, static_cast<size_t>(length));
    PutText(x, y, attribute, Utf16FromUtf8(std::string_view(text, bytes)), keep);
}

void ScreenBuffer::PutText(int x, int y, uint8_t attribute, std::u16string_view text, uint8_t keep) {
    if (y < 0 || y >= height_) return;
    const size_t end = text.find(u'\0');
    if (end != std::u16string_view::npos) text = text.substr(0, end);
    long long column = x;  // x may lie near int's end
    const long long first = std::max<long long>(column, 0);
    for (GlyphSpan glyph = FirstGlyph(text); glyph.bytes > 0 && column < width_; glyph = FirstGlyph(text)) {
        PutGlyph(column, y, text.substr(0, glyph.bytes), glyph.cells, attribute, keep);
        column += glyph.cells;
        text.remove_prefix(glyph.bytes);
    }
    const long long last = std::min<long long>(column, width_) - 1;
    if (first <= last) MendHalves(y, static_cast<int>(first), static_cast<int>(last));
}

void ScreenBuffer::PutGlyph(long long x, int y, std::u16string_view glyph, int cells, uint8_t attribute,
                            uint8_t keep) {
    const auto paint = [&](int column, Cell cell) {
        Cell& target = Pending(column, y);
        cell.attribute = static_cast<uint8_t>((target.attribute & keep) | (attribute & ~keep));
        target = cell;
    };
    Cell whole;
    for (size_t i = 0; i < whole.glyph.size(); ++i) whole.glyph[i] = i < glyph.size() ? glyph[i] : u'\0';
    // A pair is never cut: marks past the cell's room are dropped, and a lone high half would be no glyph.
    if (glyph.size() > whole.glyph.size() && whole.glyph[3] >= 0xD800 && whole.glyph[3] <= 0xDBFF) whole.glyph[3] = 0;
    if (cells < 2) {
        if (x >= 0 && x < width_) paint(static_cast<int>(x), whole);
        return;
    }
    // A glyph of two cells whose other half falls off the screen leaves a space where it shows.
    const bool leftShown = x >= 0 && x < width_;
    const bool rightShown = x + 1 >= 0 && x + 1 < width_;
    if (leftShown && rightShown) {
        whole.width = 2;
        paint(static_cast<int>(x), whole);
        Cell half(u' ', 0);
        half.width = 0;
        paint(static_cast<int>(x + 1), half);
    } else if (leftShown || rightShown) {
        paint(static_cast<int>(leftShown ? x : x + 1), Cell(u' ', 0));
    }
}

void ScreenBuffer::MendHalves(int y, int left, int right) {
    if (left > right || left < 0 || right >= width_) return;
    if (left > 0 && Pending(left - 1, y).width == 2) Pending(left - 1, y) = Cell(u' ', Pending(left - 1, y).attribute);
    if (right + 1 < width_ && Pending(right + 1, y).width == 0)
        Pending(right + 1, y) = Cell(u' ', Pending(right + 1, y).attribute);
}

void ScreenBuffer::SetCell(int x, int y, Cell cell) {
    if (x < 0 || x >= width_ || y < 0 || y >= height_) return;
    cell.width = 1;
    Pending(x, y) = cell;
    MendHalves(y, x, x);
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
    if (clipped.Empty()) return;
    cell.width = 1;
    for (int y = clipped.top; y <= clipped.bottom; ++y) {
        for (int x = clipped.left; x <= clipped.right; ++x) Pending(x, y) = cell;
        MendHalves(y, clipped.left, clipped.right);
    }
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
    for (int y = rect.top; y <= rect.bottom; ++y) {
        for (int x = rect.left; x <= rect.right; ++x, ++index)
            if (x >= 0 && x < width_ && y >= 0 && y < height_) Pending(x, y) = area.cells[index];
        // Halves cut off at the copy's edges, or by a smaller screen, show as spaces.
        if (y < 0 || y >= height_) continue;
        const int left = std::max(rect.left, 0);
        const int right = std::min(rect.right, width_ - 1);
        if (left > right) continue;
        if (Pending(left, y).width == 0) Pending(left, y) = Cell(u' ', Pending(left, y).attribute);
        if (Pending(right, y).width == 2) Pending(right, y) = Cell(u' ', Pending(right, y).attribute);
        MendHalves(y, left, right);
    }
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
        // Both halves of a two-cell glyph go to the console together.
        if (first > 0 && pending_[row + first].width == 0) --first;
        if (last >= 0 && last + 1 < width_ && pending_[row + last].width == 2) ++last;
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
