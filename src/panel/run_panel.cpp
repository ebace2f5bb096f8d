// The open panel: console mode, worker threads, widgets, showing it, the input loop and closing in order.
#include "panel/run_panel.h"

#include "dialogs/about_box.h"
#include "host/host.h"
#include "host/settings.h"
#include "panel/console_output.h"
#include "panel/geometry.h"
#include "panel/refresh.h"
#include "panel/title_line.h"
#include "panel/widgets.h"
#include "player/commands.h"
#include "player/player.h"

namespace quaver {

namespace {

// Only mouse input stays as it was; processed, line, echo and window input are off.
constexpr uint32_t keepMouseInputOnly = 0x10;
constexpr uint32_t workerStackSize = 0x4000;
constexpr os::CursorInfo hiddenCursor{1, false};
constexpr int32_t scrollModeCount = 3;

void ReleaseAllWidgets() {
    for (Widget* widget : widgetTable)
        if (widget) widget->release();
}

void ToggleTimeFormat() {
    // Under the lock: a refresh pass must not see the label and the format half changed.
    os::CriticalSectionLock lock(drawingLock);
    Widget* label = widgetTable[slot::TimeLabel];
    // After the flip the label names the format in force.
    if (label) SetText(*label, TimeFormat == 1 ? trackTimeLabel : trackLeftLabel);
    TimeFormat = TimeFormat == 1 ? 0 : 1;
    if (label && panelPlacement && panelPlacement->shown) label->draw(true);
}

void NextScrollMode() {
    os::CriticalSectionLock lock(drawingLock);
    scrollMode = (scrollMode + 1) % scrollModeCount;
    ResetTitleScrolling();
}

void HideOrShow(PanelPlacement& placement) {
    if (placement.shown) {
        SetPanelShown(placement, false);
        FlushOutput();  // make the restored screen visible
    } else {
        SetPanelShown(placement, true);
    }
}

// Gives every widget its slot's kind and the settings' visibility, and centres the panel.
void PreparePanel(PanelWidgets& widgets, PanelPlacement& placement) {
    widgets.EnterInTable();
    panelPlacement = &placement;
    BuildWidgets();
    widgets.volumeUp.visible = DispVolumeCtrl != 0;
    widgets.volumeDown.visible = DispVolumeCtrl != 0;
    widgets.shuffle.visible = DispRepeatShfl != 0;
    widgets.repeatIndicator.visible = DispRepeatShfl != 0;
    widgets.closeGlyph.visible = DispCloseButton != 0;
    volumeChangeTick.store(0, std::memory_order_relaxed);
    const PanelGeometry geometry = ComputePanelGeometry(consoleWidth, consoleHeight, WideTrackNumber != 0);
    placement.x = geometry.x;
    placement.y = geometry.y;
}

// The widgets and the placement end with RunPanel: nothing may refer to them afterwards.
void ForgetPanel() {
    for (Widget*& widget : widgetTable) widget = nullptr;
    activeWidget = nullptr;
    panelPlacement = nullptr;
}

void StopWorkers(os::UniqueHandle& stop, os::UniqueHandle& repeatThread, os::UniqueHandle& refreshThread) {
    os::SetEvent(stop.get());
    // A refresh pass in progress is finished first; only then may the screen be restored.
    if (repeatThread) os::WaitForSingleObject(repeatThread.get(), os::Infinite);
    if (refreshThread) os::WaitForSingleObject(refreshThread.get(), os::Infinite);
    refreshThread.reset();
    repeatThread.reset();
    stop.reset();
    stopEvent = nullptr;
}

}  // namespace

bool ActOnInputCode(uint32_t code, PanelPlacement& placement) {
    switch (code) {
    case panelCode::Nothing: return true;
    case panelCode::Close: return false;
    case panelCode::ReleaseAll: ReleaseAllWidgets(); return true;
    case panelCode::AboutBox: ShowAboutBox(); return true;
    case panelCode::ToggleTimeFormat: ToggleTimeFormat(); return true;
    case panelCode::NextScrollMode: NextScrollMode(); return true;
    case panelCode::HideOrShow: HideOrShow(placement); return true;
    case panelCode::ClosePlayer:
        // The first press closes the player; with no player left, it closes the panel.
        // Posted: a hung player must not freeze the host, and closing needs no answer.
        if (const os::Window player = FindPlayer()) {
            os::PostMessage(player, os::WmClose, 0, 0);
            return true;
        }
        return false;
    default: break;
    }
    // A player command, straight from the widget that took the key or click.
    if (command::IsVolume(code)) volumeChangeTick.store(os::GetTickCount(), std::memory_order_relaxed);
    // The repeats of a held key whose command found no player even after a start do not start it again.
    const bool startRefused = commandKey != 0 && commandKey == startRefusedKey;
    if (SendPlayerCommand(code, !startRefused) == CommandResult::StartFailed && CommandKeyStillHeld())
        startRefusedKey = commandKey;
    return true;
}

void RunPanel() {
    uint32_t savedMode = 0;
    if (!os::GetConsoleMode(consoleInput, &savedMode) ||
        !os::SetConsoleMode(consoleInput, savedMode & keepMouseInputOnly)) {
        ShowErrorBox(message::ConsoleModeFailed);
        return;
    }

    // Nothing may draw before the panel is shown, whatever a player start at opening left behind.
    SetDisplayActive(false);

    os::UniqueHandle stop(os::CreateEvent(true, false));
    if (!stop) {
        os::SetConsoleMode(consoleInput, savedMode);
        ShowErrorBox(message::CreateEventFailed);
        return;
    }
    stopEvent = stop.get();

    os::UniqueHandle repeatThread(os::CreateThread(RepeatThread, stop.get(), workerStackSize));
    if (!repeatThread) {
        stop.reset();
        stopEvent = nullptr;
        os::SetConsoleMode(consoleInput, savedMode);
        ShowErrorBox(message::CreateThreadFailed);
        return;
    }

    os::UniqueHandle refreshThread(os::CreateThread(RefreshThread, stop.get(), workerStackSize));
    if (!refreshThread) {
        StopWorkers(stop, repeatThread, refreshThread);
        os::SetConsoleMode(consoleInput, savedMode);
        ShowErrorBox(message::CreateThreadFailed);
        return;
    }

    os::CursorInfo savedCursor{};
    const bool cursorKnown = os::GetConsoleCursorInfo(consoleOutput, &savedCursor);
    os::SetConsoleCursorInfo(consoleOutput, hiddenCursor);

    PanelWidgets widgets;
    PanelPlacement placement{};
    PreparePanel(widgets, placement);
    SetPanelShown(placement, true);

    while (ActOnInputCode(ReadPanelInput(), placement)) {
    }

    // Closing: the worker threads end before the screen is put back, so nothing draws over it.
    StopWorkers(stop, repeatThread, refreshThread);
    SetPanelShown(placement, false);
    os::SetConsoleMode(consoleInput, savedMode);
    if (cursorKnown) os::SetConsoleCursorInfo(consoleOutput, savedCursor);
    ForgetPanel();
}

}  // namespace quaver
