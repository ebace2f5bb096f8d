// The host's drawing services as the panel uses them; a host that left a slot empty simply draws nothing.
#pragma once

#include "host/host.h"

namespace quaver {

inline void PutText(int x, int y, int colour, const char* text) {
    if (hostLink.services.PutText) hostLink.services.PutText(x, y, colour, text);
}

// Makes everything drawn so far visible.
inline void FlushOutput() { PutText(0, 0, 0, nullptr); }

inline void* SaveScreenArea(int x1, int y1, int x2, int y2) {
    return hostLink.services.SaveScreenArea ? hostLink.services.SaveScreenArea(x1, y1, x2, y2) : nullptr;
}

inline void RestoreScreenArea(void* area) {
    if (hostLink.services.RestoreScreenArea && area) hostLink.services.RestoreScreenArea(area);
}

}  // namespace quaver
