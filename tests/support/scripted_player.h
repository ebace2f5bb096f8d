// A player window for native tests and benchmarks that answers the refresh pass's queries and the title
// query from a record the test changes between passes, or that a script changes part way through a pass.
#pragma once

#include <cstdint>
#include <string>

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

}  // namespace fake
