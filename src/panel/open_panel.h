#pragma once

namespace quaver {

// One whole opening of the panel, on the host's thread; returns when the panel has closed.
// Reports its own failures with the error box.
void OpenPanel();

}  // namespace quaver
