// A recording host for native tests: every callback of HostServices, drawing into a back buffer that a
// flush copies onto the fake console, so what the module draws can be read back as a person would see it.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "fake_os.h"
#include "host/host_api.h"

namespace fake {

struct PutTextCall {
    int x, y, colour;
    std::string text;  // empty with isFlush
    bool isFlush;
};

struct MessageBoxCall {
    unsigned flags;
    std::string helpTopic;
    std::vector<std::string> lines;
    int buttonCount;
};

struct DialogCall {
    bool extended;
    int x1, y1, x2, y2;
    std::string helpTopic;
    std::vector<HostDialogItem> items;  // as handed over
    DialogHandler handler;
};

struct DialogMessageCall {
    int message, parameter1;
    intptr_t parameter2;
};

struct MenuCall {
    unsigned flags;
    std::string title, bottom, helpTopic;
    std::vector<HostMenuItem> items;  // as handed over
};

struct Host {
    HostServices services{};
    HostStandardFunctions functions{};
    std::vector<Cell> back;  // the host's pending screen, console-sized
    std::vector<PutTextCall> putTexts;
    std::vector<MessageBoxCall> messageBoxes;
    std::map<int, std::string> messages;  // language file; missing numbers answer "message N"
    std::map<int, intptr_t> colours = {{23, 0x3F}, {24, 0x3E}, {21, 0x30}, {29, 0x2F}, {30, 0x1F}};
    std::vector<int> coloursAsked;
    int savedAreasLive = 0;
    std::vector<std::vector<int>> savedRects;  // {x1, y1, x2, y2}
    std::vector<std::vector<int>> saveRequests;  // {x1, y1, x2, y2} as asked, before -1 means "to the edge"
    int restores = 0;
    // Called on the caller's thread before each SaveScreenArea, without the host's lock.
    std::function<void(int x1, int y1, int x2, int y2)> onSaveScreenArea;
    std::vector<DialogCall> dialogs;
    // Runs a dialog: may change the items' states and call the handler; its result is the dialog's.
    std::function<int(DialogCall& call, HostDialogItem* items, int count)> runDialog;
    std::vector<DialogMessageCall> dialogMessages;   // SendDialogMessage
    std::vector<DialogMessageCall> defaultHandled;   // DefaultDialogHandler
    std::vector<MenuCall> menus;
    int menuChoice = -1;  // what ShowMenu answers
    // What PanelControl(-1, 1, ...) hands over; panelControlFails makes it answer 0.
    PanelState panel{};
    bool panelControlFails = false;
    std::vector<std::string> helpTopics;
    std::function<void()> onHelpTopic;
};

std::mutex& HostMutex();
Host& host();
// A fresh host record of the given size (the module's own sizeof by default) with every callback wired,
// and a back buffer matching the fake console. Call fake::Reset() first.
void ResetHost(int size = static_cast<int>(sizeof(HostServices)), const char* registryRoot = "Software\\Test\\Plugins");
// ResetHost, then SetStartupInfo with the record.
void StartModule(int size = static_cast<int>(sizeof(HostServices)), const char* registryRoot = "Software\\Test\\Plugins");

inline constexpr const char* testSettingsKey = "Software\\Test\\Plugins\\QuaverRemoteControl";

int FlushCount();
// Polls (really sleeping) until the host has seen at least that many flushes. Use this, not fake::WaitUntil:
// its predicate runs under the world's lock, which the host's callbacks take after their own.
bool WaitForFlushes(int count, uint32_t timeoutMs = 3000);
std::vector<PutTextCall> PutTexts();
// Text of the host's pending screen (not yet flushed), for checking batches before their flush.
std::string BackRow(int y, int x = 0, int count = -1);

}  // namespace fake
