#include "help_viewer.h"

#include <windows.h>

#include <map>
#include <vector>

#include "code_pages.h"
#include "console.h"
#include "language.h"
#include "paths.h"
#include "pure/help_file.h"
#include "pure/message_box.h"
#include "pure/text.h"
#include "services.h"

namespace host {

namespace {

constexpr int WheelLines = 3;

std::map<intptr_t, std::string> modulePaths;
std::string helpLanguage = "English";

void Report(const std::string& first, const std::string& second) {
    ShowMessageBox(0, MessageText{"Help", {first, second}, {"OK"}});
}

bool ReadHelpKey(const KEY_EVENT_RECORD& key, HelpKey* helpKey) {
    const bool shift = (key.dwControlKeyState & SHIFT_PRESSED) != 0;
    switch (key.wVirtualKeyCode) {
    case VK_UP: *helpKey = HelpKey::Up; return true;
    case VK_DOWN: *helpKey = HelpKey::Down; return true;
    case VK_PRIOR: *helpKey = HelpKey::PageUp; return true;
    case VK_NEXT: *helpKey = HelpKey::PageDown; return true;
    case VK_HOME: *helpKey = HelpKey::Home; return true;
    case VK_END: *helpKey = HelpKey::End; return true;
    case VK_TAB: *helpKey = shift ? HelpKey::PreviousLink : HelpKey::NextLink; return true;
    case VK_RETURN: *helpKey = HelpKey::Follow; return true;
    case VK_BACK: *helpKey = HelpKey::Back; return true;
    case VK_ESCAPE:
    case VK_F10: *helpKey = HelpKey::Close; return true;
    default: return false;
    }
}

// One topic until the user leaves it: where to go next, and the topic's name in `target` for a link.
HelpAction ShowTopic(const HelpTopic& topic, std::string* target) {
    Console& console = TheConsole();
    HelpView view(topic, console.Width(), console.Height());
    Rect covered = view.Area();
    void* under = console.SaveArea(covered.left, covered.top, covered.right, covered.bottom);
    HelpAction action = HelpAction::Stay;
    while (action == HelpAction::Stay) {
        {
            Console::Drawing drawing(console);
            view.Draw(drawing.Screen());
        }
        console.Flush();
        INPUT_RECORD record;
        if (!console.ReadInput(&record)) {
            action = HelpAction::Close;
        } else if (record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown) {
            HelpKey key;
            if (ReadHelpKey(record.Event.KeyEvent, &key)) action = view.Key(key);
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
    *target = view.SelectedTarget();
    console.RestoreArea(under);
    return action;
}

}  // namespace

bool ShowHelp(const HelpSource& source, const std::string& wanted) {
    std::vector<std::string> folders;
    const std::string moduleFolder = FolderOf(source.modulePath);
    if (!moduleFolder.empty()) folders.push_back(moduleFolder);
    folders.push_back(ProgramFolder());
    std::string path, text, problem;
    if (!ReadFileForLanguage(folders, "*.hlf", helpLanguage, source.coding, &path, &text, &problem)) {
        Report("The module's help cannot be shown:", problem);
        return 0;
    }
    HelpFile file;
    FileProblem fault;
    if (!ParseHelpFile(text, &file, &fault)) {
        Report("The help file is damaged:", DescribeProblem(path, fault));
        return 0;
    }
    if (!FindHelpTopic(file, wanted)) {
        Report("The help topic \"" + wanted + "\" is not in", path);
        return 0;
    }
    // Followed links pile up so that Backspace retraces them; going back from the first topic closes.
    std::vector<std::string> visited{wanted};
    while (!visited.empty()) {
        std::string target;
        const HelpAction action = ShowTopic(*FindHelpTopic(file, visited.back()), &target);
        if (action == HelpAction::Close) break;
        if (action == HelpAction::Back)
            visited.pop_back();
        else
            visited.push_back(target);  // a parsed file's links all lead to topics it has
    }
    return true;
}

int HOSTAPI ShowHelpTopic(const char* moduleName, const char* topic, unsigned /*flags*/) {
    // The module name is a fixed 260-byte field: never read past it.
    const std::string name = moduleName ? std::string(moduleName, strnlen(moduleName, MAX_PATH)) : std::string();
    return ShowHelp(HelpSource{Utf8FromAnsi(name), FileCoding::Oem}, topic ? Utf8FromOem(topic) : std::string());
}

void SetHelpLanguage(const std::string& language) { helpLanguage = language; }

void RegisterModuleForHelp(intptr_t moduleNumber, const std::string& modulePath) {
    modulePaths[moduleNumber] = modulePath;
}

int ShowModuleHelp(intptr_t moduleNumber, const char* topic) {
    const auto found = modulePaths.find(moduleNumber);
    return ShowHelp(HelpSource{found == modulePaths.end() ? std::string() : found->second, FileCoding::Oem},
                    topic ? Utf8FromOem(topic) : std::string());
}

}  // namespace host
