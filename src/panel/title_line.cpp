// The title line: starting it, filling it once per refresh pass, and starting its scroll over.
#include <cstring>

#include "host/host.h"
#include "panel/panel.h"
#include "panel/player_queries.h"
#include "panel/title_layout.h"
#include "panel/title_line.h"
#include "player/player.h"

namespace quaver {

int32_t TitleFieldCells() {
    const uint32_t field = openPanel.titleFieldLength;
    return field < static_cast<uint32_t>(titleLineCells) ? static_cast<int32_t>(field) : titleLineCells;
}

void StartTitleLine() {
    uint32_t length = openPanel.titleFieldLength;
    if (length > sizeof liveDisplay.titleLine - 1) length = sizeof liveDisplay.titleLine - 1;
    std::memset(liveDisplay.titleLine, ' ', length);
    liveDisplay.titleLine[length] = '\0';
}

void ResetTitleScrolling() {
    liveDisplay.scroll.offset = 0;
    liveDisplay.scroll.pause = scrollRestPasses;
    liveDisplay.scroll.backward = 0;
}

void BlankTitleField() {
    std::memset(liveDisplay.titleLine, ' ', titleLineCells);
    liveDisplay.titleLine[TitleFieldCells()] = '\0';
}

namespace {

// Whether the volume shows in place of the title this pass, and its value. Ends a volume display whose
// second is over, or whose volume cannot be read.
bool VolumeShown(uint32_t& volume) {
    const uint32_t stamped = playerLink.volumeChangeTick.load(std::memory_order_relaxed);
    if (stamped == 0) return false;
    if (os::GetTickCount() - stamped <= volumeShowMs && os::WaveOutGetVolume(&volume)) return true;
    // Clear only the stamp judged here: a volume command stamped meanwhile gets its own second.
    uint32_t judged = stamped;
    playerLink.volumeChangeTick.compare_exchange_strong(judged, 0, std::memory_order_relaxed);
    return false;
}

void WriteVolume(uint32_t volume, int32_t fieldLength) {
    char text[24];
    const int reported = FormatText(text, "Volume: %d %%", VolumePercent(volume));
    const int32_t at = VolumeTextColumn(fieldLength);
    int32_t count = static_cast<int32_t>(strnlen(text, sizeof text));
    if (reported >= 0 && reported < count) count = reported;
    if (count > fieldLength - at) count = fieldLength - at;
    // Plain ASCII: no conversion, and no terminator inside the field.
    if (count > 0) std::memcpy(liveDisplay.titleLine + at, text, static_cast<size_t>(count));
}

bool AddShown(AddProgress& add) {
    add = ReadAddProgress();
    if (add.state == addState::Adding) return true;
    return add.state != addState::Idle && os::GetTickCount() - add.endedTick <= addEndShownMs;
}

// "Adding files 37/1000" while under way, "Files added 1000" once all are in, with their count of all when
// not; centred, in the host's texts (OEM code page already).
void WriteAddProgress(const AddProgress& add, int32_t fieldLength) {
    char text[titleLineCells + 1];
    const char* words = add.state == addState::Adding ? liveDisplay.addingFilesText : liveDisplay.filesAddedText;
    if (!words) words = "";
    const int reported = add.state == addState::Done
                             ? FormatText(text, "%.*s %d", titleLineCells - 12, words, add.sent)
                             : FormatText(text, "%.*s %d/%d", titleLineCells - 24, words, add.sent, add.count);
    int32_t count = static_cast<int32_t>(strnlen(text, sizeof text));
    if (reported >= 0 && reported < count) count = reported;
    if (count > fieldLength) count = fieldLength;
    std::memcpy(liveDisplay.titleLine + (fieldLength - count) / 2, text, static_cast<size_t>(count));
}

}  // namespace

bool AskTitleLine(PlayerQueries& player, TitleAnswer& answer) {
    answer.volumeShown = VolumeShown(answer.volume);
    if (answer.volumeShown) return true;
    answer.addShown = AddShown(answer.add);
    if (answer.addShown) return true;
    answer.length = 0;
    return player.AskTitle(answer.title, answer.length);
}

void FillTitleLine(const TitleAnswer& answer) {
    const int32_t fieldLength = TitleFieldCells();
    if (answer.volumeShown) {
        WriteVolume(answer.volume, fieldLength);
        return;
    }
    if (answer.addShown) {
        WriteAddProgress(answer.add, fieldLength);
        return;
    }
    ShownTitle shown{};
    if (!FindShownTitle(answer.title, answer.length, shown)) return;  // nothing to show; the scroll state stays

    char field[titleLineCells];
    const TitleSpan span = LayOutTitle(answer.title + shown.start, shown.length, fieldLength, liveDisplay.scrollMode,
                                       liveDisplay.scroll, field);
    if (span.count > 0)
        os::CharToOemBuff(field + span.at, liveDisplay.titleLine + span.at, static_cast<uint32_t>(span.count));
}

}  // namespace quaver
