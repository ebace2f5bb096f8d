#include "pure/drawing.h"

#include <algorithm>
#include <string>

#include "pure/text.h"

namespace host {

std::string_view Cut(std::string_view text, int width) { return CutToCells(text, width); }

void DrawCentred(ScreenBuffer& screen, int left, int right, int y, uint8_t attribute, std::string_view text) {
    const int room = right - left + 1;
    if (room <= 0) return;
    text = Cut(text, room);
    const int x = left + (room - Cells(text)) / 2;
    screen.PutText(x, y, attribute, text.data(), static_cast<int>(text.size()));
}

void DrawFrame(ScreenBuffer& screen, const Rect& rect, uint8_t attribute, std::string_view title, bool single) {
    if (rect.Width() < 2 || rect.Height() < 2) {
        screen.Fill(rect, Cell{' ', attribute});
        return;
    }
    screen.Fill(rect, Cell{' ', attribute});
    using namespace glyph;
    const char16_t horizontal = single ? SingleHorizontal : DoubleHorizontal;
    const char16_t vertical = single ? SingleVertical : DoubleVertical;
    for (int x = rect.left + 1; x < rect.right; ++x) {
        screen.SetCell(x, rect.top, Cell{horizontal, attribute});
        screen.SetCell(x, rect.bottom, Cell{horizontal, attribute});
    }
    for (int y = rect.top + 1; y < rect.bottom; ++y) {
        screen.SetCell(rect.left, y, Cell{vertical, attribute});
        screen.SetCell(rect.right, y, Cell{vertical, attribute});
    }
    screen.SetCell(rect.left, rect.top, Cell{single ? SingleTopLeft : DoubleTopLeft, attribute});
    screen.SetCell(rect.right, rect.top, Cell{single ? SingleTopRight : DoubleTopRight, attribute});
    screen.SetCell(rect.left, rect.bottom, Cell{single ? SingleBottomLeft : DoubleBottomLeft, attribute});
    screen.SetCell(rect.right, rect.bottom, Cell{single ? SingleBottomRight : DoubleBottomRight, attribute});
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
