#include "panel_services.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "console.h"
#include "pure/menu_model.h"
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

PanelItem ItemOf(const std::string& listed, bool selected) {
    PanelItem item{};
    const bool folder = !listed.empty() && listed.back() == '\\';
    const std::string name = folder ? listed.substr(0, listed.size() - 1) : listed;
    snprintf(item.name, sizeof item.name, "%s", name.c_str());
    item.attributes = folder ? panelControl::FolderAttribute : 0;
    item.flags = selected ? panelControl::SelectedFlag : 0;
    return item;
}

}  // namespace

void SetActivePane(const Pane* pane, const std::string& folder) {
    active.pane = pane;
    active.folder = folder;
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
        lines.emplace_back(items[i].text, strnlen(items[i].text, sizeof items[i].text));
        if (items[i].selected && selected < 0) selected = i;
    }
    MenuModel menu(std::move(lines), selected, (flags & menuFlag::WrapCursor) != 0);
    Console& console = TheConsole();
    void* under = console.SaveArea(0, 0, -1, -1);
    const std::string titleText = title ? title : "";
    const std::string bottomText = bottom ? bottom : "";
    MenuModel::Outcome outcome = MenuModel::Outcome::Going;
    while (outcome == MenuModel::Outcome::Going) {
        {
            Console::Drawing drawing(console);
            DrawMenu(drawing.Screen(), menu, titleText, bottomText, maxHeight);
        }
        console.Flush();
        INPUT_RECORD record;
        if (!console.ReadInput(&record)) break;
        if (record.EventType != KEY_EVENT || !record.Event.KeyEvent.bKeyDown) continue;
        const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
        const int rows = MenuRows(console.Height(), static_cast<int>(menu.Shown().size()), maxHeight);
        outcome = menu.Key(key.wVirtualKeyCode, key.uChar.AsciiChar, rows);
    }
    console.RestoreArea(under);
    return outcome == MenuModel::Outcome::Chosen ? menu.Chosen() : -1;
}

int HOSTAPI PanelControl(void* handle, int command, void* parameter) {
    if (handle != panelControl::activePanel || command != panelControl::GetState || !parameter || !active.pane)
        return 0;
    const Pane& pane = *active.pane;
    active.items.clear();
    active.selected.clear();
    for (size_t i = 0; i < pane.names.size(); ++i)
        active.items.push_back(ItemOf(pane.names[i], i < pane.selected.size() && pane.selected[i]));
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
    snprintf(state.folder, sizeof state.folder, "%s", active.folder.c_str());
    return 1;
}

}  // namespace host
