// The simulated playlist: the tracks the stand-in player pretends to play.
#pragma once

#include <string>
#include <vector>

namespace standin {

// Text in UTF-8.
struct Track {
    std::string artist;
    std::string title;
    int lengthSeconds = 0;
    int bitRateKbps = 0;
    int sampleRateKhz = 0;
    int channels = 0;
    // The file as the player names it: kept as it came for an appended file (any UTF-16, even a lone
    // surrogate), empty for an entry of a playlist file, which gets a made-up one (MadeUpPath).
    std::wstring path;
};

std::vector<Track> DefaultPlaylist();
// Entries 1 to count: "Artist n", "Title number n", 200 s, 128 kbps, 44 kHz, stereo.
std::vector<Track> NumberedPlaylist(int count);

// "<artist> - <title>", or the title alone: the entry as the playlist and the window title show it.
std::string ListTitle(const Track& track);

// "C:\Music\<list title>.mp3" in UTF-8, characters that a file name cannot hold made '_'.
std::string MadeUpPath(const Track& track);

// The entry that appending this file makes: its name without the extension as the title.
Track AppendedTrack(const std::wstring& path);

// Reads a playlist file (path in UTF-8): one track per line, a title alone or fields separated by '|':
//     artist|title|length in seconds|bit rate in kbps|sample rate in kHz|channels
// UTF-8, a byte-order mark allowed; a line that is not valid UTF-8 is read as the ANSI code page. Blank lines and
// lines starting with '#' are skipped. False with a message naming the line on any error.
bool LoadPlaylist(const std::string& path, std::vector<Track>& tracks, std::string& error);

// One line of the format above; false when it is not a valid track.
bool ParseTrackLine(const std::string& line, Track& track);

}  // namespace standin
