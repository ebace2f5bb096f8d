#include "panel_services.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "code_pages.h"
#include "console.h"
#include "pure/menu_model.h"
#include "pure/text.h"
#include "pure/wide_records.h"
#include "services.h"

namespace host {

namespace {

struct ActivePanel {
    const Pane* pane = nullptr;
    std::string folder;
    // What the last PanelControl handed over: the module may read it until the next call.
    std::vector<PanelItem> items;
    std::vector<PanelItem> selected;
};
ActivePanel active;

bool IsFolderName(const std::string& listed) { return !listed.empty() && listed.back() == '\\'; }

std::string NameOf(const std::string& listed) {
    return IsFolderName(listed) ? listed.substr(0, listed.size() - 1) : listed;
}

bool IsSelected(const Pane& pane, size_t index) { return index < pane.selected.size() && pane.selected[index]; }

// A classic module reads names in the OEM code page and turns them into ANSI paths.
PanelItem ItemOf(const std::string& listed, bool selected) {
    PanelItem item{};
    snprintf(item.name, sizeof item.name, "%s", SystemOemFromUtf8(NameOf(listed)).c_str());
    item.attributes = IsFolderName(listed) ? panelControl::FolderAttribute : 0;
    item.flags = selected ? panelControl::SelectedFlag : 0;
    return item;
}

// The wide interface's selection: the marked names in order; with none marked, the one under the cursor,
// unless that is "..".
std::vector<int> WideSelection(const Pane& pane) {
    std::vector<int> chosen;
    for (size_t i = 0; i < pane.names.size(); ++i)
        if (IsSelected(pane, i)) chosen.push_back(static_cast<int>(i));
    const auto cursor = static_cast<size_t>(pane.cursor);
    if (chosen.empty() && cursor < pane.names.size() && pane.names[cursor] != "..\\") chosen.push_back(pane.cursor);
    return chosen;
}

size_t PackItem(const Pane& pane, int index, void* parameter) {
    const auto* request = static_cast<wide::ItemRequest*>(parameter);
    PanelEntryText entry;
    const std::string& listed = pane.names[static_cast<size_t>(index)];
    entry.name = WideFromUtf8(NameOf(listed));
    entry.folder = IsFolderName(listed);
    entry.selected = IsSelected(pane, static_cast<size_t>(index));
    if (!request) return PackPanelEntry(entry, nullptr, 0);
    if (request->size < sizeof(wide::ItemRequest)) return 0;
    return PackPanelEntry(entry, request->buffer, request->bytes);
}

}  // namespace

void SetActivePane(const Pane* pane, const std::string& folder) {
    active.pane = pane;
    active.folder = folder;
}

int RunMenu(std::vector<std::string> lines, int selected, bool wrap, const std::string& title,
            const std::string& bottom, int maxHeight) {
    MenuModel menu(std::move(lines), selected, wrap);
    Console& console = TheConsole();
    void* under = console.SaveArea(0, 0, -1, -1);
    MenuModel::Outcome outcome = MenuModel::Outcome::Going;
    while (outcome == MenuModel::Outcome::Going) {
        {
            Console::Drawing drawing(console);
            DrawMenu(drawing.Screen(), menu, title, bottom, maxHeight);
        }
        console.Flush();
        INPUT_RECORD record;
        if (!console.ReadInput(&record)) break;
        if (record.EventType != KEY_EVENT || !record.Event.KeyEvent.bKeyDown) continue;
        const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
        const int rows = MenuRows(console.Height(), static_cast<int>(menu.Shown().size()), maxHeight);
        outcome = menu.Key(key.wVirtualKeyCode, key.uChar.UnicodeChar, rows);
    }
    console.RestoreArea(under);
    return outcome == MenuModel::Outcome::Chosen ? menu.Chosen() : -1;
}

int HOSTAPI ShowMenu(intptr_t moduleNumber, int, int, int maxHeight, unsigned flags, const char* title,
                     const char* bottom, const char*, const int*, int* breakCode, const HostMenuItem* items,
                     int itemCount) {
    if (breakCode) *breakCode = -1;
    if (!IsModuleNumber(moduleNumber) || !items || itemCount <= 0 || MessagesGoToStandardError()) return -1;
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(itemCount));
    int selected = -1;
    for (int i = 0; i < itemCount; ++i) {
        lines.push_back(Utf8FromOem(std::string_view(items[i].text, strnlen(items[i].text, sizeof items[i].text))));
        if (items[i].selected && selected < 0) selected = i;
    }
    return RunMenu(std::move(lines), selected, (flags & menuFlag::WrapCursor) != 0, title ? Utf8FromOem(title) : "",
                   bottom ? Utf8FromOem(bottom) : "", maxHeight);
}

intptr_t WideMenu(intptr_t maxHeight, wide::Flags flags, const wchar_t* title, const wchar_t* bottom,
                  intptr_t* breakCode, const wide::MenuLine* items, size_t count) {
    if (breakCode) *breakCode = -1;
    if (!items || count == 0 || MessagesGoToStandardError()) return -1;
    std::vector<std::string> lines;
    lines.reserve(count);
    int selected = -1;
    for (size_t i = 0; i < count; ++i) {
        lines.push_back(items[i].text ? Utf8FromWide(items[i].text) : std::string());
        if ((items[i].flags & wide::menuLineFlag::Selected) && selected < 0) selected = static_cast<int>(i);
    }
    const int rows = maxHeight > 0 && maxHeight < INT_MAX ? static_cast<int>(maxHeight) : 0;
    return RunMenu(std::move(lines), selected, (flags & wide::menuFlag::WrapCursor) != 0,
                   title ? Utf8FromWide(title) : "", bottom ? Utf8FromWide(bottom) : "", rows);
}

int HOSTAPI PanelControl(void* handle, int command, void* parameter) {
    if (handle != panelControl::activePanel || command != panelControl::GetState || !parameter || !active.pane)
        return 0;
    const Pane& pane = *active.pane;
    active.items.clear();
    active.selected.clear();
    for (size_t i = 0; i < pane.names.size(); ++i) active.items.push_back(ItemOf(pane.names[i], IsSelected(pane, i)));
    for (int index : PaneSelection(pane)) active.selected.push_back(active.items[static_cast<size_t>(index)]);

    PanelState& state = *static_cast<PanelState*>(parameter);
    std::memset(&state, 0, sizeof state);
    state.type = panelControl::FilePanel;
    state.items = active.items.data();
    state.itemCount = static_cast<int>(active.items.size());
    state.selectedItems = active.selected.data();
    state.selectedCount = static_cast<int>(active.selected.size());
    state.currentItem = pane.cursor;
    state.topItem = pane.top;
    state.visible = 1;
    state.focus = 1;
    state.flags = panelControl::RealNames;
    snprintf(state.folder, sizeof state.folder, "%s", SystemOemFromUtf8(active.folder).c_str());
    return 1;
}

intptr_t HOSTAPI WidePanelControl(wide::Handle panel, int command, intptr_t parameter1, void* parameter2) {
    if (panel != wide::activePanel || !active.pane) return 0;
    const Pane& pane = *active.pane;
    const int count = static_cast<int>(pane.names.size());
    switch (command) {
    case wide::panelCommand::GetState: {
        auto* state = static_cast<wide::PanelState*>(parameter2);
        if (!state || state->size < sizeof(wide::PanelState)) return 0;
        const size_t size = state->size;
        *state = wide::PanelState{};
        state->size = size;
        state->flags = wide::panelFlag::RealNames | wide::panelFlag::Visible | wide::panelFlag::Focus;
        state->itemCount = static_cast<size_t>(count);
        state->selectedCount = WideSelection(pane).size();
        state->currentItem = static_cast<size_t>(pane.cursor);
        state->topItem = static_cast<size_t>(pane.top);
        return 1;
    }
    case wide::panelCommand::GetItem:
        if (parameter1 < 0 || parameter1 >= count) return 0;
        return static_cast<intptr_t>(PackItem(pane, static_cast<int>(parameter1), parameter2));
    case wide::panelCommand::GetSelectedItem: {
        const std::vector<int> selection = WideSelection(pane);
        if (parameter1 < 0 || static_cast<size_t>(parameter1) >= selection.size()) return 0;
        return static_cast<intptr_t>(PackItem(pane, selection[static_cast<size_t>(parameter1)], parameter2));
    }
    case wide::panelCommand::GetCurrentItem:
        if (pane.cursor < 0 || pane.cursor >= count) return 0;
        return static_cast<intptr_t>(PackItem(pane, pane.cursor, parameter2));
    case wide::panelCommand::GetFolder: {
        // The folder without its closing backslash, as the host names folders; a drive's root keeps it.
        std::string folder = active.folder;
        if (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
        return static_cast<intptr_t>(
            PackPanelFolder(WideFromUtf8(folder), parameter2, parameter1 > 0 ? static_cast<size_t>(parameter1) : 0));
    }
    default:
        return 0;
    }
}

}  // namespace host
