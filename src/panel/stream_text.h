// The stream information set into the bottom border of the inner box: bit rate, sample rate, channels.
#pragma once

#include <cstdint>

namespace quaver {

constexpr int infoRowCells = 25;
constexpr int streamTextLimit = infoRowCells - 2;  // the text and one space on either side fit the row
// The host's formatter writes without a bound: room for the widest numbers an answer can hold.
constexpr int streamTextCapacity = 48;

// "", "mono", "stereo" for 0, 1, 2; any other count has no name.
const char* ChannelName(int32_t channels);

// Formats "<bit rate> kbps <sample rate> kHz <channels>" (or "<n> chnls" for a bit rate above 9999) and
// returns its length, at most streamTextLimit: a longer text loses its channel name, then its end. Returns 0,
// with an empty text, when all three values are 0.
int BuildStreamText(char (&text)[streamTextCapacity], int32_t sampleRate, int32_t bitRate, int32_t channels);

// The info row: infoRowCells line characters (byte 0xC4) and a terminator.
void BlankInfoRow(char (&row)[infoRowCells + 1]);
// Sets length characters of text into the middle of the row with a space on either side. A length of 0
// leaves the row a plain line; a longer text than the row can frame is cut.
void PlaceStreamText(char (&row)[infoRowCells + 1], const char* text, int length);

}  // namespace quaver
