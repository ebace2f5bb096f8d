// The player link: finding, starting and commanding the player, and the RepeatThread.
#pragma once

#include <atomic>
#include <cstdint>

#include "os/os.h"

namespace quaver {

// The player link's state. The atomics are what the threads share without drawingLock; the rest belongs to one
// thread each.
struct PlayerLink {
    // The command the RepeatThread re-sends; 0 = none. Set and cleared by the widgets on the host's thread
    // (HoldCommand, DropHeldCommand), dropped by the RepeatThread when its player is gone.
    std::atomic<uint32_t> heldCommand{0};
    // Tick of the press that set heldCommand: the first re-send comes a whole repeatPeriod after it. Written
    // before heldCommand, so a thread that sees the command sees its press.
    std::atomic<uint32_t> heldSince{0};
    // Tick of the last volume command; 0 = none. Stamped by the host's thread and the RepeatThread at each
    // volume command, cleared by the RefreshThread once the volume has been shown for its second.
    std::atomic<uint32_t> volumeChangeTick{0};
    // Host's thread only: one start at a time; nothing the host does while the notice is up may start another.
    bool startUnderWay;
    // RepeatThread only. The player a held command is being repeated to: another window in its place means
    // that player went away, even when this thread did not look while it was gone (a send to a dying window
    // may outlast its exit), and a new player must not receive a press meant for the old one.
    os::Window repeatTarget;
};
extern PlayerLink playerLink;

// The one player that owes an answer: a command to it went unanswered, from whichever thread, so it may still
// have that command queued, and it is sent nothing more until it answers a quick question. Every thread that
// sends the player commands (the host's thread, the RepeatThread, the AddThread; the TitleThread asks nothing of
// such a player) goes through ReadyForCommand and NoteUnanswered alone, without a lock: the window and the tick
// of the next question are single atomics, and a thread that wants to ask claims that tick first, so that one
// question is asked at a time. An answered question, or another window found in the player's place, forgets it.
struct OwedAnswer {
    std::atomic<os::Window> player{nullptr};
    std::atomic<uint32_t> nextProbe{0};  // no question before this tick
};
extern OwedAnswer owedAnswer;

// True when a command may go to player now: no window owes an answer, another one does (it is forgotten), or
// this one answers a question within probeTimeout ms. The thread that asks keeps every thread from asking again
// for probeInterval ms; meanwhile they are refused. The host's thread asks at most every commandProbeInterval,
// so that keys queued behind a player that stopped answering cost it next to nothing; the RepeatThread asks on
// every turn, its own rhythm being its interval.
bool ReadyForCommand(os::Window player, uint32_t probeTimeout, uint32_t probeInterval);
// A command to player went unanswered: it owes one from now on, and may be asked at once.
void NoteUnanswered(os::Window player);
// Every entry (a panel opening, a command line) starts with no player owing an answer, unless an add is still
// sending.
void ForgetOwedAnswer();

// The widgets' side of the held command: a press holds it from now, a release or a drag-off drops it.
void HoldCommand(uint32_t command);
void DropHeldCommand();

os::Window FindPlayer();
os::Window FindOrStartPlayer(bool allowStart);

enum class CommandResult {
    Sent,         // the player took it
    Unanswered,   // sent, but the player did not answer within commandSendTimeout
    NoPlayer,     // nothing sent (beeped)
    StartFailed,  // a start was tried and no player came: nothing sent (beeped)
    Refused,      // nothing sent: the player has not answered since a command went unanswered (beeped), or
                  // the word could not be carried out at all (its error box said why)
    NotTaken,     // the player answered that it cannot do it (the error box said why)
    Adding,       // files are still on their way to the player (add)
};
// startAllowed false keeps a player that is absent from being started for this command, whatever the
// settings say.
CommandResult SendPlayerCommand(uint32_t command, bool startAllowed = true);
// The playlist's orders to a player at hand, bounded and refused as commands are: a WM_USER message with its
// value (the player's answer in *answer when it answered), and a path (ANSI, size bytes with its terminator)
// to append by WM_COPYDATA.
CommandResult SendPlayerMessage(os::Window player, uintptr_t wParam, intptr_t lParam, intptr_t* answer = nullptr);
CommandResult SendPlayerPath(os::Window player, const char* path, uint32_t size);
uint32_t OSAPI RepeatThread(void* stopEvent);
// True when the player answers a question within timeout ms.
bool PlayerAnswers(os::Window player, uint32_t timeout);

// One turn of the RepeatThread once the display is active: re-sends heldCommand when there is one and its
// press is a whole period old (or drops it when the player is gone), and returns the pause, in ms, until the
// next turn: what keeps the 50 ms rhythm, or what is left of the first period after a press.
uint32_t RepeatHeldCommand();
// Every opening of the panel repeats afresh: no player is the target yet.
void ForgetRepeatTarget();

constexpr uint32_t repeatPeriod = 50;       // ms between re-sends of a held command
constexpr uint32_t repeatSendTimeout = 45;  // ms a re-send may take before it is given up
// ms the RepeatThread waits for a player that owes an answer to answer a question again; short enough that
// closing the panel never waits long for the thread.
constexpr uint32_t repeatProbeTimeout = 250;
// ms a command from the host's thread may take before it is given up: Esc must still close the panel
// within a second of a command to a hung player.
constexpr uint32_t commandSendTimeout = 300;
constexpr uint32_t commandProbeTimeout = 50;    // ms the host's thread waits for such a player's answer
constexpr uint32_t commandProbeInterval = 500;  // ms between two questions to a player that owes an answer
constexpr int startWaitCount = 28;          // looks for a started player's window ...
constexpr uint32_t startWaitPeriod = 250;   // ... this many ms apart
constexpr int startCommandCapacity = 261;   // 260 characters and a terminator
inline constexpr const char startCommandKey[] = "Winamp.File\\shell\\open\\command";

// Where a registered open command is cut: right after its last ".EXE" (the dot exactly, the letters in either
// case), one further when the text begins with a double quote so that the closing quote stays. Without ".EXE"
// the first 4 characters stay (5 when quoted). Never beyond length.
int ProgramFileEnd(const char* text, int length);

// Cuts a registered open command right after its program file and makes the result safe to hand to
// CreateProcessA: an unquoted path with blanks is put in double quotes, or, when the quotes do not fit, the
// command is emptied rather than left to start "C:\Program.exe". buffer holds a text of at most capacity - 1
// characters (terminated there when it is not earlier) and is rewritten in place.
void CutStartCommand(char* buffer, int capacity);

// Copies the fallback command line (message 24) into buffer: at most capacity - 1 characters, the rest of the
// buffer zero, so the line is always terminated.
void CopyFallbackCommand(const char* text, char* buffer, int capacity);
// The wide build's message 24: the same, the UTF-16 text in the ANSI code page that starting a program takes.
void CopyFallbackCommand(const wchar_t* text, char* buffer, int capacity);

}  // namespace quaver
