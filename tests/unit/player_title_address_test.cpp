// The address of a title as the player hands it over: the player's own pointer, of the player's width, which
// need not be the module's.
#include <gtest/gtest.h>

#include "player/player_address.h"

using quaver::TitleAddressOf;

namespace {

TEST(TitleAddress, IsThePlayersPointerReadAtThePlayersWidthAndNeverAnotherEntrysText) {
    struct Case {
        int64_t answer;
        int playerBits, moduleBits;
        bool readable;
        uint64_t address;
    };
    constexpr int64_t signExtended = static_cast<int64_t>(0xFFFFFFFF80001000u);  // 0x80001000 from a 32-bit window
    constexpr int64_t above4GiB = 0x7FF612340000;
    const Case cases[] = {
        {0, 32, 64, false, 0},  // the player's error, at every width
        {0, 64, 64, false, 0},
        {0, 0, 32, false, 0},
        // A 32-bit player: its low 32 bits, zero-extended, whatever the module's width.
        {signExtended, 32, 64, true, 0x80001000},
        {signExtended, 32, 32, true, 0x80001000},
        {0x00401000, 32, 64, true, 0x00401000},
        // A 64-bit player: as it is for a 64-bit module; a 32-bit module saw only its low half.
        {above4GiB, 64, 64, true, 0x7FF612340000},
        {0x00401000, 64, 32, false, 0},
        {signExtended, 64, 32, false, 0},
        // Width unknown: only a 32-bit process's address comes sign-extended into a 64-bit module.
        {signExtended, 0, 64, true, 0x80001000},
        {above4GiB, 0, 64, true, 0x7FF612340000},
        {signExtended, 0, 32, true, 0x80001000},
    };
    for (const Case& c : cases) {
        uint64_t address = 1;
        EXPECT_EQ(TitleAddressOf(c.answer, c.playerBits, c.moduleBits, address), c.readable)
            << std::hex << c.answer << " from " << std::dec << c.playerBits << " to " << c.moduleBits;
        EXPECT_EQ(address, c.address) << std::hex << c.answer;
    }
}

}  // namespace
