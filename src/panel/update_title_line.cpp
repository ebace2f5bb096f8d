// Filling the title line once per refresh pass.
#include <cstring>

#include "host/host.h"
#include "panel/panel.h"
#include "panel/player_queries.h"
#include "panel/title_layout.h"
#include "panel/title_line.h"
#include "player/player.h"

namespace quaver {

int32_t TitleFieldCells() {
    return titleFieldLength < static_cast<uint32_t>(titleLineCells) ? static_cast<int32_t>(titleFieldLength)
                                                                     : titleLineCells;
}

void BlankTitleField() {
    std::memset(titleLine, ' ', titleLineCells);
    titleLine[TitleFieldCells()] = '\0';
}

namespace {

// The volume in place of the title for a second after a volume command. False when there is none to show.
bool ShowVolume(int32_t fieldLength) {
    const uint32_t stamped = volumeChangeTick.load(std::memory_order_relaxed);
    if (stamped == 0) return false;
    uint32_t volume = 0;
    if (os::GetTickCount() - stamped <= volumeShowMs && os::WaveOutGetVolume(&volume)) {
        char text[24];
        const int reported = FormatText(text, "Volume: %d %%", VolumePercent(volume));
        const int32_t at = VolumeTextColumn(fieldLength);
        int32_t count = static_cast<int32_t>(strnlen(text, sizeof text));
        if (reported >= 0 && reported < count) count = reported;
        if (count > fieldLength - at) count = fieldLength - at;
        // Plain ASCII: no conversion, and no terminator inside the field.
        if (count > 0) std::memcpy(titleLine + at, text, static_cast<size_t>(count));
        return true;
    }
    // Clear only the stamp judged here: a volume command stamped meanwhile gets its own second.
    uint32_t judged = stamped;
    volumeChangeTick.compare_exchange_strong(judged, 0, std::memory_order_relaxed);
    return false;
}

}  // namespace

bool UpdateTitleLine(PlayerQueries& player) {
    const int32_t fieldLength = TitleFieldCells();
    if (ShowVolume(fieldLength)) return true;

    char title[titleBufferCapacity];
    int32_t length = 0;
    if (!player.AskTitle(title, length)) return false;
    ShownTitle shown{};
    if (!FindShownTitle(title, length, shown)) return true;  // nothing to show; the scroll state stays

    ScrollState scroll{scrollOffset, scrollPause, scrollBackward, scrollLastLength};
    char field[titleLineCells];
    const TitleSpan span = LayOutTitle(title + shown.start, shown.length, fieldLength, scrollMode, scroll, field);
    scrollOffset = scroll.offset;
    scrollPause = scroll.pause;
    scrollBackward = scroll.backward;
    scrollLastLength = scroll.lastLength;
    if (span.count > 0)
        os::CharToOemBuff(field + span.at, titleLine + span.at, static_cast<uint32_t>(span.count));
    return true;
}

}  // namespace quaver
