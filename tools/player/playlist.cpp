#include "playlist.h"

#include <cstdlib>
#include <fstream>

namespace standin {

std::vector<Track> DefaultPlaylist() {
    // Varied on purpose: mono and stereo, odd rates, a title long enough to scroll, an ANSI accent.
    return {
        {"The Quavers", "Opening Night", 215, 128, 44, 2},
        {"Mono Brothers", "Single Channel Blues", 187, 64, 22, 1},
        {"Caf\xE9 Orchestra", "Valse des R\xEAves", 242, 192, 48, 2},
        {"Long Name Ensemble", "A Title Far Too Long To Fit Into The Panel's Title Line At Once", 361, 320, 44, 2},
        {"Short", "Hi", 95, 160, 32, 2},
        {"The Quavers", "Closing Time", 274, 256, 44, 2},
    };
}

std::string ListTitle(const Track& track) {
    return track.artist.empty() ? track.title : track.artist + " - " + track.title;
}

namespace {

bool ParseNumber(const std::string& text, int& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    const long number = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || number < 0 || number > 1000000000) return false;
    value = static_cast<int>(number);
    return true;
}

}  // namespace

bool ParseTrackLine(const std::string& line, Track& track) {
    if (line.find('|') == std::string::npos) {  // a title alone
        track = Track{"", line, 200, 128, 44, 2};
        return true;
    }
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t bar = line.find('|', start);
        fields.push_back(line.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    if (fields.size() != 6) return false;
    Track parsed;
    parsed.artist = fields[0];
    parsed.title = fields[1];
    if (!ParseNumber(fields[2], parsed.lengthSeconds) || parsed.lengthSeconds == 0) return false;
    if (!ParseNumber(fields[3], parsed.bitRateKbps) || !ParseNumber(fields[4], parsed.sampleRateKhz) ||
        !ParseNumber(fields[5], parsed.channels))
        return false;
    track = parsed;
    return true;
}

bool LoadPlaylist(const std::string& path, std::vector<Track>& tracks, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read playlist " + path;
        return false;
    }
    std::vector<Track> loaded;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        Track track;
        if (!ParseTrackLine(line, track)) {
            error = path + ":" + std::to_string(number) + ": expected a title or artist|title|seconds|kbps|kHz|channels";
            return false;
        }
        loaded.push_back(track);
    }
    if (loaded.empty()) {
        error = "playlist " + path + " has no tracks";
        return false;
    }
    tracks = loaded;
    return true;
}

}  // namespace standin
