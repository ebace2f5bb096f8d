#include "player/panel_paths.h"

#include <cstring>

namespace quaver {

bool HoldsRealFiles(const PanelState& state) {
    return state.type == panelControl::FilePanel && state.pluginPanel == 0 &&
           (state.flags & panelControl::RealNames) != 0;
}

int AddedItemCount(const PanelState& state) {
    if (!state.selectedItems || state.selectedCount <= 0) return 0;
    return state.selectedCount < maxAddedItems ? state.selectedCount : maxAddedItems;
}

bool PathOfItem(const PanelState& state, const PanelItem& item, char (&path)[pathCapacity]) {
    const size_t nameLength = strnlen(item.name, sizeof item.name);
    if (nameLength == 0 || nameLength == sizeof item.name) return false;
    if (nameLength == 2 && item.name[0] == '.' && item.name[1] == '.') return false;
    size_t folderLength = strnlen(state.folder, sizeof state.folder);
    if (folderLength == sizeof state.folder) return false;
    const bool separator = folderLength > 0 && state.folder[folderLength - 1] != '\\';
    if (folderLength + (separator ? 1 : 0) + nameLength >= sizeof path) return false;
    std::memcpy(path, state.folder, folderLength);
    if (separator) path[folderLength++] = '\\';
    std::memcpy(path + folderLength, item.name, nameLength);
    path[folderLength + nameLength] = '\0';
    return true;
}

}  // namespace quaver
