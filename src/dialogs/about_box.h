#pragma once

#include "dialogs/dialog_items.h"

namespace quaver {

constexpr int aboutItemCount = 12;
constexpr int aboutWidth = 27;
constexpr int aboutHeight = 11;
constexpr int aboutHelpButton = 11;
extern const DialogInitItem aboutItems[aboutItemCount];

// Hides the panel, shows the About box (Help opens "Hotkeys"), drops the input given meanwhile, shows the panel.
void ShowAboutBox();

}  // namespace quaver
