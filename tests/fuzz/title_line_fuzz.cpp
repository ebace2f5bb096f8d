// Whatever window title and title-length answer a player gives, and whatever scroll state the module carries,
// over a run of passes: the shown part stays inside the title, the layout inside the field, the state sane.
// The stream text gets any three answers and must stay inside its row.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fake_host.h"
#include "fake_os.h"
#include "panel/stream_text.h"
#include "panel/title_layout.h"
#include "panel/version_title.h"

using namespace quaver;

namespace {

struct Reader {
    const uint8_t* data;
    size_t size;
    size_t at = 0;
    template <typename T>
    T Take() {
        T value{};
        const size_t n = size - at < sizeof value ? size - at : sizeof value;
        std::memcpy(&value, data + at, n);
        at += n;
        return value;
    }
};

void Check(bool condition) {
    if (!condition) std::abort();
}

void StreamRow(Reader& in) {
    const auto sampleRate = in.Take<int32_t>();
    const auto bitRate = in.Take<int32_t>();
    const auto channels = in.Take<int32_t>();
    char text[streamTextCapacity];
    const int length = BuildStreamText(text, sampleRate, bitRate, channels);
    Check(length >= 0 && length <= streamTextLimit && static_cast<size_t>(length) == std::strlen(text));
    char row[infoRowCells + 1];
    BlankInfoRow(row);
    PlaceStreamText(row, text, length);
    Check(row[infoRowCells] == '\0');

    char title[versionTitleCapacity];
    const int titleLength = FormatVersionTitle(title, SplitPlayerVersion(sampleRate, bitRate & 1));
    Check(titleLength > 0 && titleLength < versionTitleCapacity);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool started = [] {
        fake::Reset();
        fake::StartModule();
        return true;
    }();
    (void)started;
    Reader in{data, size};
    StreamRow(in);

    const auto answer = in.Take<intptr_t>();
    const int32_t fieldLength = 1 + in.Take<uint8_t>() % 34;
    const int32_t mode = in.Take<int8_t>() % 4;
    ScrollState scroll{in.Take<int32_t>() % 400, in.Take<int32_t>(), in.Take<uint8_t>(), in.Take<int32_t>() % 400};
    const int passes = 1 + in.Take<uint8_t>() % 64;

    // The rest is what the player copies, as many bytes as it likes up to the buffer it was told of.
    char buffer[titleBufferCapacity];
    buffer[0] = '\0';
    const size_t copied = size - in.at < static_cast<size_t>(titleQueryLimit) ? size - in.at : titleQueryLimit;
    std::memcpy(buffer, data + in.at, copied);
    if (copied < static_cast<size_t>(titleQueryLimit)) buffer[copied] = '\0';
    buffer[titleBufferCapacity - 1] = '\0';

    const int32_t length = ReceivedTitleLength(answer, buffer, titleQueryLimit);
    Check(length >= 0 && length < titleQueryLimit);
    ShownTitle shown{};
    if (!FindShownTitle(buffer, length, shown)) return 0;
    Check(shown.start >= 0 && shown.length > 0 && shown.start + shown.length <= length);

    for (int pass = 0; pass < passes; ++pass) {
        char field[34];
        const TitleSpan span = LayOutTitle(buffer + shown.start, shown.length, fieldLength, mode, scroll, field);
        Check(span.at >= 0 && span.count >= 0 && span.at + span.count <= fieldLength);
        if (shown.length > fieldLength && (mode == 1 || mode == 2)) {
            Check(span.count == fieldLength);
            Check(scroll.offset >= 0);
            Check(scroll.offset <= (mode == 1 ? shown.length - fieldLength : shown.length + bandSeparatorLength - 1));
        }
    }
    return 0;
}
