#include "panel/title_line.h"

namespace quaver {

void ResetTitleScrolling() {
    liveDisplay.scroll.offset = 0;
    liveDisplay.scroll.pause = 13;
    liveDisplay.scroll.backward = 0;
}

}  // namespace quaver
