// The open panel: console mode, worker threads, widgets, showing it, the input loop and closing in order.
#include "panel/run_panel.h"

#include <initializer_list>

#include "host/host.h"
#include "host/settings.h"
#include "host/screen.h"
#include "panel/geometry.h"
#include "panel/playlist_menu.h"
#include "panel/refresh.h"
#include "panel/title_line.h"
#include "panel/widgets.h"
#include "player/commands.h"
#include "player/player.h"
#include "player/playlist.h"

namespace quaver {

namespace {

// Only mouse input stays as it was; processed, line, echo and window input are off.
constexpr uint32_t keepMouseInputOnly = 0x10;
constexpr uint32_t workerStackSize = 0x4000;
constexpr os::CursorInfo hiddenCursor{1, false};

void ReleaseAllWidgets() {
    for (Widget* widget : openPanel.widgets)
        if (widget) widget->release();
}

void ToggleTimeFormat() {
    // Under the lock: a refresh pass must not see the label and the format half changed.
    os::CriticalSectionLock lock(openPanel.drawingLock);
    Widget* label = openPanel.widgets[slot::TimeLabel];
    // After the flip the label names the format in force.
    if (label) SetText(*label, settings.timeFormat == 1 ? trackTimeLabel : trackLeftLabel);
    settings.timeFormat = settings.timeFormat == 1 ? 0 : 1;
    if (label && openPanel.placement && openPanel.placement->shown) label->draw(true);
}

void NextScrollMode() {
    os::CriticalSectionLock lock(openPanel.drawingLock);
    liveDisplay.scrollMode = (liveDisplay.scrollMode + 1) % scrollModeValue::Count;
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
    openPanel.placement = &placement;
    BuildWidgets();
    widgets.volumeUp.visible = settings.showVolumeControl != 0;
    widgets.volumeDown.visible = settings.showVolumeControl != 0;
    widgets.shuffle.visible = settings.showRepeatShuffle != 0;
    widgets.repeatIndicator.visible = settings.showRepeatShuffle != 0;
    widgets.closeGlyph.visible = settings.showCloseButton != 0;
    playerLink.volumeChangeTick.store(0, std::memory_order_relaxed);
    const PanelGeometry geometry =
        ComputePanelGeometry(openPanel.consoleWidth, openPanel.consoleHeight, settings.wideTrackNumber != 0);
    placement.x = geometry.x;
    placement.y = geometry.y;
}

// The widgets and the placement end with RunPanel: nothing may refer to them afterwards.
void ForgetPanel() {
    for (Widget*& widget : openPanel.widgets) widget = nullptr;
    openPanel.placement = nullptr;
}

// The panel's three worker threads and the event that stops them.
struct Workers {
    os::UniqueHandle stop;
    os::UniqueHandle repeat;
    os::UniqueHandle refresh;
    os::UniqueHandle titles;
};

void StopWorkers(Workers& workers) {
    os::SetEvent(workers.stop.get());
    // A refresh pass in progress is finished first; only then may the screen be restored.
    for (os::UniqueHandle* thread : {&workers.repeat, &workers.refresh, &workers.titles})
        if (*thread) os::WaitForSingleObject(thread->get(), os::Infinite);
    workers.titles.reset();
    workers.refresh.reset();
    workers.repeat.reset();
    workers.stop.reset();
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
    case panelCode::PlaylistMenu: RunPlaylistMenu(placement); return true;
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
    if (command::IsVolume(code)) playerLink.volumeChangeTick.store(os::GetTickCount(), std::memory_order_relaxed);
    // The repeats of a held key whose command found no player even after a start do not start it again.
    const bool startRefused = panelInput.commandKey != 0 && panelInput.commandKey == panelInput.startRefusedKey;
    const CommandResult result = SendPlayerCommand(code, !startRefused);
    if (result == CommandResult::StartFailed && CommandKeyStillHeld()) panelInput.startRefusedKey = panelInput.commandKey;
    // A press that beeped was not sent, and its button does not start repeating later either.
    uint32_t held = code;
    if (result != CommandResult::Sent && result != CommandResult::Unanswered)
        playerLink.heldCommand.compare_exchange_strong(held, 0, std::memory_order_relaxed);
    return true;
}

void RunPanel() {
    uint32_t savedMode = 0;
    if (!os::GetConsoleMode(openPanel.consoleInput, &savedMode) ||
        !os::SetConsoleMode(openPanel.consoleInput, savedMode & keepMouseInputOnly)) {
        ShowErrorBox(message::ConsoleModeFailed);
        return;
    }

    // Nothing may draw before the panel is shown, whatever a player start at opening left behind.
    SetDisplayActive(false);

    Workers workers;
    workers.stop.reset(os::CreateEvent(true, false));
    if (!workers.stop) {
        os::SetConsoleMode(openPanel.consoleInput, savedMode);
        ShowErrorBox(message::CreateEventFailed);
        return;
    }

    workers.repeat.reset(os::CreateThread(RepeatThread, workers.stop.get(), workerStackSize));
    if (workers.repeat) workers.refresh.reset(os::CreateThread(RefreshThread, workers.stop.get(), workerStackSize));
    if (workers.refresh) workers.titles.reset(os::CreateThread(TitleThread, workers.stop.get(), workerStackSize));
    if (!workers.titles) {
        StopWorkers(workers);
        os::SetConsoleMode(openPanel.consoleInput, savedMode);
        ShowErrorBox(message::CreateThreadFailed);
        return;
    }

    os::CursorInfo savedCursor{};
    const bool cursorKnown = os::GetConsoleCursorInfo(openPanel.consoleOutput, &savedCursor);
    os::SetConsoleCursorInfo(openPanel.consoleOutput, hiddenCursor);

    PanelWidgets widgets;
    PanelPlacement placement{};
    PreparePanel(widgets, placement);
    SetPanelShown(placement, true);

    while (ActOnInputCode(ReadPanelInput(), placement)) {
    }

    // Closing: the worker threads end before the screen is put back, so nothing draws over it.
    StopWorkers(workers);
    SetPanelShown(placement, false);
    os::SetConsoleMode(openPanel.consoleInput, savedMode);
    if (cursorKnown) os::SetConsoleCursorInfo(openPanel.consoleOutput, savedCursor);
    ForgetPanel();
}

}  // namespace quaver
