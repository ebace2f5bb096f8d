// What the stand-in player pretends to do: a playlist position, a playing state and a clock that runs in
// real time while playing. Time comes in as a tick count so the rules stay free of the system.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "playlist.h"

namespace standin {

enum class State { Stopped = 0, Playing = 1, Paused = 3 };

class Playback {
public:
    Playback(std::vector<Track> tracks, uint32_t now);

    // Acts on a player command (WM_COMMAND). False for a number the player does not know.
    bool Command(uint32_t command, uint32_t now);
    // The answer to a WM_USER query, 0 for a query the player does not know.
    int32_t Answer(uintptr_t wParam, intptr_t lParam, uint32_t now);
    // The playlist's own messages (WM_USER) but its texts: the answer to 121 (make current), 106 (seek), 122
    // (volume); handled is false for any other.
    intptr_t PlaylistAnswer(uintptr_t wParam, intptr_t lParam, uint32_t now, bool& handled);
    // WM_COPYDATA 100 and 1100: a file or folder appended (AppendedTrack).
    void Append(Track track) { tracks_.push_back(std::move(track)); }
    // Moves the clock on; true when the track changed since the last call of any member.
    bool Update(uint32_t now);

    // "<list number>. <artist> - <title> - Winamp" (UTF-8), with " [Paused]" or " [Stopped]" when asked for.
    std::string WindowTitle(bool withState) const;

    void SetState(State state, uint32_t now);
    void SetAutoAdvance(uint32_t milliseconds) { autoAdvance_ = milliseconds; }
    const std::vector<Track>& tracks() const { return tracks_; }
    State state() const { return state_; }
    int index() const { return index_; }
    int volume() const { return volume_; }
    bool shuffle() const { return shuffle_; }
    bool repeat() const { return repeat_; }

private:
    const Track& track() const { return tracks_[static_cast<size_t>(index_)]; }
    uint32_t PositionMs(uint32_t now) const;
    void Seek(int64_t positionMs, uint32_t now);
    void GoTo(int index, uint32_t now);
    void Step(int direction, uint32_t now);

    std::vector<Track> tracks_;
    int index_ = 0;
    State state_ = State::Playing;
    uint32_t positionMs_ = 0;  // at anchor_
    uint32_t anchor_ = 0;      // tick from which a playing clock runs
    uint32_t lastChange_ = 0;  // tick of the last track change, for auto-advance
    uint32_t autoAdvance_ = 0;
    uint32_t shuffleSeed_ = 12345;
    int volume_ = 200;  // 0 to 255
    bool shuffle_ = false;
    bool repeat_ = true;
    bool trackChanged_ = false;
};

}  // namespace standin
