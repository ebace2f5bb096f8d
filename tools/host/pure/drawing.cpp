#include "pure/drawing.h"

#include <algorithm>
#include <string>

namespace host {

std::string_view Cut(std::string_view text, int width) {
    if (width < 0) return text;
    return text.substr(0, std::min(text.size(), static_cast<size_t>(width)));
}

void DrawCentred(ScreenBuffer& screen, int left, int right, int y, uint8_t attribute, std::string_view text) {
    const int room = right - left + 1;
    if (room <= 0) return;
    text = Cut(text, room);
    const int x = left + (room - static_cast<int>(text.size())) / 2;
    screen.PutText(x, y, attribute, text.data(), static_cast<int>(text.size()));
}

void DrawFrame(ScreenBuffer& screen, const Rect& rect, uint8_t attribute, std::string_view title) {
    if (rect.Width() < 2 || rect.Height() < 2) {
        screen.Fill(rect, Cell{' ', attribute});
        return;
    }
    screen.Fill(rect, Cell{' ', attribute});
    for (int x = rect.left + 1; x < rect.right; ++x) {
        screen.SetCell(x, rect.top, Cell{glyph::DoubleHorizontal, attribute});
        screen.SetCell(x, rect.bottom, Cell{glyph::DoubleHorizontal, attribute});
    }
    for (int y = rect.top + 1; y < rect.bottom; ++y) {
        screen.SetCell(rect.left, y, Cell{glyph::DoubleVertical, attribute});
        screen.SetCell(rect.right, y, Cell{glyph::DoubleVertical, attribute});
    }
    screen.SetCell(rect.left, rect.top, Cell{glyph::DoubleTopLeft, attribute});
    screen.SetCell(rect.right, rect.top, Cell{glyph::DoubleTopRight, attribute});
    screen.SetCell(rect.left, rect.bottom, Cell{glyph::DoubleBottomLeft, attribute});
    screen.SetCell(rect.right, rect.bottom, Cell{glyph::DoubleBottomRight, attribute});
    if (!title.empty() && rect.Width() >= 6) {
        const std::string padded = " " + std::string(Cut(title, rect.Width() - 6)) + " ";
        DrawCentred(screen, rect.left + 1, rect.right - 1, rect.top, attribute, padded);
    }
}

void DrawSeparator(ScreenBuffer& screen, const Rect& rect, int y, uint8_t attribute) {
    if (rect.Width() < 2) return;
    screen.SetCell(rect.left, y, Cell{glyph::DoubleVerticalSingleRight, attribute});
    for (int x = rect.left + 1; x < rect.right; ++x) screen.SetCell(x, y, Cell{glyph::SingleHorizontal, attribute});
    screen.SetCell(rect.right, y, Cell{glyph::DoubleVerticalSingleLeft, attribute});
}

}  // namespace host
