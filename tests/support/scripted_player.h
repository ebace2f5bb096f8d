// A player window for native tests and benchmarks that answers the refresh pass's queries and the title
// query from a record the test changes between passes, or that a script changes part way through a pass.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fake {

struct PlayerAnswers {
    int32_t playing = 1;  // playing
    int32_t listPosition = 6;
    int32_t sampleRate = 22;
    int32_t bitRate = 64;
    int32_t channels = 1;
    int32_t trackLength = 300;
    int32_t position = 225000;  // 3:45
    int32_t shuffle = 1;
    int32_t repeat = 0;
    int32_t version = 0x2091;
    std::string windowTitle = "7. Artist - Song - Winamp";
    // The playlist's length (124); entry i's title lies at TitleAddress(i) in the player's memory, where
    // PlaceTitles puts it.
    int32_t playlistLength = 0;
    int32_t titleMissing = -1;  // 212 answers 0 for this entry
    // When not empty: a player that makes each title on demand in one buffer, at TitleAddress(0), and answers
    // every 212 with that address.
    std::vector<std::string> titlesOnDemand;
    uint32_t msPerTitle = 0;    // each 212 moves the manual clock on by this much
    uint32_t msPerAppend = 0;   // each WM_COPYDATA takes the player this long (and lengthens the list)
    int32_t volume = 200;  // 122 with -666
    // The answer to WM_GETTEXT, when not the number of characters really copied.
    bool claimTitleLength = false;
    intptr_t claimedTitleLength = 0;
    // Fill the whole buffer the player is told of, without a terminator.
    bool titleUnterminated = false;
    // Answer this many messages (at least 1), then hang; -1: never. World::playerHung hangs at once.
    int hangAfter = -1;
    // Answer this many messages from this record, then every later one from *changed (a player whose state
    // changes part way through a pass); -1: never.
    int changeAfter = -1;
    const PlayerAnswers* changed = nullptr;
    int answered = 0;
};

// Shows the player window; answers must outlive it (RemovePlayer or fake::Reset).
void ShowScriptedPlayer(PlayerAnswers* answers);

// 200 bytes into a page for entry 0, 56 bytes before the end of one for entry 15.
constexpr uintptr_t TitleAddress(int index) { return 0x100000 + static_cast<uintptr_t>(index) * 256 + 200; }
// The titles (ANSI) into the player's memory, entry first + i at TitleAddress(first + i), in whole pages from
// the start of the first one's (readable past each terminator, as real memory is).
void PlaceTitles(const std::vector<std::string>& titles, int first = 0);

}  // namespace fake
