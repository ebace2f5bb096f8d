// The title line's pure rules: which part of the player's window title is shown, and how it is laid into
// the field in each scroll mode.
#pragma once

#include <cstdint>

namespace quaver {

constexpr int32_t titleBufferCapacity = 256;  // the window title as received, ANSI code page
constexpr int32_t titleQueryLimit = 255;      // what WM_GETTEXT is told the buffer holds, terminator included
constexpr int32_t shortestTitle = 13;         // shorter window titles show nothing
constexpr int32_t scrollRestPasses = 13;      // passes a back-and-forth scroll rests at each end, after arriving
constexpr const char titleSuffix[] = " - Winamp";
constexpr int32_t titleSuffixLength = sizeof titleSuffix - 1;
constexpr const char bandSeparator[] = " *** ";  // joins the end of a running title to its beginning
constexpr int32_t bandSeparatorLength = sizeof bandSeparator - 1;

// The scroll mode: the one encoding the module works with.
namespace scrollModeValue {
constexpr int32_t Centred = 0, BackAndForth = 1, RunningText = 2;
constexpr int32_t Count = 3;
}  // namespace scrollModeValue

// The stored "ScrollMode": whether the title scrolls at all, and whether back and forth or as running text.
namespace storedScroll {
constexpr uint32_t BackAndForth = 1, Scrolls = 2;
}  // namespace storedScroll

// Only the two low bits count; the style bit alone does not scroll.
constexpr int32_t ScrollModeFromStored(uint32_t stored) {
    if ((stored & storedScroll::Scrolls) == 0) return scrollModeValue::Centred;
    return (stored & storedScroll::BackAndForth) ? scrollModeValue::BackAndForth : scrollModeValue::RunningText;
}

// The length of the window title that came back, believing the player's answer only as far as the buffer
// holds text: never below 0, never past the first terminator, never more than the sizeTold - 1 characters
// that a buffer of sizeTold holds with its terminator. Made for char (the ANSI title) and for char16_t and
// wchar_t (the UTF-16 one, counted in units).
template <typename Char>
int32_t ReceivedTitleLength(intptr_t answer, const Char* buffer, int32_t sizeTold);

struct ShownTitle {
    int32_t start;   // index in the window title
    int32_t length;  // characters from start; at least 1
};

// Finds the player's suffix at the end of the title, or followed by exactly 9 or 10 more characters, and
// skips the list number up to the first '.' and the character after it. A title without such a '.' is shown
// whole up to the suffix. False when the title is shorter than shortestTitle, has no suffix in those places,
// or leaves nothing to show. For char the host compares the suffix; a UTF-16 title (char16_t or wchar_t) is
// counted in units and compared exactly, and a surrogate pair after the '.' goes whole.
template <typename Char>
bool FindShownTitle(const Char* title, int32_t length, ShownTitle& shown);

// The scroll state the two scrolling modes carry from pass to pass.
struct ScrollState {
    int32_t offset;
    int32_t pause;
    uint8_t backward;
    int32_t lastLength;
};

struct TitleSpan {
    int32_t at;     // first cell of the field written
    int32_t count;  // cells written
};

// One pass of a back-and-forth scroll of a title length long (length > fieldLength) in a field fieldLength
// long: advances the state and returns the offset the field shows from. A title that got shorter than at the
// previous pass starts from its last offset, moving back; the text rests scrollRestPasses passes after
// arriving at either end.
int32_t StepBackAndForth(ScrollState& scroll, int32_t length, int32_t fieldLength);
// One pass of running text along a band (the title and the separator, band long, repeated without end):
// advances the offset and returns it. It advances before it is used: a reset shows the band from its second
// character; an offset outside the band starts it again.
int32_t StepRunningText(ScrollState& scroll, int32_t band);

// Lays length characters of shown into field (fieldLength cells, fieldLength >= 1) by the scroll mode and
// advances the scroll state; returns the cells written, in the code page of shown. A title that fits is
// centred and leaves the scroll state untouched; a longer one shows its beginning (mode 0), moves back and
// forth with a rest at each end (mode 1) or runs as an endless band (mode 2). Reads only shown[0, length).
TitleSpan LayOutTitle(const char* shown, int32_t length, int32_t fieldLength, int32_t mode, ScrollState& scroll,
                      char* field);

// The upper byte of the right channel as a percentage, truncated: 255 is 100, 128 is 50.
int32_t VolumePercent(uint32_t volume);
// Where the volume text starts, whatever its length.
int32_t VolumeTextColumn(int32_t fieldLength);

}  // namespace quaver
