// The wide build's paths to the player: UTF-16 by WM_COPYDATA 1100; to a player that does not take that, the
// ANSI path by WM_COPYDATA 100 when every character converts, else a path not taken, told by name.
#include <cstring>

#include "host/host.h"
#include "player/add_queue.h"
#include "player/commands.h"
#include "player/panel_files.h"
#include "player/wide/append_rule.h"

namespace quaver {

namespace {

constexpr uint32_t refusalBeep = 0x40;
constexpr int shownPathLength = 80;  // the end of a longer path is shown: its file's name

const wchar_t* PathOf(int32_t i) { return addQueue.pathText + addQueue.pathStart[i]; }

int32_t PathLength(int32_t i) { return HostTextLength(PathOf(i), maxPathLength); }

enum class Appended { Taken, Unanswered, NotTaken };

Appended Append(os::Window player, int32_t i, uint32_t timeout) {
    const int32_t length = PathLength(i);
    intptr_t answer = 0;
    if (!os::SendCopyData(player, playlistMessage::appendWidePathData, PathOf(i),
                          static_cast<uint32_t>(length + 1) * sizeof(wchar_t), os::SmtoAbortIfHung, timeout, &answer))
        return Appended::Unanswered;
    char ansi[pathCapacity];
    bool exact = false;
    const int bytes = answer != 0 ? 0 : os::WideToAnsi(PathOf(i), length, ansi, pathCapacity - 1, &exact);
    switch (AfterWideAppend(answer, bytes, exact, pathCapacity)) {
    case AfterWidePath::Taken: return Appended::Taken;
    case AfterWidePath::NotTaken: return Appended::NotTaken;
    case AfterWidePath::SendAnsi: break;
    }
    ansi[bytes] = '\0';
    return os::SendCopyData(player, playlistMessage::appendPathData, ansi, static_cast<uint32_t>(bytes) + 1,
                            os::SmtoAbortIfHung, timeout, nullptr)
               ? Appended::Taken
               : Appended::Unanswered;
}

void NoteNotTaken(int32_t i) {
    if (addQueue.notTaken.fetch_add(1, std::memory_order_relaxed) == 0)
        addQueue.firstNotTaken.store(i, std::memory_order_relaxed);
}

}  // namespace

CommandResult SendQueuedPath(os::Window player, int32_t i) {
    if (!ReadyForCommand(player, commandProbeTimeout, commandProbeInterval)) {
        os::MessageBeep(refusalBeep);
        return CommandResult::Refused;
    }
    switch (Append(player, i, commandSendTimeout)) {
    case Appended::Taken: return CommandResult::Sent;
    case Appended::NotTaken: NoteNotTaken(i); return CommandResult::Sent;  // the next file goes on
    case Appended::Unanswered: break;
    }
    NoteUnanswered(player);
    return CommandResult::Unanswered;
}

void SendQueuedPathFromThread(os::Window player, int32_t i) {
    switch (Append(player, i, addSendTimeout)) {
    case Appended::Taken: return;
    case Appended::NotTaken: NoteNotTaken(i); return;
    case Appended::Unanswered: NoteUnanswered(player); return;
    }
}

int32_t PathsNotTaken() { return addQueue.notTaken.load(std::memory_order_relaxed); }

void ReportPathsNotTaken() {
    if (AddUnderWay()) return;  // the AddThread may still note some: told once it has ended
    const int32_t count = addQueue.notTaken.exchange(0, std::memory_order_relaxed);
    if (count <= 0) return;
    const int32_t first = addQueue.firstNotTaken.load(std::memory_order_relaxed);
    const int32_t length = PathLength(first);
    const int32_t shown = length < shownPathLength ? length : shownPathLength;
    wchar_t line[160 + shownPathLength + 32];
    if (count == 1)
        FormatHostText(line, L"%.*ls \"%.*ls\"", 160, GetLangString(message::PathNotTaken), shown,
                       PathOf(first) + length - shown);
    else
        FormatHostText(line, L"%.*ls \"%.*ls\" +%d", 160, GetLangString(message::PathNotTaken), shown,
                       PathOf(first) + length - shown, count - 1);
    ShowErrorText(line);
}

}  // namespace quaver
