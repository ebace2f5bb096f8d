// --status --format with any text and any answers: the line is the format with its fields filled, doubled braces
// halved, and anything else as it stands.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "pure/status_line.h"

using namespace host;
using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput in(data, size);
    PlayerStatus status{};
    status.playing = in.Take<int32_t>();
    status.listPosition = in.Take<int32_t>();
    status.tracks = in.Take<int32_t>();
    status.positionMs = in.Take<int32_t>();
    status.lengthSeconds = in.Take<int32_t>();
    status.volume = in.Take<int32_t>();
    status.bitRate = in.Take<int32_t>();
    status.sampleRate = in.Take<int32_t>();
    status.shuffle = in.Take<int32_t>();
    status.repeat = in.Take<int32_t>();
    status.title = in.TakeText(300);
    status.channels = in.TakeText(8);
    const std::string format = in.TakeRest();

    const std::string line = FormatStatus(format, status);
    // Without a single brace, the format is the line.
    if (format.find_first_of("{}") == std::string::npos) Require(line == format, "plain text stands as it is");
    // Every brace doubled: only the braces halve, no field is filled.
    std::string doubled;
    for (char c : format) doubled += (c == '{' || c == '}') ? std::string(2, c) : std::string(1, c);
    Require(FormatStatus(doubled, status) == format, "doubled braces are the braces themselves");
    return 0;
}
