// Addresses the player hands over in its answers: pointers of its own process, of its own width.
#pragma once

#include <cstdint>

namespace quaver {

// The address of a title (the answer to message 212) as this module may read it, given the width of the
// player's process (32, 64, or 0 when the system could not tell) and the module's own. A 32-bit player's
// address is its low 32 bits, zero-extended: a 64-bit module receives a 32-bit window procedure's answer
// sign-extended. A 32-bit module receives only the low half of a 64-bit player's answer and cannot know
// whether it fitted, so such an answer is unreadable rather than perhaps another entry's text. False for 0
// (the player's error) and for an unreadable answer.
bool TitleAddressOf(int64_t answer, int playerBits, int moduleBits, uint64_t& address);

}  // namespace quaver
