// The open panel: console geometry, the shared synchronisation objects, showing and hiding, the input loop.
#pragma once

#include <cstdint>

#include "os/os.h"
#include "panel/widgets.h"
#include "player/display_control.h"

namespace quaver {

constexpr uint32_t panelHeight = 12;

// Panel codes; every other code is a player command.
namespace panelCode {
constexpr uint32_t Nothing = 0;
constexpr uint32_t Close = 1;
constexpr uint32_t ReleaseAll = 2;
constexpr uint32_t AboutBox = 3;
constexpr uint32_t ToggleTimeFormat = 4;
constexpr uint32_t NextScrollMode = 5;
constexpr uint32_t HideOrShow = 6;
constexpr uint32_t ClosePlayer = 7;
constexpr uint32_t PlaylistMenu = 8;
}  // namespace panelCode

// Modifier bits, of the panel's own modifier state and of a widget's key bindings.
namespace modifier {
constexpr uint32_t Ctrl = 1, Alt = 2, Shift = 4;
constexpr uint32_t All = Ctrl | Alt | Shift;
}  // namespace modifier
// The modifier bits of the console's control-key state in a key event.
uint32_t ModifiersOf(uint32_t controlKeyState);

// What the panel's input reading keeps between events. The host's thread alone reads and writes it; an opening
// of the panel clears it.
struct PanelInputState {
    uint32_t modifiers;   // modifier bits, from the control-key state of the last key or mouse event read
    bool leftButtonHeld;
    // Starting the player from a held key: the key-down that yielded the code in hand (0 for any other
    // event), whether it was let go in the input a start discarded, and the key whose command found no player
    // even after a start, so that its repeats do not start it again until it is let go.
    uint16_t commandKey;
    bool commandKeyReleased;
    uint16_t startRefusedKey;
    // What ReadPanelInput yields before it reads the console again: set after a start, Nothing otherwise.
    uint32_t pendingCode;
};
extern PanelInputState panelInput;

struct PanelPlacement {
    int32_t x;
    int32_t y;
    void* savedArea;
    uint8_t shown;
};

// The open panel. OpenPlugin, on the host's thread, fills in the console and the geometry and creates the lock
// and the display event before any worker thread runs, and releases them after the workers have ended.
// RunPanel enters the placement and the widget table while the display is paused (displayActiveEvent reset:
// the workers draw only while it is set) and empties them after the workers have ended. The widgets' texts,
// places and looks change under drawingLock, on the host's thread and the RefreshThread; the placement's
// shown flag changes on the host's thread only, before a pause and after a resume.
struct OpenPanelState {
    os::Handle consoleInput;
    os::Handle consoleOutput;
    int32_t consoleWidth;
    int32_t consoleHeight;
    uint32_t panelWidth = 34;        // or 38 with the wide track number
    uint32_t trackLabelX = 3;        // or 5
    uint32_t timeLabelCentre = 23;   // or 27
    uint32_t infoLineX = 5;          // or 7
    uint32_t titleFieldLength = 30;  // or 34
    os::Handle displayActiveEvent;   // manual reset: set while the worker threads may draw
    os::CriticalSection drawingLock;
    PanelPlacement* placement;       // valid while RunPanel runs
    Widget* widgets[widgetCount];    // in slot order; entered by PanelWidgets::EnterInTable
};
extern OpenPanelState openPanel;

void RunPanel();
uint32_t ReadPanelInput();
// The key-down that yielded the code in hand has not been let go meanwhile.
bool CommandKeyStillHeld();
// Before a dialog or menu opened from the panel takes the console: the mouse button counts as up, every widget
// is released and nothing is repeated, since the release happens where the panel cannot see it.
void LetGoOfPanelInput();
void SetPanelShown(PanelPlacement& placement, bool show);
void SetDisplayActive(bool active);
bool IsInsidePanel(const PanelPlacement& placement, int32_t column, int32_t row);

}  // namespace quaver
