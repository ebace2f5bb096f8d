// What each widget does (one definition table) and where it sits (four layout tables), and building the
// widgets from them when the panel opens.
#include <cstring>

#include "host/settings.h"
#include "panel/panel.h"
#include "panel/title_line.h"
#include "panel/widgets.h"
#include "player/commands.h"

namespace quaver {

namespace {

// Virtual-key codes of the bindings.
namespace key {
constexpr uint16_t None = 0;
constexpr uint16_t Enter = 0x0D, Space = 0x20, Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28;
constexpr uint16_t B = 0x42, C = 0x43, L = 0x4C, R = 0x52, S = 0x53, V = 0x56, X = 0x58, Z = 0x5A;
constexpr uint16_t Pad0 = 0x60, Pad2 = 0x62, Pad4 = 0x64, Pad5 = 0x65, Pad6 = 0x66, Pad7 = 0x67, Pad8 = 0x68,
                   Pad9 = 0x69;
constexpr uint16_t F1 = 0x70, F4 = 0x73;
}  // namespace key

constexpr uint32_t none = 0;
constexpr bool repeats = true;
constexpr bool once = false;

struct WidgetDefinition {
    uint32_t command;  // player command, or panel code
    uint16_t key1;
    uint16_t key2;
    uint32_t modifiers1;
    uint32_t modifiers2;
    uint8_t colour;  // palette entry
    bool repeat;     // held down by the mouse, the command is re-sent
};

constexpr WidgetDefinition widgetDefinitions[widgetCount] = {
    // command                    key1        key2       mods1           mods2  colour             repeat
    {command::Previous,           key::Z,     key::Pad4, none,           none,  paletteFrame,      once},
    {command::Play,               key::X,     key::Pad5, none,           none,  paletteFrame,      once},
    {command::Pause,              key::C,     key::None, none,           none,  paletteFrame,      once},
    {command::Stop,               key::V,     key::None, none,           none,  paletteFrame,      once},
    {command::Next,               key::B,     key::Pad6, none,           none,  paletteFrame,      once},
    {command::Open,               key::L,     key::Pad0, none,           none,  paletteFrame,      once},
    {command::Rewind,             key::Left,  key::Pad7, none,           none,  paletteFrame,      repeats},
    {command::FastForward,        key::Right, key::Pad9, none,           none,  paletteFrame,      repeats},
    {command::VolumeUp,           key::Up,    key::Pad8, none,           none,  paletteIndicator,  repeats},
    {command::VolumeDown,         key::Down,  key::Pad2, none,           none,  paletteIndicator,  repeats},
    {panelCode::AboutBox,         key::F1,    key::None, none,           none,  palettePanelTitle, once},
    {panelCode::ToggleTimeFormat, key::Space, key::None, none,           none,  paletteFrame,      once},
    {panelCode::NextScrollMode,   key::Enter, key::None, none,           none,  paletteDigits,     once},
    {command::ToggleShuffle,      key::S,     key::None, none,           none,  paletteIndicator,  once},
    {command::ToggleRepeat,       key::R,     key::None, none,           none,  paletteIndicator,  once},
    {panelCode::ClosePlayer,      key::F4,    key::None, modifier::Alt,  none,  paletteIndicator,  once},
};

struct WidgetPlace {
    int16_t x;
    int16_t y;
    const char* text;  // OEM code page; null where BuildWidgets supplies it
};

using WidgetLayout = WidgetPlace[widgetCount];

// Index: 1 for ASCII labels (settings.asciiButtons) + 2 for the wide panel (settings.wideTrackNumber).
// Slot 11 (time-mode label) and slot 12 (title line) get their texts, and slot 11 its column, when built.
constexpr WidgetLayout widgetLayouts[4] = {
    {   // glyph labels, narrow panel
        {9, 7, " < "},
        {14, 7, "  \x10  "},
        {3, 9, "   *   "},
        {12, 9, "    \xFE    "},
        {21, 7, " > "},
        {23, 9, "   \x1E   "},
        {3, 7, " \x11\x11 "},
        {26, 7, " \x10\x10 "},
        {32, 2, "\x1E"},
        {32, 4, "\x1F"},
        {9, 0, " Quaver Control "},
        {0, 1, nullptr},
        {2, 5, nullptr},
        {30, 6, "S"},
        {31, 6, "R"},
        {3, 0, "\xFE\x0F"},
    },
    {   // ASCII labels, narrow panel
        {3, 9, " |< "},
        {3, 7, "     ->     "},
        {17, 7, "  ||  "},
        {25, 7, "  \xFE  "},
        {21, 9, " >| "},
        {27, 9, " ^ "},
        {9, 9, " << "},
        {15, 9, " >> "},
        {32, 2, "^"},
        {32, 4, "v"},
        {9, 0, " Quaver Control "},
        {0, 1, nullptr},
        {2, 5, nullptr},
        {30, 6, "S"},
        {31, 6, "R"},
        {3, 0, "\xFE\x0F"},
    },
    {   // glyph labels, wide panel
        {10, 7, " < "},
        {15, 7, "   \x10   "},
        {4, 9, "   *   "},
        {13, 9, "     \xFE     "},
        {24, 7, " > "},
        {26, 9, "   \x1E   "},
        {4, 7, " \x11\x11 "},
        {29, 7, " \x10\x10 "},
        {36, 2, "\x1E"},
        {36, 4, "\x1F"},
        {11, 0, " Quaver Control "},
        {0, 1, nullptr},
        {2, 5, nullptr},
        {33, 6, "S"},
        {34, 6, "R"},
        {3, 0, "\xFE\x0F"},
    },
    {   // ASCII labels, wide panel
        {4, 9, " |< "},
        {4, 7, "     ->     "},
        {18, 7, "  ||  "},
        {26, 7, "   \xFE   "},
        {22, 9, " >| "},
        {28, 9, "  ^  "},
        {10, 9, " << "},
        {16, 9, " >> "},
        {36, 2, "^"},
        {36, 4, "v"},
        {11, 0, " Quaver Control "},
        {0, 1, nullptr},
        {2, 5, nullptr},
        {33, 6, "S"},
        {34, 6, "R"},
        {3, 0, "\xFE\x0F"},
    },
};

// The title line starts blank, titleFieldLength characters long.
void BlankTitleLine() {
    uint32_t length = openPanel.titleFieldLength;
    if (length > sizeof liveDisplay.titleLine - 1) length = sizeof liveDisplay.titleLine - 1;
    std::memset(liveDisplay.titleLine, ' ', length);
    liveDisplay.titleLine[length] = '\0';
}

}  // namespace

void BuildWidgets() {
    const WidgetLayout& layout = widgetLayouts[(settings.asciiButtons ? 1 : 0) + (settings.wideTrackNumber ? 2 : 0)];
    const char* const timeLabel = settings.timeFormat == 1 ? trackLeftLabel : trackTimeLabel;
    const auto timeLabelX = static_cast<int16_t>(openPanel.timeLabelCentre - (std::strlen(timeLabel) >> 1));
    BlankTitleLine();

    for (int slot = 0; slot < widgetCount; ++slot) {
        Widget* widget = openPanel.widgets[slot];
        if (!widget) continue;
        const WidgetPlace& place = layout[slot];
        const WidgetDefinition& definition = widgetDefinitions[slot];
        widget->x = place.x;
        widget->y = place.y;
        if (slot == slot::TimeLabel)
            SetTextAt(*widget, timeLabel, timeLabelX);
        else if (slot == slot::TitleLine)
            SetText(*widget, liveDisplay.titleLine);
        else
            SetText(*widget, place.text);
        widget->command = definition.command;
        widget->key1 = definition.key1;
        widget->key2 = definition.key2;
        widget->modifiers1 = definition.modifiers1;
        widget->modifiers2 = definition.modifiers2;
        widget->colour = definition.colour;
        widget->repeat = definition.repeat;
        widget->pressed = 0;
        widget->engaged = 0;
        widget->mouseHeld = 0;
    }
}

}  // namespace quaver
