#include "player/add_queue.h"

#include <cstring>

#include "player/commands.h"

namespace quaver {

AddQueue addQueue;

namespace {

constexpr uint32_t addThreadStackSize = 0x4000;

// One order to the player from whichever thread sends the add: bounded, and nothing at all to a player that
// still owes an answer.
bool SendOrder(os::Window player, uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t* answer) {
    if (!ReadyForCommand(player, commandProbeTimeout, commandProbeInterval)) return false;
    if (os::SendMessageTimeout(player, message, wParam, lParam, os::SmtoAbortIfHung, commandSendTimeout, answer))
        return true;
    NoteUnanswered(player);
    return false;
}

// Every file is in: a player that was stopped plays the first of them, found from the list's length now.
void Finish() {
    const int32_t added = addQueue.sent.load(std::memory_order_relaxed) - PathsNotTaken();
    const os::Window player = addQueue.player;
    intptr_t length = 0;
    if (addQueue.playFirst && added > 0 &&
        SendOrder(player, os::WmUser, query::PlaylistLength.wParam, query::PlaylistLength.lParam, &length) &&
        length >= added &&
        SendOrder(player, os::WmUser, static_cast<uintptr_t>(length - added), playlistMessage::SetPosition, nullptr))
        SendOrder(player, os::WmCommand, command::Play, 0, nullptr);
    addQueue.endedTick.store(os::GetTickCount(), std::memory_order_relaxed);
    addQueue.state.store(addState::Done, std::memory_order_release);
}

void End(uint32_t state) {
    addQueue.endedTick.store(os::GetTickCount(), std::memory_order_relaxed);
    addQueue.state.store(state, std::memory_order_release);
}

// The AddThread's sending: one file at a time, each after the player took the one before or answered a
// question since; a file the player did not answer in time is counted as sent, as it will take it yet.
bool SendRest() {
    uint32_t waitingSince = 0;
    bool waiting = false;
    while (addQueue.sent.load(std::memory_order_relaxed) < addQueue.count.load(std::memory_order_relaxed)) {
        if (addQueue.stopAsked.load(std::memory_order_relaxed)) {
            End(addState::Stopped);
            return false;
        }
        const os::Window player = addQueue.player;
        if (FindPlayer() != player) {
            End(addState::Failed);
            return false;
        }
        if (!ReadyForCommand(player, repeatProbeTimeout, addRetryPause)) {
            if (!waiting) waitingSince = os::GetTickCount();
            waiting = true;
            if (os::GetTickCount() - waitingSince >= addGiveUpAfter) {
                End(addState::Failed);
                return false;
            }
            os::Sleep(addRetryPause);
            continue;
        }
        waiting = false;
        const int32_t i = addQueue.sent.load(std::memory_order_relaxed);
        SendQueuedPathFromThread(player, i);
        addQueue.sent.store(i + 1, std::memory_order_release);
    }
    return true;
}

}  // namespace

bool AddUnderWay() { return addQueue.state.load(std::memory_order_acquire) == addState::Adding; }

AddProgress ReadAddProgress() {
    AddProgress progress;
    progress.state = addQueue.state.load(std::memory_order_acquire);
    progress.sent = addQueue.sent.load(std::memory_order_acquire);
    progress.count = addQueue.count.load(std::memory_order_relaxed);
    progress.endedTick = addQueue.endedTick.load(std::memory_order_relaxed);
    return progress;
}

CommandResult StartAdding(os::Window player, bool playFirst) {
    addQueue.player = player;
    addQueue.playFirst = playFirst;
    addQueue.sent.store(0, std::memory_order_relaxed);
    addQueue.stopAsked.store(false, std::memory_order_relaxed);
    addQueue.endReported = false;
    addQueue.state.store(addState::Adding, std::memory_order_release);

    const int32_t count = addQueue.count.load(std::memory_order_relaxed);
    const uint32_t started = os::GetTickCount();
    int32_t sent = 0;
    CommandResult first = CommandResult::Sent;
    while (sent < count && os::GetTickCount() - started < addHostBudget) {
        const CommandResult result = SendQueuedPath(player, sent);
        if (sent == 0) first = result;
        if (result == CommandResult::Sent || result == CommandResult::Unanswered) addQueue.sent.store(++sent);
        if (result != CommandResult::Sent) break;  // a slow player: the AddThread waits for it
    }
    if (sent == 0) {
        End(addState::Failed);
        return first;
    }
    if (sent < count && os::HoldModule()) {
        if (os::Handle thread = os::CreateThread(AddThread, nullptr, addThreadStackSize)) {
            os::CloseHandle(thread);  // it ends by itself
            return CommandResult::Adding;
        }
        os::ReleaseModule();
    }
    // No thread: the rest is sent here after all.
    if (SendRest()) Finish();
    return addQueue.state.load(std::memory_order_relaxed) == addState::Done ? CommandResult::Sent
                                                                            : CommandResult::Unanswered;
}

uint32_t OSAPI AddThread(void*) {
    if (SendRest()) Finish();
    os::EndThreadReleasingModule();
    return 0;
}

}  // namespace quaver
