// How the wide build hands a path to a player that may take only ANSI paths.
#pragma once

#include <cstdint>

namespace quaver {

// After the player answered a UTF-16 path (WM_COPYDATA 1100) with `answer`: a player that took it answers
// non-zero, and gets nothing more for it. One that did not gets the path in the ANSI code page (WM_COPYDATA
// 100) only when it converted exactly (ansiBytes of it, every character there) and fits the player's ANSI paths
// of capacity bytes with their terminator; otherwise the path is not taken, and the user is told which.
enum class AfterWidePath { Taken, SendAnsi, NotTaken };
AfterWidePath AfterWideAppend(intptr_t answer, int ansiBytes, bool exact, int capacity);

}  // namespace quaver
