// Frames and lines of box-drawing characters, and text placed by the cells it takes, drawn into a
// ScreenBuffer. Shared by the host's screens, message boxes, dialogs and help viewer.
#pragma once

#include <string_view>

#include "pure/screen_buffer.h"

namespace host {

namespace glyph {
constexpr char16_t DoubleTopLeft = u'╔';
constexpr char16_t DoubleTopRight = u'╗';
constexpr char16_t DoubleBottomLeft = u'╚';
constexpr char16_t DoubleBottomRight = u'╝';
constexpr char16_t DoubleHorizontal = u'═';
constexpr char16_t DoubleVertical = u'║';
constexpr char16_t SingleHorizontal = u'─';
constexpr char16_t SingleVertical = u'│';
constexpr char16_t DoubleVerticalSingleRight = u'╟';
constexpr char16_t DoubleVerticalSingleLeft = u'╢';
constexpr char16_t DoubleVerticalDoubleRight = u'╠';
constexpr char16_t DoubleVerticalDoubleLeft = u'╣';
constexpr char16_t SingleTopLeft = u'┌';
constexpr char16_t SingleTopRight = u'┐';
constexpr char16_t SingleBottomLeft = u'└';
constexpr char16_t SingleBottomRight = u'┘';
constexpr char16_t SingleVerticalSingleRight = u'├';
constexpr char16_t SingleVerticalSingleLeft = u'┤';
}  // namespace glyph

// A double frame (single lines when asked) on `rect` with its inside filled with spaces; a non-empty title is
// set into the top border, centred, with one space either side, and cut to fit.
void DrawFrame(ScreenBuffer& screen, const Rect& rect, uint8_t attribute, std::string_view title = {},
               bool single = false);

// A single line across a double frame at row y, from rect.left to rect.right (the frame's columns).
void DrawSeparator(ScreenBuffer& screen, const Rect& rect, int y, uint8_t attribute);

// Text cut to `width` cells, whole glyphs only (a negative width means no limit).
std::string_view Cut(std::string_view text, int width);

// Writes text centred in the columns left..right of row y, cut to fit.
void DrawCentred(ScreenBuffer& screen, int left, int right, int y, uint8_t attribute, std::string_view text);

}  // namespace host
