#pragma once

#include "dialogs/dialog_items.h"
#include "panel/run_panel.h"

namespace quaver {

constexpr int aboutItemCount = 12;
constexpr int aboutWidth = 27;
constexpr int aboutHeight = 11;
constexpr int aboutHelpButton = 11;
extern const DialogInitItem aboutItems[aboutItemCount];

}  // namespace quaver
