// The title line: the player's window title without its suffix and list number, centred or scrolling,
// or the volume for a second after a volume command.
#pragma once

#include <cstdint>

#include "os/os.h"

namespace quaver {

extern char titleLine[40];  // text of widget slot 12, OEM code page
extern int32_t scrollMode;  // 0 centred, 1 back and forth, 2 running text
extern int32_t scrollOffset;
extern int32_t scrollPause;
extern uint8_t scrollBackward;
extern int32_t scrollLastLength;

// scrollOffset 0, scrollPause 13, forward.
void ResetTitleScrolling();
void UpdateTitleLine(os::Window player);

}  // namespace quaver
