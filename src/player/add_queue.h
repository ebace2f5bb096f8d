// Files on their way to the player's playlist: sent one at a time, in the panel's order, by the host's thread for
// at most a second and then by the AddThread, so that a player slow to take them never holds the host.
#pragma once

#include <atomic>
#include <cstdint>

#include "os/os.h"
#include "player/panel_paths.h"
#include "player/player.h"

namespace quaver {

namespace addState {
constexpr uint32_t Idle = 0;
constexpr uint32_t Adding = 1;   // files are being sent
constexpr uint32_t Done = 2;     // every file was sent
constexpr uint32_t Stopped = 3;  // the user stopped it
constexpr uint32_t Failed = 4;   // the player went away, or stopped answering for good
}  // namespace addState

// One add. The host's thread fills paths, count, player and playFirst while no add is under way, then starts
// the sending; from then on only the sender (the host's thread for its first second, then the AddThread) moves
// `sent` and `state` on. The host's thread reads them (the panel's RefreshThread too, for the title line) and
// may set stopAsked; the atomics carry all of it, released by the sender, acquired by the readers.
struct AddQueue {
#if QUAVER_WIDE
    // Every path in UTF-16, each followed by its terminator, path i from pathStart[i]: one long path does not
    // take the room of many short ones.
    wchar_t pathText[maxAddedItems * pathCapacity];
    int32_t pathStart[maxAddedItems];
    // Paths the player took neither as UTF-16 nor, for lack of a character, in the ANSI code page: how many, and
    // the first of them, until they are told.
    std::atomic<int32_t> notTaken{0};
    std::atomic<int32_t> firstNotTaken{0};
#else
    char paths[maxAddedItems][pathCapacity];  // ANSI code page, as the player takes them
#endif
    std::atomic<int32_t> count{0};
    os::Window player;
    bool playFirst;  // the player was stopped: once every file is in, it plays the first of them
    std::atomic<int32_t> sent{0};
    std::atomic<uint32_t> state{addState::Idle};
    std::atomic<bool> stopAsked{false};
    std::atomic<uint32_t> endedTick{0};
    bool endReported;  // host's thread: a stopped or failed add has been reported
};
extern AddQueue addQueue;

constexpr uint32_t addHostBudget = 800;       // ms the host's thread spends sending before the AddThread takes over
constexpr uint32_t addSendTimeout = 5000;     // ms the AddThread gives one append
constexpr uint32_t addGiveUpAfter = 30000;    // ms the AddThread waits for a player that stopped answering
constexpr uint32_t addRetryPause = 100;       // ms between its questions to such a player

bool AddUnderWay();
// Sends the queued files (count of them in paths): Sent when the player had them all within the host's
// budget, Adding when the AddThread goes on with the rest, Unanswered when not even the first one could be
// sent.
CommandResult StartAdding(os::Window player, bool playFirst);
uint32_t OSAPI AddThread(void* unused);

// What an add shows: the files sent so far and of how many, and whether it is still under way.
struct AddProgress {
    uint32_t state;
    int32_t sent;
    int32_t count;
    uint32_t endedTick;
};
AddProgress ReadAddProgress();

// Path i of the queue to the player: from the host's thread refused and bounded as its commands are, from the
// AddThread with the longer addSendTimeout (a path the player did not answer for is noted unanswered).
CommandResult SendQueuedPath(os::Window player, int32_t i);
void SendQueuedPathFromThread(os::Window player, int32_t i);
// Paths of this add that reached the player as no entry (the wide build's paths it could not be given).
int32_t PathsNotTaken();

}  // namespace quaver
