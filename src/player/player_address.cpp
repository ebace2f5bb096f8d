#include "player/player_address.h"

namespace quaver {

namespace {

constexpr uint64_t low32 = 0xFFFFFFFFu;

// Where no 64-bit process has user memory: a 32-bit address that came sign-extended.
bool SignExtended32(int64_t answer) { return (static_cast<uint64_t>(answer) >> 32) == low32; }

}  // namespace

bool TitleAddressOf(int64_t answer, int playerBits, int moduleBits, uint64_t& address) {
    address = 0;
    if (answer == 0) return false;
    const bool narrowPlayer =
        playerBits == 32 || (playerBits != 64 && (moduleBits == 32 || SignExtended32(answer)));
    if (narrowPlayer)
        address = static_cast<uint64_t>(answer) & low32;
    else if (moduleBits == 64)
        address = static_cast<uint64_t>(answer);
    return address != 0;
}

}  // namespace quaver
