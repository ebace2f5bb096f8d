#include "panel/open_panel.h"

namespace quaver {

// The panel is not built yet: opening it does nothing, and OpenPlugin reports -1 as always.
void OpenPanel() {}

}  // namespace quaver
