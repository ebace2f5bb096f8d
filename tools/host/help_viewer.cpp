#include "help_viewer.h"

#include <windows.h>

#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "console.h"
#include "paths.h"
#include "pure/help_file.h"
#include "services.h"

namespace host {

namespace {

constexpr int WheelLines = 3;

std::map<int, std::string> modulePaths;

// The text of the first help file found, and its path; false when there is none.
bool ReadHelpFile(const std::string& moduleName, std::string* text, std::string* path) {
    std::vector<std::string> folders;
    const std::string moduleFolder = FolderOf(moduleName);
    if (!moduleFolder.empty()) folders.push_back(moduleFolder);
    folders.push_back(ProgramFolder());
    for (const std::string& folder : folders) {
        std::ifstream file(folder + HelpFileName, std::ios::binary);
        if (!file) continue;
        std::ostringstream contents;
        contents << file.rdbuf();
        *text = contents.str();
        *path = folder + HelpFileName;
        return true;
    }
    return false;
}

void ReportMissing(const std::string& first, const std::string& second) {
    const char* lines[] = {"Help", first.c_str(), second.c_str(), "OK"};
    ShowMessageBox(0, lines, 4, 1);
}

bool ReadHelpKey(const KEY_EVENT_RECORD& key, HelpKey* helpKey) {
    switch (key.wVirtualKeyCode) {
    case VK_UP: *helpKey = HelpKey::Up; return true;
    case VK_DOWN: *helpKey = HelpKey::Down; return true;
    case VK_PRIOR: *helpKey = HelpKey::PageUp; return true;
    case VK_NEXT: *helpKey = HelpKey::PageDown; return true;
    case VK_HOME: *helpKey = HelpKey::Home; return true;
    case VK_END: *helpKey = HelpKey::End; return true;
    case VK_ESCAPE:
    case VK_F10: *helpKey = HelpKey::Close; return true;
    default: return false;
    }
}

void RunViewer(const HelpTopic& topic) {
    Console& console = TheConsole();
    HelpView view(topic, console.Width(), console.Height());
    Rect covered = view.Area();
    void* under = console.SaveArea(covered.left, covered.top, covered.right, covered.bottom);
    bool open = true;
    while (open) {
        {
            Console::Drawing drawing(console);
            view.Draw(drawing.Screen());
        }
        console.Flush();
        INPUT_RECORD record;
        if (!console.ReadInput(&record)) break;
        if (record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown) {
            HelpKey key;
            if (ReadHelpKey(record.Event.KeyEvent, &key)) open = view.Key(key);
        } else if (record.EventType == MOUSE_EVENT && (record.Event.MouseEvent.dwEventFlags & MOUSE_WHEELED)) {
            // The wheel's distance is the signed high word of the button state: positive is away from the user.
            const auto distance = static_cast<SHORT>(HIWORD(record.Event.MouseEvent.dwButtonState));
            view.Scroll(distance > 0 ? -WheelLines : WheelLines);
        } else if (record.EventType == WINDOW_BUFFER_SIZE_EVENT && console.Remeasure()) {
            const int top = view.Top();
            view = HelpView(topic, console.Width(), console.Height());
            view.Scroll(top);
        }
    }
    console.RestoreArea(under);
}

int ShowHelp(const std::string& moduleName, const char* topicName) {
    const std::string wanted = topicName ? topicName : "";
    std::string text, path;
    if (!ReadHelpFile(moduleName, &text, &path)) {
        ReportMissing(std::string("The help file ") + HelpFileName + " was not found", "next to the module.");
        return 0;
    }
    const std::vector<HelpTopic> topics = ParseHelpFile(text);
    const HelpTopic* topic = FindHelpTopic(topics, wanted);
    if (!topic) {
        ReportMissing("The help topic \"" + wanted + "\" is not in", path);
        return 0;
    }
    RunViewer(*topic);
    return 1;
}

}  // namespace

int HOSTAPI ShowHelpTopic(const char* moduleName, const char* topic, unsigned /*flags*/) {
    // The module name is a fixed 260-byte field: never read past it.
    const std::string name = moduleName ? std::string(moduleName, strnlen(moduleName, MAX_PATH)) : std::string();
    return ShowHelp(name, topic);
}

void RegisterModuleForHelp(int moduleNumber, const std::string& modulePath) { modulePaths[moduleNumber] = modulePath; }

int ShowModuleHelp(int moduleNumber, const char* topic) {
    const auto found = modulePaths.find(moduleNumber);
    return ShowHelp(found == modulePaths.end() ? std::string() : found->second, topic);
}

}  // namespace host
