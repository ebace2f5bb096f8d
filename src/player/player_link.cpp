// Finding, starting and commanding the player. Its window is never kept: every use looks it up afresh, so a
// player closed or restarted in between needs no bookkeeping.
#include "host/host.h"
#include "host/screen.h"
#include "host/settings.h"
#include "player/add_queue.h"
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
    void* screen = SaveWholeScreen();
    const os::Window foreground = os::GetForegroundWindow();

    // No buttons: the host draws the box and returns at once; it stays until the screen is restored.
    const HostChar* const notice[2] = {hostText::none, GetLangString(message::PlayerStarting)};
    ShowHostMessage(messageBox::Plain, notice, 2, 0);

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
    DropHeldCommand();
    RestoreWholeScreen(screen);
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

}  // namespace

bool PlayerAnswers(os::Window player, uint32_t timeout) {
    intptr_t state = 0;
    return os::SendMessageTimeout(player, os::WmUser, query::PlayingState.wParam, query::PlayingState.lParam,
                                  os::SmtoAbortIfHung, timeout, &state);
}

OwedAnswer owedAnswer;

bool ReadyForCommand(os::Window player, uint32_t probeTimeout, uint32_t probeInterval) {
    os::Window owing = owedAnswer.player.load(std::memory_order_relaxed);
    if (owing != player) {
        // Another window in the player's place owes nothing: the one that did is gone.
        if (owing) owedAnswer.player.compare_exchange_strong(owing, nullptr, std::memory_order_relaxed);
        return true;
    }
    // The question is claimed by the first thread to come; its interval keeps the others from asking meanwhile.
    const uint32_t now = os::GetTickCount();
    uint32_t probe = owedAnswer.nextProbe.load(std::memory_order_relaxed);
    if (static_cast<int32_t>(now - probe) < 0) return false;
    if (!owedAnswer.nextProbe.compare_exchange_strong(probe, now + probeInterval, std::memory_order_relaxed))
        return false;
    if (!PlayerAnswers(player, probeTimeout)) return false;
    owing = player;
    owedAnswer.player.compare_exchange_strong(owing, nullptr, std::memory_order_relaxed);
    return true;
}

void NoteUnanswered(os::Window player) {
    owedAnswer.nextProbe.store(os::GetTickCount(), std::memory_order_relaxed);
    owedAnswer.player.store(player, std::memory_order_relaxed);
}

void ForgetOwedAnswer() {
    // An add still sending goes by what it noted: its next file waits for the player's answer.
    if (AddUnderWay()) return;
    owedAnswer.player.store(nullptr, std::memory_order_relaxed);
}

os::Window FindPlayer() { return os::FindWindow(playerClassName); }

os::Window FindOrStartPlayer(bool allowStart) {
    bool attempted = false;
    return FindOrStart(allowStart, attempted);
}

namespace {

// Every order from the host's thread: refused to a player that still owes an answer, bounded, and remembered
// when it goes unanswered. send gives true when the player answered.
template <typename Send>
CommandResult SendBounded(os::Window player, Send send) {
    if (!ReadyForCommand(player, commandProbeTimeout, commandProbeInterval)) {
        os::MessageBeep(informationBeep);
        return CommandResult::Refused;
    }
    if (send()) return CommandResult::Sent;
    NoteUnanswered(player);
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

CommandResult SendPlayerMessage(os::Window player, uintptr_t wParam, intptr_t lParam, intptr_t* answer) {
    return SendBounded(player, [=] {
        return os::SendMessageTimeout(player, os::WmUser, wParam, lParam, os::SmtoAbortIfHung, commandSendTimeout,
                                      answer);
    });
}

CommandResult SendPlayerPath(os::Window player, const char* path, uint32_t size) {
    return SendBounded(player, [=] {
        return os::SendCopyData(player, playlistMessage::appendPathData, path, size, os::SmtoAbortIfHung,
                                commandSendTimeout, nullptr);
    });
}

}  // namespace quaver
