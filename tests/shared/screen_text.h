// The host's screen buffer read back as text: each glyph once, in UTF-8 (a two-cell glyph's right half adds
// nothing).
#pragma once

#include <string>

#include "pure/screen_buffer.h"
#include "pure/text.h"

namespace host {

inline std::string CellText(const ScreenBuffer& screen, int x, int y, int length) {
    std::u16string units;
    for (int i = 0; i < length && x + i < screen.Width(); ++i)
        if (screen.At(x + i, y).width != 0) units += screen.At(x + i, y).Glyph();
    return Utf8FromUtf16(units);
}

inline std::string RowText(const ScreenBuffer& screen, int y) { return CellText(screen, 0, y, screen.Width()); }

}  // namespace host
