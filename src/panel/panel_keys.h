// The keys the panel acts on: their virtual-key codes, the ones the input reader takes before any widget sees
// the event, and a list of them all, widget bindings included, against which the help is checked.
#pragma once

#include <cstdint>

#include "panel/panel.h"
#include "player/commands.h"

namespace quaver {

// Virtual-key codes.
namespace key {
constexpr uint16_t None = 0;
constexpr uint16_t Enter = 0x0D, Shift = 0x10, Ctrl = 0x11, Alt = 0x12, Escape = 0x1B, Space = 0x20;
constexpr uint16_t Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28;
constexpr uint16_t Three = 0x33;
constexpr uint16_t B = 0x42, C = 0x43, E = 0x45, J = 0x4A, L = 0x4C, R = 0x52, S = 0x53, V = 0x56, X = 0x58, Z = 0x5A;
constexpr uint16_t Pad0 = 0x60, Pad2 = 0x62, Pad4 = 0x64, Pad5 = 0x65, Pad6 = 0x66, Pad7 = 0x67, Pad8 = 0x68,
                   Pad9 = 0x69;
constexpr uint16_t F1 = 0x70, F4 = 0x73;
}  // namespace key

// A key the input reader takes itself, tried in table order before the widgets.
struct ReaderKey {
    uint16_t virtualKey;  // key::None: any key, while exactly `modifiers` are held
    uint32_t modifiers;   // held exactly, unless anyModifiers
    bool anyModifiers;
    bool whileHidden;     // also while the panel is hidden
    uint32_t code;
};

inline constexpr ReaderKey readerKeys[] = {
    {key::Escape, 0, true, true, panelCode::Close},
    // These two reach the player also while the panel is hidden.
    {key::E, modifier::Alt, false, true, command::AltE},
    {key::Three, modifier::Alt, false, true, command::Alt3},
    // Ctrl+Alt+Shift: whichever of the three is pressed last completes it.
    {key::None, modifier::All, false, false, panelCode::HideOrShow},
    {key::J, 0, false, false, panelCode::PlaylistMenu},
};

struct PanelKey {
    uint16_t virtualKey;  // key::None: the modifiers alone
    uint32_t modifiers;
};

// Every key the panel acts on with the modifiers it takes (none for Esc, which takes any): the reader's keys,
// then each widget's bindings. Writes at most `capacity` and returns how many there are.
int ListPanelKeys(PanelKey* keys, int capacity);

}  // namespace quaver
