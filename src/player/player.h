// The player link: finding, starting and commanding the player, and the RepeatThread.
#pragma once

#include <atomic>
#include <cstdint>

#include "os/os.h"

namespace quaver {

extern std::atomic<uint32_t> heldCommand;       // re-sent by the RepeatThread; 0 = none
extern std::atomic<uint32_t> volumeChangeTick;  // tick of the last volume command; 0 = none

os::Window FindPlayer();
os::Window FindOrStartPlayer(bool allowStart);

enum class CommandResult {
    Sent,         // the player took it
    Unanswered,   // sent, but the player did not answer within commandSendTimeout
    NoPlayer,     // nothing sent (beeped)
    StartFailed,  // a start was tried and no player came: nothing sent (beeped)
};
// startAllowed false keeps a player that is absent from being started for this command, whatever the
// settings say.
CommandResult SendPlayerCommand(uint32_t command, bool startAllowed = true);
uint32_t OSAPI RepeatThread(void* stopEvent);

// One turn of the RepeatThread once the display is active: re-sends heldCommand when there is one (or drops it
// when the player is gone) and returns the pause, in ms, that keeps the 50 ms rhythm.
uint32_t RepeatHeldCommand();
// Every opening of the panel repeats afresh: no player is the target yet, none owes an answer.
void ForgetRepeatTarget();

constexpr uint32_t repeatPeriod = 50;       // ms between re-sends of a held command
constexpr uint32_t repeatSendTimeout = 45;  // ms a re-send may take before it is given up
// ms the RepeatThread waits for a player whose re-send went unanswered to answer a question again; short
// enough that closing the panel never waits long for the thread.
constexpr uint32_t repeatProbeTimeout = 250;
// ms a command from the host's thread may take before it is given up: Esc must still close the panel
// within a second of a command to a hung player.
constexpr uint32_t commandSendTimeout = 300;
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

}  // namespace quaver
