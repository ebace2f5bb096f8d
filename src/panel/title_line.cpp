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

namespace {
void FillSpaces(HostChar* text, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) text[i] = ' ';
}
}  // namespace

void StartTitleLine() {
    uint32_t length = openPanel.titleFieldLength;
    if (length > titleLineCapacity - 1) length = titleLineCapacity - 1;
    FillSpaces(liveDisplay.titleLine, length);
    liveDisplay.titleLine[length] = '\0';
}

void ResetTitleScrolling() {
    liveDisplay.scroll.offset = 0;
    liveDisplay.scroll.pause = scrollRestPasses;
    liveDisplay.scroll.backward = 0;
}

void BlankTitleField() {
    FillSpaces(liveDisplay.titleLine, titleLineCells);
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
    HostChar text[24];
    const int reported = FormatHostText(text, hostText::volume, VolumePercent(volume));
    const int32_t at = VolumeTextColumn(fieldLength);
    int32_t count = HostTextLength(text, 24);
    if (reported >= 0 && reported < count) count = reported;
    if (count > fieldLength - at) count = fieldLength - at;
    // Plain ASCII: no conversion, and no terminator inside the field.
    if (count > 0) std::memcpy(liveDisplay.titleLine + at, text, static_cast<size_t>(count) * sizeof(HostChar));
}

bool AddShown(AddProgress& add) {
    add = ReadAddProgress();
    if (add.state == addState::Adding) return true;
    return add.state != addState::Idle && os::GetTickCount() - add.endedTick <= addEndShownMs;
}

// "Adding files 37/1000" while under way, "Files added 1000" once all are in, with their count of all when
// not; centred, in the host's texts (OEM code page already).
// The host's texts have one character a cell: a text of them fits the field as far as its length does.
void WriteAddProgress(const AddProgress& add, int32_t fieldLength) {
    HostChar text[titleLineCells + 1];
    const HostChar* words = add.state == addState::Adding ? liveDisplay.addingFilesText : liveDisplay.filesAddedText;
    if (!words) words = hostText::none;
    const int reported =
        add.state == addState::Done
            ? FormatHostText(text, hostText::textAndNumber, titleLineCells - 12, words, add.sent)
            : FormatHostText(text, hostText::textAndCount, titleLineCells - 24, words, add.sent, add.count);
    int32_t count = HostTextLength(text, titleLineCells + 1);
    if (reported >= 0 && reported < count) count = reported;
    if (count > fieldLength) count = fieldLength;
    std::memcpy(liveDisplay.titleLine + (fieldLength - count) / 2, text, static_cast<size_t>(count) * sizeof(HostChar));
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
    FillWindowTitle(answer, fieldLength);
}

}  // namespace quaver
