#include "panel/title_layout.h"

#include <cstring>

#include "host/host.h"
#include "host/text_cells.h"

namespace quaver {

namespace {

// The places the player's suffix may stand: at the very end, or followed by exactly 9 or 10 characters of
// the player's own (such as a status). Tried in this order.
struct SuffixPlace {
    int32_t cut;            // characters not shown at the end: the suffix and what follows it
    int32_t shortestTitle;  // the place is tried only in titles at least this long
};
constexpr SuffixPlace suffixPlaces[] = {
    {titleSuffixLength, shortestTitle},
    {titleSuffixLength + 9, 22},
    {titleSuffixLength + 10, 23},
};

// The list number ends at the first '.' before the last 10 characters; the character after the '.' goes too
// (in UTF-16 both units of a pair, so that no half of one is shown). Without such a '.' nothing is skipped.
template <typename Char>
int32_t ShownTitleStart(const Char* title, int32_t length) {
    for (int32_t i = 1; i < length - 10; ++i) {
        if (title[i] != '.') continue;
        if constexpr (sizeof(Char) > 1) {
            if (IsHighSurrogate(static_cast<char32_t>(title[i + 1])) &&
                IsLowSurrogate(static_cast<char32_t>(title[i + 2])))
                return i + 3;
        }
        return i + 2;
    }
    return 0;
}

bool SuffixAt(const char* at) { return CompareN(at, titleSuffix, titleSuffixLength) == 0; }

template <typename Unit>
bool SuffixAt(const Unit* at) {
    for (int32_t i = 0; i < titleSuffixLength; ++i)
        if (at[i] != static_cast<Unit>(titleSuffix[i])) return false;
    return true;
}

int32_t Smaller(int32_t a, int32_t b) { return a < b ? a : b; }

int32_t Clamped(int32_t value, int32_t low, int32_t high) { return value < low ? low : value > high ? high : value; }

TitleSpan Centred(const char* shown, int32_t length, int32_t fieldLength, char* field) {
    const int32_t count = Smaller(length, fieldLength);
    const int32_t at = (fieldLength - count) / 2;  // half a cell left of the centre when the rest is odd
    std::memcpy(field + at, shown, static_cast<size_t>(count));
    return {at, count};
}

// The band is the title followed by the separator, repeated without end.
TitleSpan RunningText(const char* shown, int32_t length, int32_t fieldLength, ScrollState& scroll, char* field) {
    const int32_t band = length + bandSeparatorLength;
    StepRunningText(scroll, band);
    const int32_t first = Smaller(band - scroll.offset, fieldLength);
    for (int32_t i = 0; i < first; ++i) {
        const int32_t at = scroll.offset + i;
        field[i] = at < length ? shown[at] : bandSeparator[at - length];
    }
    // The band wraps from its end to the title's beginning: the field is always full.
    std::memcpy(field + first, shown, static_cast<size_t>(fieldLength - first));
    return {0, fieldLength};
}

TitleSpan BackAndForth(const char* shown, int32_t length, int32_t fieldLength, ScrollState& scroll, char* field) {
    const int32_t offset = StepBackAndForth(scroll, length, fieldLength);
    std::memcpy(field, shown + offset, static_cast<size_t>(fieldLength));
    return {0, fieldLength};
}

}  // namespace

int32_t StepBackAndForth(ScrollState& scroll, int32_t length, int32_t fieldLength) {
    const int32_t last = length - fieldLength;  // the largest offset, at least 1
    if (length < scroll.lastLength) {
        // A shorter title than before: start from its end, moving back.
        scroll.offset = last;
        scroll.backward = 1;
    }
    scroll.lastLength = length;
    scroll.offset = Clamped(scroll.offset, 0, last);

    bool move = true;
    if (scroll.offset == 0 || scroll.offset == last) {
        if (scroll.pause < INT32_MAX) ++scroll.pause;
        move = scroll.pause > scrollRestPasses;
    }
    if (move) {
        scroll.offset = Clamped(scroll.offset + (scroll.backward ? -1 : 1), 0, last);
        if (scroll.offset == 0 || scroll.offset == last) {
            scroll.backward = scroll.backward ? 0 : 1;
            scroll.pause = 0;
        }
    }
    return scroll.offset;
}

int32_t StepRunningText(ScrollState& scroll, int32_t band) {
    scroll.offset = scroll.offset < 0 || scroll.offset >= band - 1 ? 0 : scroll.offset + 1;
    return scroll.offset;
}

template <typename Char>
int32_t ReceivedTitleLength(intptr_t answer, const Char* buffer, int32_t sizeTold) {
    if (sizeTold < 1 || answer <= 0) return 0;
    const int32_t most = sizeTold - 1;
    const int32_t claimed = answer > most ? most : static_cast<int32_t>(answer);
    int32_t length = 0;
    while (length < claimed && buffer[length] != 0) ++length;
    return length;
}

template <typename Char>
bool FindShownTitle(const Char* title, int32_t length, ShownTitle& shown) {
    if (length < shortestTitle) return false;
    for (const SuffixPlace& place : suffixPlaces) {
        if (length < place.shortestTitle) break;
        if (!SuffixAt(title + length - place.cut)) continue;
        const int32_t start = ShownTitleStart(title, length);
        const int32_t count = length - place.cut - start;
        if (count <= 0) return false;
        shown = {start, count};
        return true;
    }
    return false;
}

template int32_t ReceivedTitleLength(intptr_t, const char*, int32_t);
template int32_t ReceivedTitleLength(intptr_t, const char16_t*, int32_t);
template int32_t ReceivedTitleLength(intptr_t, const wchar_t*, int32_t);
template bool FindShownTitle(const char*, int32_t, ShownTitle&);
template bool FindShownTitle(const char16_t*, int32_t, ShownTitle&);
template bool FindShownTitle(const wchar_t*, int32_t, ShownTitle&);

TitleSpan LayOutTitle(const char* shown, int32_t length, int32_t fieldLength, int32_t mode, ScrollState& scroll,
                      char* field) {
    if (length <= 0 || fieldLength <= 0) return {0, 0};
    if (length <= fieldLength) return Centred(shown, length, fieldLength, field);
    switch (mode) {
    case scrollModeValue::RunningText: return RunningText(shown, length, fieldLength, scroll, field);
    case scrollModeValue::BackAndForth: return BackAndForth(shown, length, fieldLength, scroll, field);
    default: return Centred(shown, length, fieldLength, field);  // its first fieldLength characters
    }
}

int32_t VolumePercent(uint32_t volume) { return static_cast<int32_t>((volume >> 24) * 100u / 255u); }

int32_t VolumeTextColumn(int32_t fieldLength) { return fieldLength >= 12 ? (fieldLength - 12) / 2 : 0; }

}  // namespace quaver
