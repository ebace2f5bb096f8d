#include "playback.h"

#include <algorithm>

namespace standin {

namespace {
constexpr int seekStepMs = 5000;
constexpr int volumeStep = 4;
constexpr intptr_t askVolume = -666;
}  // namespace

Playback::Playback(std::vector<Track> tracks, uint32_t now)
    : tracks_(tracks.empty() ? DefaultPlaylist() : std::move(tracks)), anchor_(now), lastChange_(now) {}

intptr_t Playback::PlaylistAnswer(uintptr_t wParam, intptr_t lParam, uint32_t now, bool& handled) {
    Update(now);
    handled = true;
    const auto count = static_cast<uintptr_t>(tracks_.size());
    switch (lParam) {
    case 121:
        if (wParam < count) GoTo(static_cast<int>(wParam), now);
        return 0;
    case 106: {
        if (state_ != State::Playing) return -1;
        if (wParam >= static_cast<uintptr_t>(track().lengthSeconds) * 1000u) return 1;
        Seek(static_cast<int64_t>(wParam), now);
        return 0;
    }
    case 122:
        if (static_cast<intptr_t>(wParam) == askVolume) return volume_;
        if (wParam <= 255) volume_ = static_cast<int>(wParam);
        return 0;
    default: handled = false; return 0;
    }
}

uint32_t Playback::PositionMs(uint32_t now) const {
    return state_ == State::Playing ? positionMs_ + (now - anchor_) : positionMs_;
}

void Playback::Seek(int64_t positionMs, uint32_t now) {
    positionMs_ = static_cast<uint32_t>(std::max<int64_t>(0, positionMs));
    anchor_ = now;
}

void Playback::GoTo(int index, uint32_t now) {
    if (index != index_) trackChanged_ = true;
    index_ = index;
    lastChange_ = now;
    Seek(0, now);
}

void Playback::Step(int direction, uint32_t now) {
    const int count = static_cast<int>(tracks_.size());
    if (shuffle_ && count > 1) {
        shuffleSeed_ = shuffleSeed_ * 1103515245u + 12345u;
        const int offset = 1 + static_cast<int>((shuffleSeed_ >> 16) % static_cast<uint32_t>(count - 1));
        GoTo((index_ + offset) % count, now);
        return;
    }
    int next = index_ + direction;
    if (next >= count || next < 0) {
        if (!repeat_ && direction > 0) {  // the end of the list without repeat: stop on the last track
            state_ = State::Stopped;
            Seek(0, now);
            return;
        }
        next = (next + count) % count;
    }
    GoTo(next, now);
}

void Playback::SetState(State state, uint32_t now) {
    Seek(PositionMs(now), now);
    state_ = state;
    if (state == State::Stopped) Seek(0, now);
}

bool Playback::Command(uint32_t command, uint32_t now) {
    Update(now);
    switch (command) {
    case 40044: Step(-1, now); break;                           // previous
    case 40045: Seek(0, now); state_ = State::Playing; break;  // play: from the start of the track
    case 40046:                                                 // pause: toggles, nothing when stopped
        if (state_ != State::Stopped) SetState(state_ == State::Paused ? State::Playing : State::Paused, now);
        break;
    case 40047: SetState(State::Stopped, now); break;
    case 40048: Step(+1, now); break;
    case 40145: GoTo(0, now); break;  // open: the stand-in has no file dialog; back to the first track
    case 40061:  // rewind and fast forward move within the track; a stopped player stays at 0
        if (state_ != State::Stopped) Seek(static_cast<int64_t>(PositionMs(now)) - seekStepMs, now);
        break;
    case 40060:
        if (state_ != State::Stopped) Seek(static_cast<int64_t>(PositionMs(now)) + seekStepMs, now);
        Update(now);
        break;
    case 40058: volume_ = std::min(255, volume_ + volumeStep); break;
    case 40059: volume_ = std::max(0, volume_ - volumeStep); break;
    case 40023: shuffle_ = !shuffle_; break;
    case 40022: repeat_ = !repeat_; break;
    case 40040:
    case 40188: break;  // known, only logged
    default: return false;
    }
    return true;
}

bool Playback::Update(uint32_t now) {
    if (state_ == State::Playing) {
        if (autoAdvance_ != 0 && now - lastChange_ >= autoAdvance_) Step(+1, now);
        // Whole tracks that ran out while nobody asked.
        for (int guard = 0; state_ == State::Playing && guard < 1000; ++guard) {
            const uint32_t length = static_cast<uint32_t>(track().lengthSeconds) * 1000u;
            const uint32_t position = PositionMs(now);
            if (position < length) break;
            Step(+1, now);
            if (state_ == State::Playing) Seek(position - length, now);
        }
    }
    const bool changed = trackChanged_;
    trackChanged_ = false;
    return changed;
}

int32_t Playback::Answer(uintptr_t wParam, intptr_t lParam, uint32_t now) {
    Update(now);
    switch (lParam) {
    case 0: return 0;  // the version is the window's business (it may be pinned)
    case 104: return static_cast<int32_t>(state_);
    case 124: return static_cast<int32_t>(tracks_.size());
    case 125: return index_;
    case 126:
        switch (wParam) {
        case 0: return track().sampleRateKhz;
        case 1: return track().bitRateKbps;
        case 2: return track().channels;
        default: return 0;
        }
    case 105:
        if (wParam == 1) return track().lengthSeconds;
        if (wParam == 0) return static_cast<int32_t>(PositionMs(now));
        return 0;
    case 250: return shuffle_ ? 1 : 0;
    case 251: return repeat_ ? 1 : 0;
    default: return 0;
    }
}

std::string Playback::WindowTitle(bool withState) const {
    std::string title = std::to_string(index_ + 1) + ". " + ListTitle(track()) + " - Winamp";
    if (withState && state_ == State::Paused) title += " [Paused]";
    if (withState && state_ == State::Stopped) title += " [Stopped]";
    return title;
}

}  // namespace standin
