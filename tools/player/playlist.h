// The simulated playlist: the tracks the stand-in player pretends to play.
#pragma once

#include <string>
#include <vector>

namespace standin {

struct Track {
    std::string artist;
    std::string title;
    int lengthSeconds = 0;
    int bitRateKbps = 0;
    int sampleRateKhz = 0;
    int channels = 0;
};

std::vector<Track> DefaultPlaylist();

// "<artist> - <title>", or the title alone: the entry as the playlist and the window title show it.
std::string ListTitle(const Track& track);

// Reads a playlist file: one track per line, a title alone or fields separated by '|':
//     artist|title|length in seconds|bit rate in kbps|sample rate in kHz|channels
// Blank lines and lines starting with '#' are skipped. False with a message naming the line on any error.
bool LoadPlaylist(const std::string& path, std::vector<Track>& tracks, std::string& error);

// One line of the format above; false when it is not a valid track.
bool ParseTrackLine(const std::string& line, Track& track);

}  // namespace standin
