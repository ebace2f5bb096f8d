#include "screens.h"

#include <windows.h>

#include <algorithm>

#include "console.h"
#include "paths.h"

namespace host {

namespace {

// The file list's keys, as in the file manager; true when the list changed.
bool MoveInFileList(Pane& pane, WORD key, int screenHeight) {
    const int page = screenHeight > 8 ? screenHeight - 8 : 1;
    const int count = static_cast<int>(pane.names.size());
    switch (key) {
    case VK_UP: MovePaneCursor(pane, -1); return true;
    case VK_DOWN: MovePaneCursor(pane, 1); return true;
    case VK_PRIOR: MovePaneCursor(pane, -page); return true;
    case VK_NEXT: MovePaneCursor(pane, page); return true;
    case VK_HOME: MovePaneCursor(pane, -count); return true;
    case VK_END: MovePaneCursor(pane, count); return true;
    case VK_INSERT: ToggleSelection(pane); return true;
    default: return false;
    }
}

const std::vector<KeyBarItem> panelKeys = {{"Esc", "Close panel"}, {"F1", "About"}, {"Space", "Time"}};
const std::vector<KeyBarItem> menuKeys = {{"Enter", "Open panel"}, {"F9", "Configure"}, {"F10", "Quit"}};
constexpr MenuChoice menuChoices[] = {MenuChoice::OpenPanel, MenuChoice::Configure, MenuChoice::Quit};

}  // namespace

HostScreen::HostScreen(const std::string& title, Pane left, Pane right) {
    backdrop_.title = "Quaver Host - " + title;
    backdrop_.left = std::move(left);
    backdrop_.right = std::move(right);
    backdrop_.keys = menuKeys;
}

void HostScreen::SetStatus(const std::string& text, bool notice) {
    backdrop_.status = text;
    backdrop_.statusNotice = notice;
}

void HostScreen::Draw() {
    Console& console = TheConsole();
    // The console may have been resized while a module had it (and read the event itself).
    console.Remeasure();
    {
        Console::Drawing drawing(console);
        DrawBackdrop(drawing.Screen(), backdrop_);
    }
    console.Flush();
}

void HostScreen::ShowPanelKeys() {
    backdrop_.keys = panelKeys;
    Draw();
}

MenuChoice HostScreen::RunMenu() {
    Console& console = TheConsole();
    backdrop_.keys = menuKeys;
    Draw();
    while (true) {
        INPUT_RECORD record;
        if (!console.ReadInput(&record)) return MenuChoice::Quit;
        switch (record.EventType) {
        case KEY_EVENT: {
            const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
            if (!key.bKeyDown) break;
            if (key.wVirtualKeyCode == VK_RETURN) return MenuChoice::OpenPanel;
            if (key.wVirtualKeyCode == VK_F9) return MenuChoice::Configure;
            if (key.wVirtualKeyCode == VK_F10 || key.wVirtualKeyCode == VK_ESCAPE) return MenuChoice::Quit;
            if (MoveInFileList(backdrop_.left, key.wVirtualKeyCode, console.Height())) Draw();
            break;
        }
        case MOUSE_EVENT: {
            const MOUSE_EVENT_RECORD& mouse = record.Event.MouseEvent;
            if (!(mouse.dwButtonState & FROM_LEFT_1ST_BUTTON_PRESSED) || (mouse.dwEventFlags & MOUSE_MOVED)) break;
            const int item = KeyBarItemAt(menuKeys, console.Width(), console.Height(), mouse.dwMousePosition.X,
                                          mouse.dwMousePosition.Y);
            if (item >= 0) return menuChoices[item];
            break;
        }
        case WINDOW_BUFFER_SIZE_EVENT:
            if (console.Remeasure()) Draw();
            break;
        default:
            break;
        }
    }
}

Pane ListFolder(const std::string& folder) {
    Pane pane;
    pane.heading = folder;
    std::vector<std::string> folders;
    std::vector<std::string> files;
    for (const FoundName& found : FindNames(folder, "*")) {
        if (found.name == ".") continue;
        if (found.folder) {
            folders.push_back(found.name + "\\");
        } else {
            files.push_back(found.name);
        }
    }
    std::sort(folders.begin(), folders.end());
    std::sort(files.begin(), files.end());
    pane.names = std::move(folders);
    pane.names.insert(pane.names.end(), files.begin(), files.end());
    return pane;
}

}  // namespace host
