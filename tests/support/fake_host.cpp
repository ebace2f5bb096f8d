#include "fake_host.h"
#include "host_text_functions.h"

#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <thread>

namespace fake {

namespace {

std::mutex hostMutex;
Host theHost;

struct SavedArea {
    int x1, y1, x2, y2;
    std::vector<Cell> cells;
};

int Width() { return world().width; }

// The module's number is the address of the host's record, as the file manager gives it: wider than 32 bits
// here. Every callback that takes a number answers any other as that host does: no text, no box, no dialog.
intptr_t ModuleNumber() { return reinterpret_cast<intptr_t>(&theHost); }
bool IsModuleNumber(intptr_t number) { return number == ModuleNumber(); }
int Height() { return world().height; }

// A test may resize the console after the host was made: the back buffer follows. Caller holds both locks.
void FollowConsoleSize() {
    if (theHost.back.size() != world().screen.size()) theHost.back = world().screen;
}

void HOSTAPI PutText(int x, int y, int colour, const char* text) {
    std::lock_guard lock(hostMutex);
    if (!text) {
        theHost.putTexts.push_back(PutTextCall{x, y, colour, "", true});
        std::lock_guard worldLock(Mutex());
        FollowConsoleSize();
        world().screen = theHost.back;
        return;
    }
    theHost.putTexts.push_back(PutTextCall{x, y, colour, text, false});
    std::lock_guard worldLock(Mutex());
    FollowConsoleSize();
    for (int i = 0; text[i]; ++i) {
        const int column = x + i;
        if (column < 0 || y < 0 || column >= Width() || y >= Height()) continue;
        theHost.back[static_cast<size_t>(y * Width() + column)] = Cell{text[i], static_cast<uint16_t>(colour)};
    }
}

void* HOSTAPI SaveScreenArea(int x1, int y1, int x2, int y2) {
    std::function<void(int, int, int, int)> hook;
    {
        std::lock_guard lock(hostMutex);
        hook = theHost.onSaveScreenArea;
    }
    if (hook) hook(x1, y1, x2, y2);
    std::lock_guard lock(hostMutex);
    std::lock_guard worldLock(Mutex());
    FollowConsoleSize();
    theHost.saveRequests.push_back({x1, y1, x2, y2});
    if (x2 < 0) x2 = Width() - 1;
    if (y2 < 0) y2 = Height() - 1;
    auto* area = new SavedArea{x1, y1, x2, y2, {}};
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x)
            area->cells.push_back(x >= 0 && y >= 0 && x < Width() && y < Height()
                                      ? theHost.back[static_cast<size_t>(y * Width() + x)]
                                      : Cell{});
    ++theHost.savedAreasLive;
    theHost.savedRects.push_back({x1, y1, x2, y2});
    return area;
}

void HOSTAPI RestoreScreenArea(void* handle) {
    std::lock_guard lock(hostMutex);
    if (!handle) return;
    std::unique_ptr<SavedArea> area(static_cast<SavedArea*>(handle));
    std::lock_guard worldLock(Mutex());
    FollowConsoleSize();
    size_t i = 0;
    for (int y = area->y1; y <= area->y2; ++y)
        for (int x = area->x1; x <= area->x2; ++x, ++i)
            if (x >= 0 && y >= 0 && x < Width() && y < Height())
                theHost.back[static_cast<size_t>(y * Width() + x)] = area->cells[i];
    --theHost.savedAreasLive;
    ++theHost.restores;
}

int HOSTAPI ShowMessage(intptr_t number, unsigned flags, const char* helpTopic, const char* const* lines,
                        int lineCount, int buttonCount) {
    if (!IsModuleNumber(number)) return -1;
    std::lock_guard lock(hostMutex);
    MessageBoxCall call{flags, helpTopic ? helpTopic : "", {}, buttonCount};
    for (int i = 0; i < lineCount; ++i) call.lines.push_back(lines[i] ? lines[i] : "(null)");
    theHost.messageBoxes.push_back(call);
    return 0;
}

int HOSTAPI ShowMenu(intptr_t number, int, int, int, unsigned flags, const char* title, const char* bottom,
                     const char* helpTopic, const int*, int*, const HostMenuItem* items, int itemCount) {
    if (!IsModuleNumber(number)) return -1;
    std::lock_guard lock(hostMutex);
    theHost.menus.push_back(MenuCall{flags, title ? title : "", bottom ? bottom : "", helpTopic ? helpTopic : "",
                                     std::vector<HostMenuItem>(items, items + itemCount)});
    return theHost.menuChoice;
}

int HOSTAPI PanelControl(void* handle, int command, void* parameter) {
    std::lock_guard lock(hostMutex);
    if (handle != panelControl::activePanel || command != panelControl::GetState || theHost.panelControlFails)
        return 0;
    *static_cast<PanelState*>(parameter) = theHost.panel;
    return 1;
}

const char* HOSTAPI GetLangString(intptr_t moduleNumber, int number) {
    if (!IsModuleNumber(moduleNumber)) return nullptr;
    std::lock_guard lock(hostMutex);
    auto found = theHost.messages.find(number);
    if (found == theHost.messages.end())
        found = theHost.messages.emplace(number, "message " + std::to_string(number)).first;
    return found->second.c_str();
}

intptr_t HOSTAPI HostControl(intptr_t number, int command, intptr_t parameter) {
    if (!IsModuleNumber(number)) return 0;
    std::lock_guard lock(hostMutex);
    if (command != 4) return 0;
    theHost.coloursAsked.push_back(static_cast<int>(parameter));
    auto found = theHost.colours.find(static_cast<int>(parameter));
    return found == theHost.colours.end() ? 0 : found->second;
}

int RunDialog(bool extended, int x1, int y1, int x2, int y2, const char* helpTopic, HostDialogItem* items,
              int count, DialogHandler handler) {
    std::function<int(DialogCall&, HostDialogItem*, int)> run;
    DialogCall* call;
    {
        std::lock_guard lock(hostMutex);
        theHost.dialogs.push_back(DialogCall{extended, x1, y1, x2, y2, helpTopic ? helpTopic : "",
                                             std::vector<HostDialogItem>(items, items + count), handler});
        call = &theHost.dialogs.back();
        run = theHost.runDialog;
    }
    DialogCall copy = *call;
    return run ? run(copy, items, count) : -1;
}

int HOSTAPI ShowDialog(intptr_t number, int x1, int y1, int x2, int y2, const char* helpTopic,
                       HostDialogItem* items, int count) {
    if (!IsModuleNumber(number)) return -1;
    return RunDialog(false, x1, y1, x2, y2, helpTopic, items, count, nullptr);
}

int HOSTAPI ShowDialogEx(intptr_t number, int x1, int y1, int x2, int y2, const char* helpTopic,
                         HostDialogItem* items, int count, unsigned, unsigned, DialogHandler handler, intptr_t) {
    if (!IsModuleNumber(number)) return -1;
    return RunDialog(true, x1, y1, x2, y2, helpTopic, items, count, handler);
}

intptr_t HOSTAPI SendDialogMessage(void*, int message, int parameter1, intptr_t parameter2) {
    std::lock_guard lock(hostMutex);
    theHost.dialogMessages.push_back(DialogMessageCall{message, parameter1, parameter2});
    return message == 1 ? parameter1 : 0;
}

intptr_t HOSTAPI DefaultDialogHandler(void*, int message, int parameter1, intptr_t parameter2) {
    std::lock_guard lock(hostMutex);
    theHost.defaultHandled.push_back(DialogMessageCall{message, parameter1, parameter2});
    return 0;
}

int HOSTAPI ShowHelpTopic(const char*, const char* topic, unsigned) {
    std::function<void()> hook;
    {
        std::lock_guard lock(hostMutex);
        theHost.helpTopics.push_back(topic ? topic : "");
        hook = theHost.onHelpTopic;
    }
    if (hook) hook();
    return 1;
}

}  // namespace

std::mutex& HostMutex() { return hostMutex; }
Host& host() { return theHost; }

void ResetHost(int size, const char* registryRoot) {
    std::lock_guard lock(hostMutex);
    theHost = Host{};
    {
        std::lock_guard worldLock(Mutex());
        theHost.back = world().screen;
    }
    HostServices& s = theHost.services;
    s.size = size;
    std::snprintf(s.moduleName, sizeof s.moduleName, "%s", "C:\\Host\\Plugins\\quaver.dll");
    s.moduleNumber = ModuleNumber();
    s.registryRoot = registryRoot;
    s.ShowMenu = ShowMenu;
    s.PanelControl = PanelControl;
    s.ShowDialog = ShowDialog;
    s.ShowMessage = ShowMessage;
    s.GetLangString = GetLangString;
    s.SaveScreenArea = SaveScreenArea;
    s.RestoreScreenArea = RestoreScreenArea;
    s.PutText = PutText;
    s.standardFunctions = &theHost.functions;
    s.ShowHelpTopic = ShowHelpTopic;
    s.HostControl = HostControl;
    s.ShowDialogEx = ShowDialogEx;
    s.SendDialogMessage = SendDialogMessage;
    s.DefaultDialogHandler = DefaultDialogHandler;
    theHost.functions.FormatText = testhost::FormatText;
    theHost.functions.CompareN = testhost::CompareN;
}

void StartModule(int size, const char* registryRoot) {
    ResetHost(size, registryRoot);
    SetStartupInfo(&theHost.services);
}

int FlushCount() {
    std::lock_guard lock(hostMutex);
    int flushes = 0;
    for (const auto& call : theHost.putTexts) flushes += call.isFlush;
    return flushes;
}

bool WaitForFlushes(int count, uint32_t timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (FlushCount() < count) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

std::vector<PutTextCall> PutTexts() {
    std::lock_guard lock(hostMutex);
    return theHost.putTexts;
}

std::string BackRow(int y, int x, int count) {
    std::lock_guard lock(hostMutex);
    std::lock_guard worldLock(Mutex());
    std::string row;
    if (y < 0 || y >= Height()) return row;
    if (count < 0) count = Width() - x;
    for (int column = x; column < x + count && column < Width(); ++column)
        if (column >= 0) row += theHost.back[static_cast<size_t>(y * Width() + column)].character;
    return row;
}

}  // namespace fake
