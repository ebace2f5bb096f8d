// The classic build's title line: the player's ANSI window title, one byte a cell, shown in the OEM code page.
#include "os/os.h"
#include "panel/player_queries.h"
#include "panel/title_layout.h"
#include "panel/title_line.h"

namespace quaver {

void AttachTitleLine(Widget& widget) { SetText(widget, liveDisplay.titleLine); }

void FillWindowTitle(const TitleAnswer& answer, int32_t fieldLength) {
    ShownTitle shown{};
    if (!FindShownTitle(answer.title, answer.length, shown)) return;  // nothing to show; the scroll state stays

    char field[titleLineCells];
    const TitleSpan span = LayOutTitle(answer.title + shown.start, shown.length, fieldLength, liveDisplay.scrollMode,
                                       liveDisplay.scroll, field);
    if (span.count > 0)
        os::CharToOemBuff(field + span.at, liveDisplay.titleLine + span.at, static_cast<uint32_t>(span.count));
}

bool PlayerQueries::AskTitle(char (&buffer)[titleBufferCapacity], int32_t& length) {
    // Terminated before asking, so that a player that copies nothing leaves an empty text.
    buffer[0] = '\0';
    buffer[titleBufferCapacity - 1] = '\0';
    intptr_t result = 0;
    if (!Send(os::WmGetText, titleQueryLimit, reinterpret_cast<intptr_t>(buffer), result)) return false;
    length = ReceivedTitleLength(result, buffer, titleQueryLimit);
    return true;
}

}  // namespace quaver
