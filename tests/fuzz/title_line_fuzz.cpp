// Whatever window title and title-length answer a player gives, and whatever scroll state the module carries,
// over a run of passes: the shown part stays inside the title, the layout inside the field, the state sane.
// The stream text gets any three answers and must stay inside its row.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fake_host.h"
#include "fake_os.h"
#include "fuzz_input.h"
#include "panel/stream_text.h"
#include "panel/title_layout.h"
#include "panel/version_title.h"

using namespace quaver;
using fuzz::Require;

namespace {

void StreamRow(fuzz::FuzzInput& in) {
    const auto sampleRate = in.Take<int32_t>();
    const auto bitRate = in.Take<int32_t>();
    const auto channels = in.Take<int32_t>();
    char text[streamTextCapacity];
    const int length = BuildStreamText(text, sampleRate, bitRate, channels);
    Require(length >= 0 && length <= streamTextLimit && static_cast<size_t>(length) == std::strlen(text),
            "the stream text fits and its length is its own");
    char row[infoRowCells + 1];
    BlankInfoRow(row);
    PlaceStreamText(row, text, length);
    Require(row[infoRowCells] == '\0', "the info row stays terminated");

    char title[versionTitleCapacity];
    const int titleLength = FormatVersionTitle(title, SplitPlayerVersion(sampleRate, bitRate & 1));
    Require(titleLength > 0 && titleLength < versionTitleCapacity, "the version title fits");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool started = [] {
        fake::Reset();
        fake::StartModule();
        return true;
    }();
    (void)started;
    fuzz::FuzzInput in(data, size);
    StreamRow(in);

    const auto answer = in.Take<intptr_t>();
    const int32_t fieldLength = 1 + in.Take<uint8_t>() % 34;
    const int32_t mode = in.Take<int8_t>() % 4;
    ScrollState scroll{in.Take<int32_t>() % 400, in.Take<int32_t>(), in.Take<uint8_t>(), in.Take<int32_t>() % 400};
    const int passes = 1 + in.Take<uint8_t>() % 64;

    // The rest is what the player copies, as many bytes as it likes up to the buffer it was told of.
    char buffer[titleBufferCapacity];
    buffer[0] = '\0';
    const size_t copied = in.remaining() < static_cast<size_t>(titleQueryLimit) ? in.remaining() : titleQueryLimit;
    std::memcpy(buffer, data + (size - in.remaining()), copied);
    if (copied < static_cast<size_t>(titleQueryLimit)) buffer[copied] = '\0';
    buffer[titleBufferCapacity - 1] = '\0';

    const int32_t length = ReceivedTitleLength(answer, buffer, titleQueryLimit);
    Require(length >= 0 && length < titleQueryLimit, "the title length is inside the buffer");
    ShownTitle shown{};
    if (!FindShownTitle(buffer, length, shown)) return 0;
    Require(shown.start >= 0 && shown.length > 0 && shown.start + shown.length <= length,
            "the shown part lies inside the title");

    for (int pass = 0; pass < passes; ++pass) {
        char field[34];
        const TitleSpan span = LayOutTitle(buffer + shown.start, shown.length, fieldLength, mode, scroll, field);
        Require(span.at >= 0 && span.count >= 0 && span.at + span.count <= fieldLength, "the layout stays in the field");
        if (shown.length > fieldLength && (mode == 1 || mode == 2)) {
            Require(span.count == fieldLength, "a scrolling title fills the field");
            Require(scroll.offset >= 0, "the scroll offset is not negative");
            Require(scroll.offset <= (mode == 1 ? shown.length - fieldLength : shown.length + bandSeparatorLength - 1),
                    "the scroll offset stays inside the title");
        }
    }
    return 0;
}
