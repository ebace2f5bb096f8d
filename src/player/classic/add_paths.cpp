// The classic build's paths to the player: ANSI, appended by WM_COPYDATA 100.
#include <cstring>

#include "player/add_queue.h"
#include "player/commands.h"

namespace quaver {

namespace {
uint32_t PathSize(int32_t i) { return static_cast<uint32_t>(strnlen(addQueue.paths[i], pathCapacity - 1)) + 1; }
}  // namespace

CommandResult SendQueuedPath(os::Window player, int32_t i) { return SendPlayerPath(player, addQueue.paths[i], PathSize(i)); }

void SendQueuedPathFromThread(os::Window player, int32_t i) {
    if (!os::SendCopyData(player, playlistMessage::appendPathData, addQueue.paths[i], PathSize(i), os::SmtoAbortIfHung,
                          addSendTimeout, nullptr))
        NoteUnanswered(player);
}

int32_t PathsNotTaken() { return 0; }  // an ANSI path is taken, or unanswered and taken yet

}  // namespace quaver
