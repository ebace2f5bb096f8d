// Reading the console: one input event becomes one code, a panel code or a player command.
#include "panel/panel.h"
#include "panel/panel_keys.h"
#include "panel/widgets.h"
#include "player/commands.h"

namespace quaver {

PanelInputState panelInput;

namespace {

// A console that keeps filling faster than it is read must not keep the host's thread here.
constexpr int discardLimit = 4096;

uint32_t ModifierBitOf(uint16_t virtualKey) {
    switch (virtualKey) {
    case key::Shift: return modifier::Shift;
    case key::Ctrl: return modifier::Ctrl;
    case key::Alt: return modifier::Alt;
    default: return 0;
    }
}

// The modifiers held as of this key event: its own control-key state, which a lost key-up cannot falsify,
// with the bit of the modifier key it presses or lets go.
void TakeModifiers(const os::KeyEvent& key) {
    const uint32_t own = ModifierBitOf(key.virtualKey);
    const uint32_t held = ModifiersOf(key.controlKeyState);
    panelInput.modifiers = key.keyDown ? held | own : held & ~own;
}

bool PanelShown() { return openPanel.placement && openPanel.placement->shown; }

// The first widget in slot order that accepts the event yields its command.
uint32_t OfferToWidgets(const os::InputRecord& event) {
    uint32_t code = panelCode::Nothing;
    for (Widget* widget : openPanel.widgets)
        if (widget && widget->offer(event, code)) break;
    return code;
}

bool Takes(const ReaderKey& row, uint16_t pressed, uint32_t modifiers) {
    return (row.virtualKey == key::None || row.virtualKey == pressed) &&
           (row.anyModifiers || row.modifiers == modifiers);
}

uint32_t OnKeyDown(const os::InputRecord& event) {
    const uint16_t pressed = event.key.virtualKey;
    TakeModifiers(event.key);
    panelInput.commandKey = pressed;
    const bool shown = PanelShown();
    for (const ReaderKey& row : readerKeys)
        if ((shown || row.whileHidden) && Takes(row, pressed, panelInput.modifiers)) return row.code;
    return shown ? OfferToWidgets(event) : panelCode::Nothing;
}

void NoteKeyUp(const os::KeyEvent& event) {
    TakeModifiers(event);
    const uint16_t key = event.virtualKey;
    if (key == panelInput.startRefusedKey) panelInput.startRefusedKey = 0;
    if (key == panelInput.commandKey) panelInput.commandKeyReleased = true;
}

uint32_t OnKeyUp(const os::InputRecord& event) {
    NoteKeyUp(event.key);
    if (!PanelShown()) return panelInput.modifiers != modifier::All ? panelCode::HideOrShow : panelCode::Nothing;
    return OfferToWidgets(event);
}

uint32_t OnMouse(const os::InputRecord& event) {
    panelInput.modifiers = ModifiersOf(event.mouse.controlKeyState);
    if (!PanelShown()) return panelCode::Nothing;
    const bool left = (event.mouse.buttonState & os::LeftButtonPressed) != 0;
    if (left && !panelInput.leftButtonHeld && !IsInsidePanel(*openPanel.placement, event.mouse.x, event.mouse.y))
        return panelCode::Close;  // a click outside the panel, its shadow included
    if (!left && panelInput.leftButtonHeld) {
        panelInput.leftButtonHeld = false;
        return panelCode::ReleaseAll;
    }
    // A click on the title line opens the playlist; Enter still steps the way it scrolls.
    const Widget* titleLine = openPanel.widgets[slot::TitleLine];
    const bool press = left && !panelInput.leftButtonHeld && (event.mouse.eventFlags & os::MouseMoved) == 0;
    panelInput.leftButtonHeld = left;
    if (press && titleLine && HitsPosition(*titleLine, event.mouse.x, event.mouse.y)) return panelCode::PlaylistMenu;
    return OfferToWidgets(event);
}

}  // namespace

uint32_t ReadPanelInput() {
    panelInput.commandKey = 0;
    panelInput.commandKeyReleased = false;
    if (panelInput.pendingCode != panelCode::Nothing) {
        const uint32_t code = panelInput.pendingCode;
        panelInput.pendingCode = panelCode::Nothing;
        return code;
    }
    // The loop sleeps until the console has something, waking only when a released look is due: periodic work
    // belongs to the worker threads.
    uint32_t waited = os::WaitTimeout;
    while (waited == os::WaitTimeout) waited = os::WaitForSingleObject(openPanel.consoleInput, DrawDueReleases());
    if (waited != os::WaitObject0) return panelCode::Close;
    os::InputRecord event{};
    if (!os::ReadConsoleInput(openPanel.consoleInput, &event)) return panelCode::Nothing;
    switch (event.eventType) {
    case os::FocusEventType:
        // Key-ups made elsewhere are never seen: a key may have been let go meanwhile.
        panelInput.startRefusedKey = 0;
        panelInput.modifiers = 0;
        return panelCode::ReleaseAll;
    case os::KeyEventType: return event.key.keyDown ? OnKeyDown(event) : OnKeyUp(event);
    case os::MouseEventType: return OnMouse(event);
    default: return PanelShown() ? OfferToWidgets(event) : panelCode::Nothing;
    }
}

void DiscardInputQueuedDuringStart() {
    // Only an open panel reads the console: a start from the command line leaves the host's input alone.
    if (!openPanel.consoleInput) return;
    bool escape = false;
    const os::Handle input = openPanel.consoleInput;
    int read = 0;
    for (; read < discardLimit && os::WaitForSingleObject(input, 0) == os::WaitObject0; ++read) {
        os::InputRecord event{};
        if (!os::ReadConsoleInput(input, &event)) break;
        if (event.eventType == os::KeyEventType) {
            if (!event.key.keyDown) {
                NoteKeyUp(event.key);
                continue;
            }
            TakeModifiers(event.key);
            escape = escape || event.key.virtualKey == key::Escape;
        } else if (event.eventType == os::MouseEventType) {
            panelInput.modifiers = ModifiersOf(event.mouse.controlKeyState);
            panelInput.leftButtonHeld = (event.mouse.buttonState & os::LeftButtonPressed) != 0;
        }
    }
    // Only a console still filling needs the flush: anything else would lose an Esc or a key-up that arrived
    // after the last read.
    if (read == discardLimit) os::FlushConsoleInputBuffer(input);
    panelInput.pendingCode = escape ? panelCode::Close : panelCode::ReleaseAll;
}

void LetGoOfPanelInput() {
    panelInput.leftButtonHeld = false;
    SettleAllWidgets();
}

bool CommandKeyStillHeld() { return panelInput.commandKey != 0 && !panelInput.commandKeyReleased; }

}  // namespace quaver
