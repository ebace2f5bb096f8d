// The player's message interface: every command and query number in one place.
#pragma once

#include <cstdint>

namespace quaver {

inline constexpr const char playerClassName[] = "Winamp v1.x";

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
}  // namespace query

}  // namespace quaver
