// The RefreshThread: big-digit clock and track number, stream information, indicators, version title.
#pragma once

#include <cstdint>

#include "os/os.h"

namespace quaver {

extern int32_t playerVersion;   // major version once asked; 0 before
extern char versionTitle[40];

uint32_t OSAPI RefreshThread(void* stopEvent);
void BuildBigGlyph(int glyph, char* topRow, char* middleRow, char* bottomRow, int cell);

}  // namespace quaver
