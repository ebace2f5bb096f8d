// The title line: the player's window title without its suffix and list number, centred or scrolling,
// or the volume for a second after a volume command.
#pragma once

#include <cstdint>

#include "os/os.h"
#include "panel/title_layout.h"

namespace quaver {

class PlayerQueries;

constexpr int32_t titleLineCells = 34;  // the widest field; titleLine holds it and a terminator
constexpr uint32_t volumeShowMs = 1000;

extern char titleLine[40];  // text of widget slot 12, OEM code page
extern int32_t scrollMode;  // 0 centred, 1 back and forth, 2 running text
extern int32_t scrollOffset;
extern int32_t scrollPause;
extern uint8_t scrollBackward;
extern int32_t scrollLastLength;

// scrollOffset 0, scrollPause 13, forward.
void ResetTitleScrolling();

// The field's length: titleFieldLength, kept within titleLine.
int32_t TitleFieldCells();
// The field's cells to spaces and the terminator after the field.
void BlankTitleField();

// What the title line of one pass is made from: the volume, or the player's window title as received.
struct TitleAnswer {
    bool volumeShown;
    uint32_t volume;
    char title[titleBufferCapacity];
    int32_t length;
};

// Asks what this pass's title line shows: the volume while a volume command is recent (the player is not
// asked then), else the player's window title. False when the player did not answer the title query.
bool AskTitleLine(PlayerQueries& player, TitleAnswer& answer);

// Fills the blanked titleLine from the answer (the caller draws it): the volume text, or the title laid out
// by scrollMode, advancing the scroll state. Runs under drawingLock, which guards scrollMode and the state.
void FillTitleLine(const TitleAnswer& answer);

}  // namespace quaver
