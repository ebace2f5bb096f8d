// What the panel looks like, shared by the native tests and the Windows tests that read a real console.
// Pictures are written with code page 437 glyphs in UTF-8; Oem turns them into the console's bytes.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace pictures {

inline std::string Oem(const std::string& utf8) {
    static const std::map<char32_t, unsigned char> cp437 = {
        {U'╔', 0xC9}, {U'╗', 0xBB}, {U'╚', 0xC8}, {U'╝', 0xBC}, {U'═', 0xCD}, {U'║', 0xBA}, {U'┌', 0xDA},
        {U'┐', 0xBF}, {U'└', 0xC0}, {U'┘', 0xD9}, {U'─', 0xC4}, {U'│', 0xB3}, {U'▄', 0xDC}, {U'▀', 0xDF},
        {U'█', 0xDB}, {U'■', 0xFE}, {U'▲', 0x1E}, {U'▼', 0x1F}, {U'►', 0x10}, {U'◄', 0x11}, {U'☼', 0x0F},
    };
    std::string bytes;
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        char32_t code = lead;
        int extra = 0;
        if (lead >= 0xF0) code = lead & 0x07, extra = 3;
        else if (lead >= 0xE0) code = lead & 0x0F, extra = 2;
        else if (lead >= 0xC0) code = lead & 0x1F, extra = 1;
        for (int k = 1; k <= extra; ++k) code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += 1 + extra;
        if (code < 0x80) {
            bytes += static_cast<char>(code);
            continue;
        }
        auto found = cp437.find(code);
        bytes += found == cp437.end() ? '?' : static_cast<char>(found->second);
    }
    return bytes;
}

// Digit-row cells as a person reads them: the block characters as their glyphs, a space as '·'.
inline std::string DigitPicture(const std::string& cells) {
    std::string picture;
    for (char cell : cells) {
        switch (static_cast<unsigned char>(cell)) {
        case 0xDC: picture += "▄"; break;
        case 0xDB: picture += "█"; break;
        case 0xDF: picture += "▀"; break;
        case 0x20: picture += "·"; break;
        default: picture += '?';
        }
    }
    return picture;
}

// A row with the border's single line character (0xC4) shown as '-'.
inline std::string LinePicture(std::string cells) {
    for (char& c : cells)
        if (static_cast<unsigned char>(c) == 0xC4) c = '-';
    return cells;
}

using Picture = std::vector<std::string>;

// Rows 2 to 4 inside the box hold the live big digits and are compared at their edges only.
const Picture narrowGlyphPanel = {
    "╔═[■]════ Quaver Control ════════╗",
    "║┌─ Track ─────── Track Time ───┐║",
    "║│                              ▲║",
    "║│                              │║",
    "║│                              ▼║",
    "║│                              │║",
    "║└────────────────────────────SR┘║",
    "║   ◄◄ ▄  < ▄   ►  ▄  > ▄  ►► ▄  ║",
    "║   ▀▀▀▀  ▀▀▀  ▀▀▀▀▀  ▀▀▀  ▀▀▀▀  ║",
    "║     *   ▄     ■    ▄    ▲   ▄  ║",
    "║   ▀▀▀▀▀▀▀  ▀▀▀▀▀▀▀▀▀  ▀▀▀▀▀▀▀  ║",
    "╚════════════════════════════════╝",
};

const Picture narrowAsciiPanel = {
    "╔═[■]════ Quaver Control ════════╗",
    "║┌─ Track ─────── Track Time ───┐║",
    "║│                              ^║",
    "║│                              │║",
    "║│                              v║",
    "║│                              │║",
    "║└────────────────────────────SR┘║",
    "║       ->     ▄   ||  ▄   ■  ▄  ║",
    "║   ▀▀▀▀▀▀▀▀▀▀▀▀  ▀▀▀▀▀▀  ▀▀▀▀▀  ║",
    "║   |< ▄  << ▄  >> ▄  >| ▄  ^ ▄  ║",
    "║   ▀▀▀▀  ▀▀▀▀  ▀▀▀▀  ▀▀▀▀  ▀▀▀  ║",
    "╚════════════════════════════════╝",
};

const Picture wideGlyphPanel = {
    "╔═[■]══════ Quaver Control ══════════╗",
    "║┌─── Track ───────── Track Time ───┐║",
    "║│                                  ▲║",
    "║│                                  │║",
    "║│                                  ▼║",
    "║│                                  │║",
    "║└───────────────────────────────SR─┘║",
    "║    ◄◄ ▄  < ▄    ►   ▄  > ▄  ►► ▄   ║",
    "║    ▀▀▀▀  ▀▀▀  ▀▀▀▀▀▀▀  ▀▀▀  ▀▀▀▀   ║",
    "║      *   ▄      ■     ▄    ▲   ▄   ║",
    "║    ▀▀▀▀▀▀▀  ▀▀▀▀▀▀▀▀▀▀▀  ▀▀▀▀▀▀▀   ║",
    "╚════════════════════════════════════╝",
};

const Picture wideAsciiPanel = {
    "╔═[■]══════ Quaver Control ══════════╗",
    "║┌─── Track ───────── Track Time ───┐║",
    "║│                                  ^║",
    "║│                                  │║",
    "║│                                  v║",
    "║│                                  │║",
    "║└───────────────────────────────SR─┘║",
    "║        ->     ▄   ||  ▄    ■   ▄   ║",
    "║    ▀▀▀▀▀▀▀▀▀▀▀▀  ▀▀▀▀▀▀  ▀▀▀▀▀▀▀   ║",
    "║    |< ▄  << ▄  >> ▄  >| ▄   ^  ▄   ║",
    "║    ▀▀▀▀  ▀▀▀▀  ▀▀▀▀  ▀▀▀▀  ▀▀▀▀▀   ║",
    "╚════════════════════════════════════╝",
};

}  // namespace pictures
