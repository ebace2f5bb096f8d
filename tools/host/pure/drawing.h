// Frames and lines in the console's OEM code page (code page 437 box-drawing bytes), drawn into a
// ScreenBuffer. Shared by the host's screens, message boxes, dialogs and help viewer.
#pragma once

#include <string_view>

#include "pure/screen_buffer.h"

namespace host {

namespace glyph {
constexpr char DoubleTopLeft = '\xC9';
constexpr char DoubleTopRight = '\xBB';
constexpr char DoubleBottomLeft = '\xC8';
constexpr char DoubleBottomRight = '\xBC';
constexpr char DoubleHorizontal = '\xCD';
constexpr char DoubleVertical = '\xBA';
constexpr char SingleHorizontal = '\xC4';
constexpr char SingleVertical = '\xB3';
constexpr char DoubleVerticalSingleRight = '\xC7';  // ╟
constexpr char DoubleVerticalSingleLeft = '\xB6';   // ╢
constexpr char DoubleHorizontalSingleDown = '\xD1';  // ╤
constexpr char DoubleHorizontalSingleUp = '\xCF';    // ╧
}  // namespace glyph

// A double frame on `rect` with its inside filled with spaces; a non-empty title is set into the top
// border, centred, with one space either side, and cut to fit.
void DrawFrame(ScreenBuffer& screen, const Rect& rect, uint8_t attribute, std::string_view title = {});

// A single line across a double frame at row y, from rect.left to rect.right (the frame's columns).
void DrawSeparator(ScreenBuffer& screen, const Rect& rect, int y, uint8_t attribute);

// Text cut to `width` cells (a negative width means no limit).
std::string_view Cut(std::string_view text, int width);

// Writes text centred in the columns left..right of row y, cut to fit.
void DrawCentred(ScreenBuffer& screen, int left, int right, int y, uint8_t attribute, std::string_view text);

}  // namespace host
