// The widget table: what each widget does and where it sits in each of the four layouts, one row per widget,
// and building the widgets from it when the panel opens.
#include <cstring>

#include "host/settings.h"
#include "panel/panel.h"
#include "panel/panel_keys.h"
#include "panel/title_line.h"
#include "panel/widgets.h"
#include "player/commands.h"

namespace quaver {

namespace {

constexpr uint32_t none = 0;
constexpr bool repeats = true;
constexpr bool once = false;

struct WidgetPlace {
    int16_t x;
    int16_t y;
    const char* text;  // OEM code page; null where BuildWidgets supplies it
};

// Index of a layout: 1 for ASCII labels (asciiButtons) + 2 for the wide panel (wideTrackNumber).
constexpr int layoutCount = 4;

// One widget: what it does, its keys and looks, and where it sits in each layout. The time-mode label and the
// title line get their texts, and the label its column, when built.
struct WidgetRow {
    uint32_t command;  // player command, or panel code
    uint16_t key1;
    uint16_t key2;
    uint32_t modifiers1;
    uint32_t modifiers2;
    uint8_t colour;  // palette entry
    bool repeat;     // held down by the mouse, the command is re-sent
    WidgetPlace places[layoutCount];
};

constexpr WidgetRow widgetRows[widgetCount] = {
    // command, key1, key2, modifiers1, modifiers2, colour, repeat,
    //  {place with glyph labels narrow, ASCII labels narrow, glyph labels wide, ASCII labels wide}
    // slot::Previous
    {command::Previous, key::Z, key::Pad4, none, none, paletteFrame, once,
     {{9, 7, " < "}, {3, 9, " |< "}, {10, 7, " < "}, {4, 9, " |< "}}},
    // slot::Play
    {command::Play, key::X, key::Pad5, none, none, paletteFrame, once,
     {{14, 7, "  \x10  "}, {3, 7, "     ->     "}, {15, 7, "   \x10   "}, {4, 7, "     ->     "}}},
    // slot::Pause
    {command::Pause, key::C, key::None, none, none, paletteFrame, once,
     {{3, 9, "   *   "}, {17, 7, "  ||  "}, {4, 9, "   *   "}, {18, 7, "  ||  "}}},
    // slot::Stop
    {command::Stop, key::V, key::None, none, none, paletteFrame, once,
     {{12, 9, "    \xFE    "}, {25, 7, "  \xFE  "}, {13, 9, "     \xFE     "}, {26, 7, "   \xFE   "}}},
    // slot::Next
    {command::Next, key::B, key::Pad6, none, none, paletteFrame, once,
     {{21, 7, " > "}, {21, 9, " >| "}, {24, 7, " > "}, {22, 9, " >| "}}},
    // slot::Open
    {command::Open, key::L, key::Pad0, none, none, paletteFrame, once,
     {{23, 9, "   \x1E   "}, {27, 9, " ^ "}, {26, 9, "   \x1E   "}, {28, 9, "  ^  "}}},
    // slot::Rewind
    {command::Rewind, key::Left, key::Pad7, none, none, paletteFrame, repeats,
     {{3, 7, " \x11\x11 "}, {9, 9, " << "}, {4, 7, " \x11\x11 "}, {10, 9, " << "}}},
    // slot::FastForward
    {command::FastForward, key::Right, key::Pad9, none, none, paletteFrame, repeats,
     {{26, 7, " \x10\x10 "}, {15, 9, " >> "}, {29, 7, " \x10\x10 "}, {16, 9, " >> "}}},
    // slot::VolumeUp
    {command::VolumeUp, key::Up, key::Pad8, none, none, paletteIndicator, repeats,
     {{32, 2, "\x1E"}, {32, 2, "^"}, {36, 2, "\x1E"}, {36, 2, "^"}}},
    // slot::VolumeDown
    {command::VolumeDown, key::Down, key::Pad2, none, none, paletteIndicator, repeats,
     {{32, 4, "\x1F"}, {32, 4, "v"}, {36, 4, "\x1F"}, {36, 4, "v"}}},
    // slot::PanelTitle
    {panelCode::AboutBox, key::F1, key::None, none, none, palettePanelTitle, once,
     {{9, 0, " Quaver Control "}, {9, 0, " Quaver Control "},
      {11, 0, " Quaver Control "}, {11, 0, " Quaver Control "}}},
    // slot::TimeLabel
    {panelCode::ToggleTimeFormat, key::Space, key::None, none, none, paletteFrame, once,
     {{0, 1, nullptr}, {0, 1, nullptr}, {0, 1, nullptr}, {0, 1, nullptr}}},
    // slot::TitleLine
    {panelCode::NextScrollMode, key::Enter, key::None, none, none, paletteDigits, once,
     {{2, 5, nullptr}, {2, 5, nullptr}, {2, 5, nullptr}, {2, 5, nullptr}}},
    // slot::Shuffle
    {command::ToggleShuffle, key::S, key::None, none, none, paletteIndicator, once,
     {{30, 6, "S"}, {30, 6, "S"}, {33, 6, "S"}, {33, 6, "S"}}},
    // slot::Repeat
    {command::ToggleRepeat, key::R, key::None, none, none, paletteIndicator, once,
     {{31, 6, "R"}, {31, 6, "R"}, {34, 6, "R"}, {34, 6, "R"}}},
    // slot::CloseGlyph
    {panelCode::ClosePlayer, key::F4, key::None, modifier::Alt, none, paletteIndicator, once,
     {{3, 0, "\xFE\x0F"}, {3, 0, "\xFE\x0F"}, {3, 0, "\xFE\x0F"}, {3, 0, "\xFE\x0F"}}},
};

}  // namespace

void BuildWidgets() {
    const int layout = (settings.asciiButtons ? 1 : 0) + (settings.wideTrackNumber ? 2 : 0);
    const char* const timeLabel = settings.timeFormat == 1 ? trackLeftLabel : trackTimeLabel;
    const auto timeLabelX = static_cast<int16_t>(openPanel.timeLabelCentre - (std::strlen(timeLabel) >> 1));
    StartTitleLine();

    for (int slot = 0; slot < widgetCount; ++slot) {
        Widget* widget = openPanel.widgets[slot];
        if (!widget) continue;
        const WidgetRow& definition = widgetRows[slot];
        const WidgetPlace& place = definition.places[layout];
        widget->x = place.x;
        widget->y = place.y;
        if (slot == slot::TimeLabel)
            SetTextAt(*widget, timeLabel, timeLabelX);
        else if (slot == slot::TitleLine)
            AttachTitleLine(*widget);
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
        widget->releaseDrawPending = 0;
    }
}

int ListPanelKeys(PanelKey* keys, int capacity) {
    int count = 0;
    auto add = [&](uint16_t virtualKey, uint32_t modifiers) {
        if (count < capacity) keys[count] = PanelKey{virtualKey, modifiers};
        ++count;
    };
    for (const ReaderKey& row : readerKeys) add(row.virtualKey, row.anyModifiers ? 0 : row.modifiers);
    for (const WidgetRow& row : widgetRows) {
        if (row.key1 != key::None) add(row.key1, row.modifiers1);
        if (row.key2 != key::None) add(row.key2, row.modifiers2);
    }
    return count;
}

}  // namespace quaver
