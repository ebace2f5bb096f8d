#pragma once

namespace quaver {

// Hides the panel, shows the About box (Help opens "Hotkeys"), drops the input given meanwhile, shows the panel.
void ShowAboutBox();

}  // namespace quaver
