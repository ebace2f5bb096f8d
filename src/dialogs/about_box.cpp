#include "dialogs/about_box.h"

namespace quaver {

// The About box is not built yet.
void ShowAboutBox() {}

}  // namespace quaver
