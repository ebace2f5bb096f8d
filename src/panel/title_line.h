// The title line: the player's window title without its suffix and list number, centred or scrolling,
// or the volume for a second after a volume command. Everything it does is here (title_line.cpp) and, for
// the pure rules of which part shows and how it is laid into the field, in title_layout.h:
// - an opening of the panel starts it blank: BuildWidgets calls StartTitleLine;
// - each refresh pass asks for it without drawingLock (AskTitleLine: the volume, or the window title), then
//   under the lock blanks the field (BlankTitleField), fills it (FillTitleLine: FindShownTitle, LayOutTitle by
//   the scroll mode, advancing the scroll state in liveDisplay) and draws the title-line widget;
// - the Enter key, start-up and the configuration dialog set the scroll mode and start the scroll over
//   (ResetTitleScrolling).
#pragma once

#include <cstdint>

#include "os/os.h"
#include "panel/refresh.h"
#include "panel/title_layout.h"
#include "panel/widgets.h"
#include "player/add_queue.h"

namespace quaver {

class PlayerQueries;

static_assert(titleLineCells < titleLineCapacity, "the widest field and a terminator");
constexpr uint32_t volumeShowMs = 1000;

// The title line blank, titleFieldLength cells long.
void StartTitleLine();
// Makes the widget the title line's: its text and its length in cells.
void AttachTitleLine(Widget& widget);
// The scroll state to offset 0, a rest of scrollRestPasses passes, forward.
void ResetTitleScrolling();

// The field's length: titleFieldLength, kept within the title line.
int32_t TitleFieldCells();
// The field's cells to spaces and the terminator after the field.
void BlankTitleField();

constexpr uint32_t addEndShownMs = 2000;  // an add that has ended shows its count for this long

// What the title line of one pass is made from: the volume, the files of an add, or the player's window title
// as received.
struct TitleAnswer {
    bool volumeShown;
    uint32_t volume;
    bool addShown;
    AddProgress add;
    HostChar title[titleBufferCapacity];  // the player's window title (the ANSI code page, or UTF-16)
    int32_t length;
};

// Asks what this pass's title line shows: the volume while a volume command is recent, the files of an add
// while it is under way and for a while after (the player is not asked then), else the player's window title.
// False when the player did not answer the title query.
bool AskTitleLine(PlayerQueries& player, TitleAnswer& answer);

// Fills the blanked title line from the answer (the caller draws it): the volume text, or the title laid out
// by the scroll mode, advancing the scroll state. Runs under drawingLock, which guards the mode and the state.
void FillTitleLine(const TitleAnswer& answer);
// The part of it that lays the player's window title into the field (fieldLength cells): the classic build's
// bytes, one a cell, converted to the OEM code page, or the wide build's UTF-16 laid out cell by cell.
void FillWindowTitle(const TitleAnswer& answer, int32_t fieldLength);

}  // namespace quaver
