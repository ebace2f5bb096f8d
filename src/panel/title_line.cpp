#include "panel/title_line.h"

namespace quaver {

char titleLine[40];
int32_t scrollMode;
int32_t scrollOffset;
int32_t scrollPause;
uint8_t scrollBackward;
int32_t scrollLastLength;

void ResetTitleScrolling() {
    scrollOffset = 0;
    scrollPause = 13;
    scrollBackward = 0;
}

}  // namespace quaver
