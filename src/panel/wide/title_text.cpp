// The wide build's title line: the player's window title read as UTF-16, laid into the field cell by cell.
#include <cstring>

#include "os/os.h"
#include "panel/player_queries.h"
#include "panel/title_layout.h"
#include "panel/title_line.h"
#include "panel/wide_title_layout.h"

namespace quaver {

static_assert(titleLineCapacity >= wideTitleFieldCapacity, "the widest field, cell by cell, and a terminator");

void AttachTitleLine(Widget& widget) {
    // The widget draws the title line itself; its length is the field's cells, which the mouse hits.
    widget.text = "";
    widget.length = static_cast<uint32_t>(TitleFieldCells());
}

void FillWindowTitle(const TitleAnswer& answer, int32_t fieldLength) {
    ShownTitle shown{};
    if (!FindShownTitle(answer.title, answer.length, shown)) return;  // nothing to show; the scroll state stays
    wchar_t field[wideTitleFieldCapacity];
    const WideTitleSpan span = LayOutWideTitle(answer.title + shown.start, shown.length, fieldLength,
                                               liveDisplay.scrollMode, liveDisplay.scroll, field, wideTitleFieldCapacity);
    // The whole field, spaces around the title and its terminator, in place of the blank one.
    if (span.units > 0) std::memcpy(liveDisplay.titleLine, field, static_cast<size_t>(span.units + 1) * sizeof(wchar_t));
}

bool PlayerQueries::AskTitle(wchar_t (&buffer)[titleBufferCapacity], int32_t& length) {
    // Terminated before asking, so that a player that copies nothing leaves an empty text.
    buffer[0] = 0;
    buffer[titleBufferCapacity - 1] = 0;
    if (!MayAsk()) return false;
    intptr_t result = 0;
    // The window text as UTF-16, whatever kind of window the player made: bounded as every question is.
    if (!Answered(os::SendMessageTimeoutW(player_, os::WmGetText, titleQueryLimit, reinterpret_cast<intptr_t>(buffer),
                                          os::SmtoAbortIfHung, queryTimeout, &result)))
        return false;
    length = ReceivedTitleLength(result, buffer, titleQueryLimit);
    return true;
}

}  // namespace quaver
