// One whole opening of the panel: console geometry, the shared objects, the player, the open panel.
#include "panel/open_panel.h"

#include "host/host.h"
#include "host/settings.h"
#include "panel/geometry.h"
#include "panel/panel.h"
#include "panel/refresh.h"
#include "panel/widgets.h"
#include "player/player.h"

namespace quaver {

namespace {

constexpr uint8_t shiftVirtualKey = 16;
constexpr uint8_t shiftScanCode = 0x2A;
constexpr uint32_t keyUp = 2;

// drawingLock lives from after displayActiveEvent until RunPanel has returned.
class DrawingLockLifetime {
public:
    DrawingLockLifetime() { os::InitializeCriticalSection(drawingLock); }
    DrawingLockLifetime(const DrawingLockLifetime&) = delete;
    DrawingLockLifetime& operator=(const DrawingLockLifetime&) = delete;
    ~DrawingLockLifetime() { os::DeleteCriticalSection(drawingLock); }
};

void MeasureConsole() {
    consoleInput = os::GetStdHandle(os::StdInputHandle);
    consoleOutput = os::GetStdHandle(os::StdOutputHandle);
    int32_t width = 0;
    int32_t height = 0;
    // A size that cannot be read counts as none: the panel goes to the top-left corner, without a shadow.
    if (!os::GetConsoleBufferSize(consoleOutput, &width, &height) || width < 0 || height < 0) {
        width = 0;
        height = 0;
    }
    consoleWidth = width;
    consoleHeight = height;
}

void ClearPerOpeningState() {
    playerVersion = 0;
    ResetRefreshPicture();
    activeWidget = nullptr;
    leftButtonHeld = false;
    heldCommand.store(0, std::memory_order_relaxed);
    commandKey = 0;
    startRefusedKey = 0;
    pendingInputCode = panelCode::Nothing;
}

void SetGeometry() {
    const PanelGeometry geometry = ComputePanelGeometry(consoleWidth, consoleHeight, WideTrackNumber != 0);
    panelWidth = geometry.panelWidth;
    trackLabelX = geometry.trackLabelX;
    timeLabelCentre = geometry.timeLabelCentre;
    titleFieldLength = geometry.titleFieldLength;
    infoLineX = geometry.infoLineX;
}

// Lets the host see the Shift key as up again, whatever the panel's own key handling swallowed.
void SendSyntheticShift() {
    os::KeybdEvent(shiftVirtualKey, shiftScanCode, 0);
    os::KeybdEvent(shiftVirtualKey, shiftScanCode, keyUp);
}

}  // namespace

void OpenPanel() {
    MeasureConsole();
    LoadDisplaySettings();
    ClearPerOpeningState();
    SetGeometry();
    LoadPalette();
    {
        os::UniqueHandle displayActive(os::CreateEvent(true, false));
        if (!displayActive) {
            ShowErrorBox(message::CreateEventFailed);
            return;
        }
        displayActiveEvent = displayActive.get();
        {
            DrawingLockLifetime lock;
            FindOrStartPlayer(AutostartWinamp[1] == 0);
            RunPanel();
        }  // the lock is deleted before the event is closed
        displayActiveEvent = nullptr;
    }
    SendSyntheticShift();
}

}  // namespace quaver
