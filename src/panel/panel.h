// The open panel: console geometry, the shared synchronisation objects, showing and hiding, the input loop.
#pragma once

#include <cstdint>

#include "os/os.h"

namespace quaver {

// Console and geometry, set by every OpenPlugin.
extern os::Handle consoleInput;
extern os::Handle consoleOutput;
extern int32_t consoleWidth;
extern int32_t consoleHeight;
extern uint32_t panelWidth;        // 34, or 38 with WideTrackNumber
constexpr uint32_t panelHeight = 12;
extern uint32_t trackLabelX;       // 3 or 5
extern uint32_t timeLabelCentre;   // 23 or 27
extern uint32_t infoLineX;         // 5 or 7
extern uint32_t titleFieldLength;  // 30 or 34

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
constexpr bool IsPanelCode(uint32_t code) { return code <= ClosePlayer; }
}  // namespace panelCode

extern uint32_t modifierState;  // 1 Ctrl, 2 Alt, 4 Shift, from the events the panel reads
extern bool leftButtonHeld;

// Starting the player from a held key: the key-down that yielded the code in hand (0 for any other event),
// and the key whose command found no player even after a start, so that its repeats do not start it again
// until it is let go. Host's thread only.
extern uint16_t commandKey;
extern uint16_t startRefusedKey;
// What ReadPanelInput yields before it reads the console again: set after a start, Nothing otherwise.
extern uint32_t pendingInputCode;

extern os::Handle displayActiveEvent;  // manual reset: set while the worker threads may draw
extern os::Handle stopEvent;           // manual reset: set once when the panel closes
extern os::CriticalSection drawingLock;

struct PanelPlacement {
    int32_t x;
    int32_t y;
    void* savedArea;
    uint8_t shown;
};
extern PanelPlacement* panelPlacement;  // valid while RunPanel runs

void RunPanel();
uint32_t ReadPanelInput();
// Reads and drops the console input that queued up while the player was being started. Only what the
// panel must not lose survives: an Esc closes the panel next, releases end the presses they belong to,
// and the modifier keys and the left button keep their state; every widget is released.
void DiscardInputQueuedDuringStart();
// The key-down that yielded the code in hand has not been let go meanwhile.
bool CommandKeyStillHeld();
void SetPanelShown(PanelPlacement& placement, bool show);
void SetDisplayActive(bool active);
bool IsInsidePanel(const PanelPlacement& placement, int32_t column, int32_t row);

}  // namespace quaver
