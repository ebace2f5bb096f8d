// Finding, starting and commanding the player. Its window is never kept: every use looks it up afresh, so a
// player closed or restarted in between needs no bookkeeping.
#include "host/host.h"
#include "host/settings.h"
#include "panel/panel.h"
#include "player/commands.h"
#include "player/player.h"

namespace quaver {

std::atomic<uint32_t> heldCommand{0};
std::atomic<uint32_t> volumeChangeTick{0};

namespace {

constexpr uint32_t informationBeep = 0x40;

void BuildStartCommand(char (&commandLine)[startCommandCapacity]) {
    int32_t size = startCommandCapacity;
    if (os::RegQueryClassesRootDefault(startCommandKey, commandLine, &size))
        CutStartCommand(commandLine, startCommandCapacity);
    else
        CopyFallbackCommand(GetLangString(message::PlayerCommandLine), commandLine, startCommandCapacity);
}

void GiveForegroundBack(os::Window window) {
    if (window) os::SetForegroundWindow(window);
}

// Starts the player with its start notice on the screen; everything changed is put back before returning.
void StartPlayer() {
    // Resume only a display that was running: at panel opening (no panel drawn yet) or while the panel is
    // hidden, resuming would let the worker threads draw where there is no panel.
    const bool displayWasActive =
        displayActiveEvent && os::WaitForSingleObject(displayActiveEvent, 0) == os::WaitObject0;
    SetDisplayActive(false);
    void* screen = hostServices.SaveScreenArea ? hostServices.SaveScreenArea(0, 0, -1, -1) : nullptr;
    const os::Window foreground = os::GetForegroundWindow();

    // No buttons: the host draws the box and returns at once; it stays until the screen is restored.
    const char* const notice[2] = {"", GetLangString(message::PlayerStarting)};
    if (hostServices.ShowMessage) hostServices.ShowMessage(hostServices.moduleNumber, 0, nullptr, notice, 2, 0);

    char commandLine[startCommandCapacity] = {};
    BuildStartCommand(commandLine);
    if (os::CreateProcess(commandLine)) {
        for (int wait = 0; wait < startWaitCount; ++wait) {
            os::Sleep(startWaitPeriod);
            if (FindPlayer()) break;
        }
    }

    if (hostServices.RestoreScreenArea) hostServices.RestoreScreenArea(screen);
    if (displayWasActive) SetDisplayActive(true);
    GiveForegroundBack(foreground);
}

}  // namespace

os::Window FindPlayer() { return os::FindWindow(playerClassName); }

os::Window FindOrStartPlayer(bool allowStart) {
    if (os::Window player = FindPlayer()) return player;
    if (!AutostartWinamp[0] || !allowStart) return nullptr;
    StartPlayer();
    return FindPlayer();
}

void SendPlayerCommand(uint32_t command) {
    const os::Window player = FindOrStartPlayer(AutostartWinamp[1] != 0);
    if (!player) {
        os::MessageBeep(informationBeep);
        return;
    }
    const os::Window foreground = os::GetForegroundWindow();
    os::SendMessage(player, os::WmCommand, command, 0);
    GiveForegroundBack(foreground);
}

}  // namespace quaver
