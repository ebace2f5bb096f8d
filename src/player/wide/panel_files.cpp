// The wide host's active panel: its folder and each selected entry asked for one at a time, each into one static
// buffer that holds an entry with a name of the longest path the system takes; an entry that needs more is left
// out, and the user told.
#include <cstring>

#include "host/host.h"
#include "host/wide/wide_link.h"
#include "player/add_queue.h"
#include "player/panel_files.h"

namespace quaver {

namespace {

// Room for the record and every text the host writes after it: a name, and as much again for its other texts.
constexpr size_t entryBufferBytes = sizeof(wide::PanelEntry) + 2 * (maxPathLength + 1) * sizeof(wchar_t);
constexpr size_t folderBufferBytes = sizeof(wide::PanelFolder) + 2 * (maxPathLength + 1) * sizeof(wchar_t);

// Host's thread only, while add reads the panel.
alignas(8) unsigned char entryBuffer[entryBufferBytes];
alignas(8) unsigned char folderBuffer[folderBufferBytes];

intptr_t Control(int command, intptr_t parameter1, void* parameter2) {
    return wideHost.startup.PanelControl(wide::activePanel, command, parameter1, parameter2);
}

bool HoldsRealFiles(const wide::PanelState& state) {
    return state.type == 0 && (state.flags & wide::panelFlag::PluginPanel) == 0 &&
           (state.flags & wide::panelFlag::RealNames) != 0;
}

// The panel's folder, or null when the host cannot hand it over whole.
const wchar_t* ReadFolder() {
    const intptr_t needed = Control(wide::panelCommand::GetFolder, 0, nullptr);
    if (needed <= 0 || static_cast<size_t>(needed) > sizeof folderBuffer) return nullptr;
    auto* folder = reinterpret_cast<wide::PanelFolder*>(folderBuffer);
    std::memset(folder, 0, sizeof *folder);
    folder->size = sizeof *folder;
    if (!Control(wide::panelCommand::GetFolder, sizeof folderBuffer, folder) || !folder->name) return nullptr;
    return folder->name;
}

enum class Entry { Read, Skipped, LeftOut };

// The n-th selected entry's name, after asking how much room it takes.
Entry ReadSelected(size_t n, const wchar_t*& name) {
    const intptr_t needed = Control(wide::panelCommand::GetSelectedItem, static_cast<intptr_t>(n), nullptr);
    if (needed <= 0) return Entry::Skipped;
    if (static_cast<size_t>(needed) > sizeof entryBuffer) return Entry::LeftOut;
    wide::ItemRequest request{};
    request.size = sizeof request;
    request.bytes = sizeof entryBuffer;
    request.buffer = reinterpret_cast<wide::PanelEntry*>(entryBuffer);
    if (!Control(wide::panelCommand::GetSelectedItem, static_cast<intptr_t>(n), &request)) return Entry::Skipped;
    name = request.buffer->name;
    return name ? Entry::Read : Entry::Skipped;
}

bool IsParentFolder(const wchar_t* name) { return name[0] == L'.' && name[1] == L'.' && name[2] == 0; }

// The folder and the name joined into the queue's text from `at`; false when it would not fit the queue, or
// be longer than any path.
bool JoinInto(const wchar_t* folder, const wchar_t* name, int32_t& at) {
    const int32_t folderLength = HostTextLength(folder, maxPathLength + 1);
    const int32_t nameLength = HostTextLength(name, maxPathLength + 1);
    const bool separator = folderLength > 0 && folder[folderLength - 1] != L'\\';
    const int32_t length = folderLength + (separator ? 1 : 0) + nameLength;
    const int32_t room = static_cast<int32_t>(sizeof addQueue.pathText / sizeof addQueue.pathText[0]) - at;
    if (length > maxPathLength || length + 1 > room) return false;
    wchar_t* path = addQueue.pathText + at;
    std::memcpy(path, folder, static_cast<size_t>(folderLength) * sizeof(wchar_t));
    if (separator) path[folderLength] = L'\\';
    std::memcpy(path + length - nameLength, name, static_cast<size_t>(nameLength) * sizeof(wchar_t));
    path[length] = 0;
    at += length + 1;
    return true;
}

}  // namespace

bool QueueActivePanelFiles(int32_t& queued, bool tell) {
    queued = 0;
    if (!wideHost.startup.PanelControl) return false;
    wide::PanelState state{};
    state.size = sizeof state;
    if (!Control(wide::panelCommand::GetState, 0, &state) || !HoldsRealFiles(state)) return false;

    int32_t leftOut = 0;
    const wchar_t* folder = ReadFolder();
    // With nothing selected the host names the entry under the cursor as the one selected.
    const size_t count = state.selectedCount < maxAddedItems ? state.selectedCount : maxAddedItems;
    int32_t at = 0;
    for (size_t n = 0; n < count; ++n) {
        const wchar_t* name = nullptr;
        const Entry entry = folder ? ReadSelected(n, name) : Entry::LeftOut;
        if (entry == Entry::Skipped || (entry == Entry::Read && (!name[0] || IsParentFolder(name)))) continue;
        const int32_t start = at;
        if (entry == Entry::LeftOut || !JoinInto(folder, name, at)) {
            ++leftOut;
            continue;
        }
        addQueue.pathStart[queued++] = start;
    }
    if (tell && leftOut > 0) {
        wchar_t line[200];
        FormatHostText(line, L"%.*ls %d", 160, GetLangString(message::EntriesLeftOut), leftOut);
        ShowErrorText(line);
    }
    return true;
}

}  // namespace quaver
