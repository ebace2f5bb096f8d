// The open panel's shared state, showing and hiding it, pausing the live display, and its extent.
#include "panel/panel.h"

#include "host/screen.h"
#include "panel/frame.h"

namespace quaver {

OpenPanelState openPanel;

uint32_t ModifiersOf(uint32_t controlKeyState) {
    uint32_t modifiers = 0;
    if (controlKeyState & (os::LeftCtrlPressed | os::RightCtrlPressed)) modifiers |= modifier::Ctrl;
    if (controlKeyState & (os::LeftAltPressed | os::RightAltPressed)) modifiers |= modifier::Alt;
    if (controlKeyState & os::ShiftPressed) modifiers |= modifier::Shift;
    return modifiers;
}

void SetDisplayActive(bool active) {
    if (!openPanel.displayActiveEvent) return;  // no panel is open: there is no display to pause
    // Under the lock, so that a pause waits for a refresh pass in progress.
    os::CriticalSectionLock lock(openPanel.drawingLock);
    if (active)
        os::SetEvent(openPanel.displayActiveEvent);
    else
        os::ResetEvent(openPanel.displayActiveEvent);
}

os::Handle DisplayActiveEvent() { return openPanel.displayActiveEvent; }

bool PauseDisplay() {
    const os::Handle event = openPanel.displayActiveEvent;
    const bool wasActive = event && os::WaitForSingleObject(event, 0) == os::WaitObject0;
    SetDisplayActive(false);
    return wasActive;
}

void ResumeDisplay() { SetDisplayActive(true); }

void SetPanelShown(PanelPlacement& placement, bool show) {
    if (show) {
        // Showing twice would save the panel itself as the screen beneath it, and lose the first save.
        if (placement.shown) return;
        placement.shown = 1;
        const int32_t width = static_cast<int32_t>(openPanel.panelWidth);
        placement.savedArea = SaveScreenArea(placement.x, placement.y, placement.x + width + 1,
                                             placement.y + static_cast<int32_t>(panelHeight));
        DrawPanel(placement);
        SetDisplayActive(true);
        return;
    }
    // Paused before the screen is put back, so that no refresh pass draws into a half-removed panel.
    const bool wasShown = placement.shown != 0;
    placement.shown = 0;
    SetDisplayActive(false);
    // The saved area is freed by restoring it: a panel already hidden has nothing left to restore.
    if (wasShown) RestoreScreenArea(placement.savedArea);
    placement.savedArea = nullptr;
}

bool IsInsidePanel(const PanelPlacement& placement, int32_t column, int32_t row) {
    const int64_t left = placement.x;
    const int64_t top = placement.y;
    return left <= column && column < left + openPanel.panelWidth && top <= row && row < top + panelHeight;
}

}  // namespace quaver
