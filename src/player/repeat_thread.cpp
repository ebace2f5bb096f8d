// The RepeatThread: re-sends a held command about every 50 ms while the panel is on the screen.
#include "player/commands.h"
#include "player/display_control.h"
#include "player/player.h"

namespace quaver {

namespace {
uint32_t PauseAfter(uint32_t started) {
    const uint32_t took = os::GetTickCount() - started;  // unsigned: harmless across the tick counter's wrap
    return took >= repeatPeriod ? 0 : repeatPeriod - took;
}
}  // namespace

void HoldCommand(uint32_t command) {
    playerLink.heldSince.store(os::GetTickCount(), std::memory_order_relaxed);
    playerLink.heldCommand.store(command, std::memory_order_release);
}

void DropHeldCommand() { playerLink.heldCommand.store(0, std::memory_order_relaxed); }

void ForgetRepeatTarget() { playerLink.repeatTarget = nullptr; }

uint32_t RepeatHeldCommand() {
    uint32_t command = playerLink.heldCommand.load(std::memory_order_acquire);
    if (command == 0) {
        playerLink.repeatTarget = nullptr;
        return repeatPeriod;
    }
    // The press sent the command itself; the first re-send comes a whole period after it, so that a click
    // shorter than that sends once.
    const uint32_t sincePress = os::GetTickCount() - playerLink.heldSince.load(std::memory_order_relaxed);
    if (sincePress < repeatPeriod) return repeatPeriod - sincePress;

    const os::Window player = FindPlayer();
    if (!player || (playerLink.repeatTarget && player != playerLink.repeatTarget)) {
        // Only this command: a press made meanwhile stays.
        playerLink.heldCommand.compare_exchange_strong(command, 0, std::memory_order_relaxed);
        ForgetRepeatTarget();
        return repeatPeriod;
    }
    playerLink.repeatTarget = player;

    // A player that owes an answer, to this thread's re-send or to the host's thread's command, gets nothing
    // more until it answers: a slow player never has more than one command waiting.
    const uint32_t started = os::GetTickCount();
    if (!ReadyForCommand(player, repeatProbeTimeout, 0)) return PauseAfter(started);
    // A question may have taken a while: a button let go meanwhile is not sent again.
    command = playerLink.heldCommand.load(std::memory_order_acquire);
    if (command == 0) return PauseAfter(started);

    const uint32_t sent = os::GetTickCount();
    if (command::IsVolume(command)) playerLink.volumeChangeTick.store(sent, std::memory_order_relaxed);
    // A hung player gives up the send after 45 ms, so it cannot stretch the rhythm.
    if (!os::SendMessageTimeout(player, os::WmCommand, command, 0, os::SmtoAbortIfHung, repeatSendTimeout, nullptr))
        NoteUnanswered(player);
    return PauseAfter(started);
}

uint32_t OSAPI RepeatThread(void* stopEvent) {
    ForgetRepeatTarget();
    // stopEvent first, so that it wins when both are set; a paused display neither sends nor sleeps.
    for (;;) {
        const os::Handle events[2] = {stopEvent, DisplayActiveEvent()};
        if (os::WaitForAnyObject(2, events, os::Infinite) != os::WaitObject0 + 1) return 0;
        os::Sleep(RepeatHeldCommand());
    }
}

}  // namespace quaver
