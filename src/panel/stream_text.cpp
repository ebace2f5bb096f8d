#include "panel/stream_text.h"

#include <cstring>

#include "host/host.h"

namespace quaver {

namespace {

constexpr char lineCharacter = static_cast<char>(0xC4);
constexpr char channelNames[3][7] = {"", "mono", "stereo"};

// The formatter's count, trusted only as far as the text it wrote.
int Written(int reported, const char* text, int room) {
    const int actual = static_cast<int>(strnlen(text, static_cast<size_t>(room)));
    return reported < 0 || reported > actual ? actual : reported;
}

int FormatBitRate(char (&text)[streamTextCapacity], int32_t bitRate) {
    // Above 9999 the player reports something other than kbps.
    const int reported = bitRate > 9999 ? FormatText(text, "%i chnls", bitRate / 10000 % 99)
                                        : FormatText(text, "%i kbps", bitRate);
    return Written(reported, text, streamTextCapacity);
}

int AppendSampleRate(char (&text)[streamTextCapacity], int length, int32_t sampleRate, const char* channels) {
    char* end = text + length;
    const int reported = channels ? FormatText(end, " %i kHz %s", sampleRate, channels)
                                  : FormatText(end, " %i kHz", sampleRate);
    return length + Written(reported, end, streamTextCapacity - length);
}

}  // namespace

const char* ChannelName(int32_t channels) {
    return channels >= 0 && channels <= 2 ? channelNames[channels] : channelNames[0];
}

int BuildStreamText(char (&text)[streamTextCapacity], int32_t sampleRate, int32_t bitRate, int32_t channels) {
    text[0] = '\0';
    if (sampleRate == 0 && bitRate == 0 && channels == 0) return 0;
    int length = AppendSampleRate(text, FormatBitRate(text, bitRate), sampleRate, ChannelName(channels));
    if (length <= streamTextLimit) return length;

    // Too wide for the row: the numbers matter more than the channel name.
    length = AppendSampleRate(text, FormatBitRate(text, bitRate), sampleRate, nullptr);
    if (length > streamTextLimit) {
        length = streamTextLimit;
        text[length] = '\0';
    }
    return length;
}

void BlankInfoRow(char (&row)[infoRowCells + 1]) {
    std::memset(row, lineCharacter, infoRowCells);
    row[infoRowCells] = '\0';
}

void PlaceStreamText(char (&row)[infoRowCells + 1], const char* text, int length) {
    if (length <= 0) return;
    if (length > streamTextLimit) length = streamTextLimit;
    // When 25 - length is odd the text sits half a cell left of the centre.
    std::memset(row + (streamTextLimit - length) / 2, ' ', static_cast<size_t>(length) + 2);
    std::memcpy(row + (infoRowCells - length) / 2, text, static_cast<size_t>(length));
}

}  // namespace quaver
