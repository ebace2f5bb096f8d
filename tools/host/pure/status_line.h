// quaver-host --status: the player's state as one line of text, by a format with {field} names.
#pragma once

#include <cstdint>
#include <string>

namespace host {

// What the panel's refresh pass learnt, and the two answers --status asks besides.
struct PlayerStatus {
    int32_t playing;   // 1 playing, 3 paused, else stopped
    int32_t listPosition;  // from 0; negative: none
    int32_t tracks;
    int32_t positionMs;
    int32_t lengthSeconds;
    std::string title;
    int32_t volume;  // 0-255
    int32_t bitRate;
    int32_t sampleRate;
    std::string channels;  // "mono", "stereo" or empty
    int32_t shuffle;
    int32_t repeat;
};

// {state} playing, paused or stopped; {track} and {tracks} counted from 1; {position} and {length} as M:SS;
// {title}; {volume} in percent; {bitrate} kbps and {samplerate} kHz as numbers; {channels}; {shuffle} and
// {repeat} on or off. {{ and }} are a brace each. Anything else, unknown names included, is printed as it
// stands.
std::string FormatStatus(const std::string& format, const PlayerStatus& status);

}  // namespace host
