// Reading the console: one input event becomes one code, a panel code or a player command.
#include "panel/panel.h"
#include "panel/widgets.h"
#include "player/commands.h"

namespace quaver {

uint16_t commandKey;
uint16_t startRefusedKey;
uint32_t pendingInputCode;

namespace {

// A console that keeps filling faster than it is read must not keep the host's thread here.
constexpr int discardLimit = 4096;
// The key-down yielding the code in hand was let go in the input a start discarded.
bool commandKeyReleased;

constexpr uint16_t shiftKey = 16, ctrlKey = 17, altKey = 18, escapeKey = 27, eKey = 0x45, threeKey = 0x33;
constexpr uint32_t ctrlBit = 1, altBit = 2, shiftBit = 4;
constexpr uint32_t allModifiers = ctrlBit | altBit | shiftBit;

uint32_t ModifierBitOf(uint16_t virtualKey) {
    switch (virtualKey) {
    case shiftKey: return shiftBit;
    case ctrlKey: return ctrlBit;
    case altKey: return altBit;
    default: return 0;
    }
}

bool PanelShown() { return panelPlacement && panelPlacement->shown; }

// The first widget in slot order that accepts the event yields its command.
uint32_t OfferToWidgets(const os::InputRecord& event) {
    uint32_t code = panelCode::Nothing;
    Widget* taker = nullptr;
    for (Widget* widget : widgetTable) {
        if (widget && widget->mouse(event, code)) {
            taker = widget;
            break;
        }
    }
    activeWidget = taker;
    return code;
}

uint32_t OnKeyDown(const os::InputRecord& event) {
    const uint16_t key = event.key.virtualKey;
    modifierState |= ModifierBitOf(key);
    commandKey = key;
    if (key == escapeKey) return panelCode::Close;
    // These two reach the player also while the panel is hidden.
    if (modifierState == altBit && key == eKey) return command::AltE;
    if (modifierState == altBit && key == threeKey) return command::Alt3;
    if (!PanelShown()) return panelCode::Nothing;
    if (modifierState == allModifiers) return panelCode::HideOrShow;
    return OfferToWidgets(event);
}

void NoteKeyUp(uint16_t key) {
    modifierState &= ~ModifierBitOf(key);
    if (key == startRefusedKey) startRefusedKey = 0;
    if (key == commandKey) commandKeyReleased = true;
}

uint32_t OnKeyUp(const os::InputRecord& event) {
    NoteKeyUp(event.key.virtualKey);
    if (!PanelShown()) return modifierState != allModifiers ? panelCode::HideOrShow : panelCode::Nothing;
    return OfferToWidgets(event);
}

uint32_t OnMouse(const os::InputRecord& event) {
    if (!PanelShown()) return panelCode::Nothing;
    const bool left = (event.mouse.buttonState & os::LeftButtonPressed) != 0;
    if (left && !leftButtonHeld && !IsInsidePanel(*panelPlacement, event.mouse.x, event.mouse.y))
        return panelCode::Close;  // a click outside the panel, its shadow included
    if (!left && leftButtonHeld) {
        leftButtonHeld = false;
        return panelCode::ReleaseAll;
    }
    leftButtonHeld = left;
    return OfferToWidgets(event);
}

}  // namespace

uint32_t ReadPanelInput() {
    commandKey = 0;
    commandKeyReleased = false;
    if (pendingInputCode != panelCode::Nothing) {
        const uint32_t code = pendingInputCode;
        pendingInputCode = panelCode::Nothing;
        return code;
    }
    // Untimed: the loop sleeps until the console has something; periodic work belongs to the worker threads.
    if (os::WaitForSingleObject(consoleInput, os::Infinite) != os::WaitObject0) return panelCode::Close;
    os::InputRecord event{};
    if (!os::ReadConsoleInput(consoleInput, &event)) return panelCode::Nothing;
    switch (event.eventType) {
    case os::FocusEventType:
        startRefusedKey = 0;  // key-ups made elsewhere are never seen: a key may have been let go meanwhile
        return panelCode::ReleaseAll;
    case os::KeyEventType: return event.key.keyDown ? OnKeyDown(event) : OnKeyUp(event);
    case os::MouseEventType: return OnMouse(event);
    default: return PanelShown() ? OfferToWidgets(event) : panelCode::Nothing;
    }
}

void DiscardInputQueuedDuringStart() {
    if (!consoleInput) return;
    bool escape = false;
    for (int read = 0; read < discardLimit && os::WaitForSingleObject(consoleInput, 0) == os::WaitObject0; ++read) {
        os::InputRecord event{};
        if (!os::ReadConsoleInput(consoleInput, &event)) break;
        if (event.eventType == os::KeyEventType) {
            if (!event.key.keyDown) {
                NoteKeyUp(event.key.virtualKey);
                continue;
            }
            modifierState |= ModifierBitOf(event.key.virtualKey);
            escape = escape || event.key.virtualKey == escapeKey;
        } else if (event.eventType == os::MouseEventType) {
            leftButtonHeld = (event.mouse.buttonState & os::LeftButtonPressed) != 0;
        }
    }
    os::FlushConsoleInputBuffer(consoleInput);
    pendingInputCode = escape ? panelCode::Close : panelCode::ReleaseAll;
}

bool CommandKeyStillHeld() { return commandKey != 0 && !commandKeyReleased; }

}  // namespace quaver
