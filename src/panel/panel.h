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
void SetPanelShown(PanelPlacement& placement, bool show);
void SetDisplayActive(bool active);
bool IsInsidePanel(const PanelPlacement& placement, int32_t column, int32_t row);

}  // namespace quaver
