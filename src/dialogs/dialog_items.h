// Compact dialog tables and their expansion into the host's dialog items.
#pragma once

#include <cstdint>

#include "host/host_api.h"

namespace quaver {

// An item's text: a language message number, or a literal.
struct DialogText {
    constexpr DialogText(int messageNumber) : message(messageNumber) {}
    constexpr explicit DialogText(const char* text) : literal(text) {}
    int message = 0;
    const char* literal = nullptr;
};

struct DialogInitItem {
    uint8_t type;
    uint8_t x1, y1, x2, y2;
    uint8_t focus;
    uint32_t selected;
    uint32_t flags;
    uint8_t isDefault;
    DialogText text;
};

namespace dialogItem {
constexpr uint8_t Text = 0, Frame = 3, Button = 7, CheckBox = 8, RadioButton = 9;
constexpr uint32_t Separator = 0x200, Group = 0x400, Centred = 0x4000, NoBrackets = 0x8000,
                   SeparatorAboveButtons = 0x10000, Disabled = 0x80000000u;
}  // namespace dialogItem

// Host dialog messages.
namespace dialogMessage {
constexpr int Close = 1, EnableItem = 2, Redraw = 14;  // handler to host
constexpr int ItemChanged = 4097, Closing = 4111;     // host to handler
}  // namespace dialogMessage

// The text value of a table row that shows a literal.
constexpr DialogText Literal(const char* text) { return DialogText(text); }

// Fills hostItems[0..count) from the table. With widen, item 0's x2 grows until every other item's text
// fits inside the frame (a '&' hot-key marker takes no cell). Texts are cut to fit the item's data field.
void ExpandDialogItems(const DialogInitItem* initItems, HostDialogItem* hostItems, int count, bool widen);

// Cells the text takes on screen: its length, one less when it carries a hot-key marker.
int VisibleLength(const char* text);

}  // namespace quaver
