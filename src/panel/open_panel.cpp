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
    DrawingLockLifetime() { os::InitializeCriticalSection(openPanel.drawingLock); }
    DrawingLockLifetime(const DrawingLockLifetime&) = delete;
    DrawingLockLifetime& operator=(const DrawingLockLifetime&) = delete;
    ~DrawingLockLifetime() { os::DeleteCriticalSection(openPanel.drawingLock); }
};

void MeasureConsole() {
    openPanel.consoleInput = os::GetStdHandle(os::StdInputHandle);
    openPanel.consoleOutput = os::GetStdHandle(os::StdOutputHandle);
    int32_t width = 0;
    int32_t height = 0;
    // A size that cannot be read counts as none: the panel goes to the top-left corner, without a shadow.
    if (!os::GetConsoleBufferSize(openPanel.consoleOutput, &width, &height) || width < 0 || height < 0) {
        width = 0;
        height = 0;
    }
    openPanel.consoleWidth = width;
    openPanel.consoleHeight = height;
}

// The console is the host's again once the panel has closed: nothing reads or flushes it in the panel's name.
void ForgetConsole() {
    openPanel.consoleInput = nullptr;
    openPanel.consoleOutput = nullptr;
}

void ClearPerOpeningState() {
    liveDisplay.playerVersion = 0;
    // The RefreshThread shows them and may not ask the host itself.
    liveDisplay.addingFilesText = GetLangString(message::AddingFiles);
    liveDisplay.filesAddedText = GetLangString(message::FilesAdded);
    ResetRefreshPicture();
    // The button may have been let go while the host had the console. (The modifiers need no reset: every
    // event read brings its own control-key state.)
    panelInput.leftButtonHeld = false;
    DropHeldCommand();
    ForgetOwedAnswer();
    panelInput.commandKey = 0;
    panelInput.startRefusedKey = 0;
    panelInput.pendingCode = panelCode::Nothing;
}

void SetGeometry() {
    const PanelGeometry geometry =
        ComputePanelGeometry(openPanel.consoleWidth, openPanel.consoleHeight, settings.wideTrackNumber != 0);
    openPanel.panelWidth = geometry.panelWidth;
    openPanel.trackLabelX = geometry.trackLabelX;
    openPanel.timeLabelCentre = geometry.timeLabelCentre;
    openPanel.titleFieldLength = geometry.titleFieldLength;
    openPanel.infoLineX = geometry.infoLineX;
}

// Lets the host see the Shift key as up again, whatever the panel's own key handling swallowed.
void SendSyntheticShift() {
    os::KeybdEvent(shiftVirtualKey, shiftScanCode, 0);
    os::KeybdEvent(shiftVirtualKey, shiftScanCode, keyUp);
}

}  // namespace

void OpenPanel() {
    MeasureConsole();
    {
        const SettingsVisit visit;  // one short visit for everything the opening reads
        LoadDisplaySettings();
        ClearPerOpeningState();
        SetGeometry();
        LoadPalette();
    }
    {
        os::UniqueHandle displayActive(os::CreateEvent(true, false));
        if (!displayActive) {
            ShowErrorBox(message::CreateEventFailed);
            ForgetConsole();
            return;
        }
        openPanel.displayActiveEvent = displayActive.get();
        {
            DrawingLockLifetime lock;
            FindOrStartPlayer(settings.startPlayer[1] == 0);
            RunPanel();
        }  // the lock is deleted before the event is closed
        openPanel.displayActiveEvent = nullptr;
    }
    ForgetConsole();
    SendSyntheticShift();
}

}  // namespace quaver
