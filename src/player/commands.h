// The player's message interface: every command and query number in one place.
#pragma once

#include <cstdint>

namespace quaver {

inline constexpr const char playerClassName[] = "Winamp v1.x";
inline constexpr const char playerName[] = "Winamp";

namespace command {
constexpr uint32_t Previous = 40044;
constexpr uint32_t Play = 40045;
constexpr uint32_t Pause = 40046;
constexpr uint32_t Stop = 40047;
constexpr uint32_t Next = 40048;
constexpr uint32_t Open = 40145;
constexpr uint32_t Rewind = 40061;
constexpr uint32_t FastForward = 40060;
constexpr uint32_t VolumeUp = 40058;
constexpr uint32_t VolumeDown = 40059;
constexpr uint32_t ToggleShuffle = 40023;
constexpr uint32_t ToggleRepeat = 40022;
constexpr uint32_t AltE = 40040;
constexpr uint32_t Alt3 = 40188;
constexpr bool IsVolume(uint32_t code) { return code == VolumeUp || code == VolumeDown; }
}  // namespace command

// WM_USER queries: (first parameter, second parameter).
struct Query {
    uintptr_t wParam;
    intptr_t lParam;
};
namespace query {
constexpr Query PlayingState{0, 104};
constexpr Query ListPosition{0, 125};
constexpr Query SampleRate{0, 126};
constexpr Query BitRate{1, 126};
constexpr Query Channels{2, 126};
constexpr Query TrackLength{1, 105};
constexpr Query Position{0, 105};
constexpr Query Shuffle{0, 250};
constexpr Query Repeat{0, 251};
constexpr Query Version{0, 0};
constexpr Query PlaylistLength{0, 124};
}  // namespace query

// WM_USER messages whose first parameter carries a value.
namespace playlistMessage {
constexpr intptr_t TitleAddress = 212;  // entry index -> address of its title in the player's process; 0 on error
constexpr intptr_t WideTitleAddress = 213;  // the same for its UTF-16 title; 0 from a player that keeps none
constexpr intptr_t SetPosition = 121;   // entry index (from 0) becomes the current one
constexpr intptr_t Seek = 106;          // milliseconds -> seekDone, seekNotPlaying, seekPastEnd
constexpr intptr_t seekDone = 0, seekNotPlaying = -1, seekPastEnd = 1;
constexpr intptr_t Volume = 122;        // 0-255 sets the volume ...
constexpr intptr_t askVolume = -666;    // ... this asks for it instead
constexpr uintptr_t appendPathData = 100;  // WM_COPYDATA's dwData: append the file or folder named (ANSI)
constexpr uintptr_t appendWidePathData = 1100;  // the same, named in UTF-16
}  // namespace playlistMessage

namespace playingState {
constexpr int32_t Stopped = 0, Playing = 1, Paused = 3;
}

}  // namespace quaver
