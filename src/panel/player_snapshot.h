// What one refresh pass asks the player, in the pass's order: the panel draws it, and quaver-host's
// --status prints it.
#pragma once

#include <cstdint>

#include "panel/player_queries.h"
#include "panel/title_line.h"

namespace quaver {

// Everything one pass learns from the player. Asked without drawingLock, then drawn under it in one go.
struct PlayerSnapshot {
    bool remaining;  // settings.timeFormat when asked: the track length was asked, the clock counts down
    int32_t playing;
    int32_t listPosition;
    int32_t sampleRate;
    int32_t bitRate;
    int32_t channels;
    int32_t trackLength;
    int32_t position;
    bool indicatorsAsked;
    int32_t shuffle;
    int32_t repeat;
    bool versionAsked;
    int32_t version;
    TitleAnswer title;
};

// Asks every question of the pass in order: the track length only when remaining, the indicators and the
// version as the settings show them. False when the player stopped answering part way.
bool AskPlayer(PlayerQueries& player, bool remaining, PlayerSnapshot& snapshot);

}  // namespace quaver
