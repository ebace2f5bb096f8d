#include "pure/status_line.h"

namespace host {

namespace {

std::string Clock(int64_t seconds) {
    if (seconds < 0) seconds = 0;
    const int64_t rest = seconds % 60;
    return std::to_string(seconds / 60) + (rest < 10 ? ":0" : ":") + std::to_string(rest);
}

std::string StateName(int32_t playing) {
    return playing == 1 ? "playing" : playing == 3 ? "paused" : "stopped";
}

// The text of a field, or false for a name that is none.
bool FieldText(const std::string& name, const PlayerStatus& status, std::string& text) {
    if (name == "state") text = StateName(status.playing);
    else if (name == "track") text = std::to_string(status.listPosition < 0 ? 0 : status.listPosition + 1);
    else if (name == "tracks") text = std::to_string(status.tracks < 0 ? 0 : status.tracks);
    else if (name == "position") text = Clock(status.positionMs / 1000);
    else if (name == "length") text = Clock(status.lengthSeconds);
    else if (name == "title") text = status.title;
    else if (name == "volume") text = std::to_string((static_cast<int64_t>(status.volume) * 100 + 127) / 255);
    else if (name == "bitrate") text = std::to_string(status.bitRate);
    else if (name == "samplerate") text = std::to_string(status.sampleRate);
    else if (name == "channels") text = status.channels;
    else if (name == "shuffle") text = status.shuffle ? "on" : "off";
    else if (name == "repeat") text = status.repeat ? "on" : "off";
    else return false;
    return true;
}

}  // namespace

std::string FormatStatus(const std::string& format, const PlayerStatus& status) {
    std::string line;
    size_t at = 0;
    while (at < format.size()) {
        const char c = format[at];
        // Doubled braces are the braces themselves.
        if ((c == '{' || c == '}') && at + 1 < format.size() && format[at + 1] == c) {
            line += c;
            at += 2;
            continue;
        }
        const size_t close = c == '{' ? format.find('}', at) : std::string::npos;
        std::string text;
        if (close != std::string::npos && FieldText(format.substr(at + 1, close - at - 1), status, text)) {
            line += text;
            at = close + 1;
        } else {
            line += c;
            ++at;
        }
    }
    return line;
}

}  // namespace host
