#pragma once

#include "dialogs/dialog_items.h"
#include "panel/run_panel.h"

namespace quaver {

constexpr int aboutWidth = 27;
constexpr int aboutHeight = 11;
// The classic host draws the two buttons without brackets, with half-block shadows of their own, as the panel's
// buttons look; the wide interface names no such button, so the wide build shows the host's own buttons.
#if QUAVER_WIDE
constexpr int aboutItemCount = 8;
constexpr int aboutHelpButton = 7;
#else
constexpr int aboutItemCount = 12;
constexpr int aboutHelpButton = 11;
#endif
extern const DialogInitItem aboutItems[aboutItemCount];

}  // namespace quaver
