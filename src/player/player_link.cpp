// Finding, starting and commanding the player. Its window is never kept: every use looks it up afresh, so a
// player closed or restarted in between needs no bookkeeping.
#include "host/host.h"
#include "host/settings.h"
#include "player/commands.h"
#include "player/display_control.h"
#include "player/player.h"

namespace quaver {

PlayerLink playerLink;

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
    if (playerLink.startUnderWay) return;
    playerLink.startUnderWay = true;
    const bool displayWasActive = PauseDisplay();
    void* screen = hostLink.services.SaveScreenArea ? hostLink.services.SaveScreenArea(0, 0, -1, -1) : nullptr;
    const os::Window foreground = os::GetForegroundWindow();

    // No buttons: the host draws the box and returns at once; it stays until the screen is restored.
    const char* const notice[2] = {"", GetLangString(message::PlayerStarting)};
    const HostServices& host = hostLink.services;
    if (host.ShowMessage) host.ShowMessage(host.moduleNumber, 0, nullptr, notice, 2, 0);

    char commandLine[startCommandCapacity] = {};
    BuildStartCommand(commandLine);
    if (os::CreateProcess(commandLine)) {
        for (int wait = 0; wait < startWaitCount; ++wait) {
            os::Sleep(startWaitPeriod);
            if (FindPlayer()) break;
        }
    }

    // The command that needed the start is sent by its caller once this returns; a held command stored with
    // its press would otherwise reach the new player first, and repeatedly, as soon as the display runs.
    playerLink.heldCommand.store(0, std::memory_order_relaxed);
    if (hostLink.services.RestoreScreenArea) hostLink.services.RestoreScreenArea(screen);
    // Keys and clicks made while the notice was up were not meant for the panel: a held key's queued
    // repeats would each start the player again.
    DiscardInputQueuedDuringStart();
    if (displayWasActive) ResumeDisplay();
    GiveForegroundBack(foreground);
    playerLink.startUnderWay = false;
}

os::Window FindOrStart(bool allowStart, bool& attempted) {
    attempted = false;
    if (os::Window player = FindPlayer()) return player;
    if (!settings.startPlayer[0] || !allowStart) return nullptr;
    attempted = true;
    StartPlayer();
    return FindPlayer();
}

// A player that left a command from this thread unanswered may still have it queued: it gets no more until it
// answers a quick question.
bool ReadyForCommand(os::Window player) {
    if (playerLink.commandUnanswered != player) {
        playerLink.commandUnanswered = nullptr;
        return true;
    }
    if (static_cast<int32_t>(os::GetTickCount() - playerLink.nextCommandProbe) < 0) return false;
    if (PlayerAnswers(player, commandProbeTimeout)) {
        playerLink.commandUnanswered = nullptr;
        return true;
    }
    playerLink.nextCommandProbe = os::GetTickCount() + commandProbeInterval;
    return false;
}

}  // namespace

bool PlayerAnswers(os::Window player, uint32_t timeout) {
    intptr_t state = 0;
    return os::SendMessageTimeout(player, os::WmUser, query::PlayingState.wParam, query::PlayingState.lParam,
                                  os::SmtoAbortIfHung, timeout, &state);
}

void ForgetUnansweredCommand() { playerLink.commandUnanswered = nullptr; }

os::Window FindPlayer() { return os::FindWindow(playerClassName); }

os::Window FindOrStartPlayer(bool allowStart) {
    bool attempted = false;
    return FindOrStart(allowStart, attempted);
}

namespace {

// Every order from the host's thread: refused to a player that still owes it an answer, bounded, and remembered
// when it goes unanswered. send gives true when the player answered.
template <typename Send>
CommandResult SendBounded(os::Window player, Send send) {
    if (!ReadyForCommand(player)) {
        os::MessageBeep(informationBeep);
        return CommandResult::Refused;
    }
    if (send()) return CommandResult::Sent;
    playerLink.commandUnanswered = player;
    playerLink.nextCommandProbe = os::GetTickCount() + commandProbeInterval;
    return CommandResult::Unanswered;
}

}  // namespace

CommandResult SendPlayerCommand(uint32_t command, bool startAllowed) {
    bool attempted = false;
    const os::Window player = FindOrStart(settings.startPlayer[1] != 0 && startAllowed, attempted);
    if (!player) {
        os::MessageBeep(informationBeep);
        return attempted ? CommandResult::StartFailed : CommandResult::NoPlayer;
    }
    return SendBounded(player, [player, command] {
        const os::Window foreground = os::GetForegroundWindow();
        // Bounded: a hung player must not freeze the host, whose thread this is.
        const bool answered = os::SendMessageTimeout(player, os::WmCommand, command, 0, os::SmtoAbortIfHung,
                                                     commandSendTimeout, nullptr);
        GiveForegroundBack(foreground);
        return answered;
    });
}

CommandResult SendPlayerMessage(os::Window player, uintptr_t wParam, intptr_t lParam) {
    return SendBounded(player, [=] {
        return os::SendMessageTimeout(player, os::WmUser, wParam, lParam, os::SmtoAbortIfHung, commandSendTimeout,
                                      nullptr);
    });
}

CommandResult SendPlayerPath(os::Window player, const char* path, uint32_t size) {
    return SendBounded(player, [=] {
        return os::SendCopyData(player, playlistMessage::appendPathData, path, size, os::SmtoAbortIfHung,
                                commandSendTimeout, nullptr);
    });
}

}  // namespace quaver
