#include "playlist.h"

#include <cstdlib>
#include <fstream>

#include "text_codes.h"

namespace standin {

std::vector<Track> DefaultPlaylist() {
    // Varied on purpose: mono and stereo, odd rates, a title long enough to scroll, an accent the ANSI code
    // page has.
    return {
        {"The Quavers", "Opening Night", 215, 128, 44, 2, {}},
        {"Mono Brothers", "Single Channel Blues", 187, 64, 22, 1, {}},
        {"Caf\xC3\xA9 Orchestra", "Valse des R\xC3\xAAves", 242, 192, 48, 2, {}},
        {"Long Name Ensemble", "A Title Far Too Long To Fit Into The Panel's Title Line At Once", 361, 320, 44, 2, {}},
        {"Short", "Hi", 95, 160, 32, 2, {}},
        {"The Quavers", "Closing Time", 274, 256, 44, 2, {}},
    };
}

std::vector<Track> NumberedPlaylist(int count) {
    std::vector<Track> tracks;
    tracks.reserve(static_cast<size_t>(count));
    for (int n = 1; n <= count; ++n) {
        const std::string number = std::to_string(n);
        tracks.push_back(Track{"Artist " + number, "Title number " + number, 200, 128, 44, 2, {}});
    }
    return tracks;
}

std::string MadeUpPath(const Track& track) {
    std::string name = ListTitle(track);
    for (char& c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
            c = '_';
    }
    return "C:\\Music\\" + name + ".mp3";
}

Track AppendedTrack(const std::wstring& path) {
    constexpr int appendedLengthSeconds = 180;
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos && dot > 0) name.resize(dot);
    return Track{"", Utf8FromWide(name), appendedLengthSeconds, 128, 44, 2, path};
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
        track = Track{"", line, 200, 128, 44, 2, {}};
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
    std::ifstream file(WideFromUtf8(path).c_str(), std::ios::binary);
    if (!file) {
        error = "cannot read playlist " + path;
        return false;
    }
    std::vector<Track> loaded;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
        line = Utf8FromFileLine(line);
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
