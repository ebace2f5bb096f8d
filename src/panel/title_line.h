// The title line: the player's window title without its suffix and list number, centred or scrolling,
// or the volume for a second after a volume command.
#pragma once

#include <cstdint>

#include "os/os.h"

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

// Fills the blanked titleLine for this pass (the caller draws it): the volume while a volume command is
// recent, else the player's title laid out by scrollMode. False when the player did not answer the title
// query; the field then stays blank.
bool UpdateTitleLine(PlayerQueries& player);

}  // namespace quaver
