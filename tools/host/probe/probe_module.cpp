// host-probe.dll: a module for testing quaver-host.exe. Its OpenPlugin works the host's callbacks
// through the HostServices record the host handed over, in the scenario named by the environment
// variable QUAVER_PROBE, writes what it saw on the screen, and waits for a key between steps so that a
// test can look at the console in each state.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "host/host_api.h"

namespace {

HostServices services;
const char* const titles[] = {"Host Probe"};

void Put(int x, int y, const std::string& text, int colour = 0x0F) { services.PutText(x, y, colour, text.c_str()); }
void Flush() { services.PutText(0, 0, 0, nullptr); }

// Blocks until a key is pressed in the console.
void WaitForKey() {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    INPUT_RECORD record;
    DWORD count = 0;
    while (ReadConsoleInputA(input, &record, 1, &count)) {
        if (count == 1 && record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown) return;
    }
}

// Names the step in the console's title (seen by a test without any flush) and waits for a key.
void Step(const char* name) {
    SetConsoleTitleA((std::string("probe:") + name).c_str());
    WaitForKey();
}

std::string Hex(intptr_t value) {
    char text[32];
    snprintf(text, sizeof text, "%02X", static_cast<unsigned>(value));
    return text;
}

// Reports the record and the callbacks that answer at once.
void Info() {
    Step("ready");
    char formatted[64] = "";
    const int length = services.standardFunctions->FormatText(formatted, "%s-%d-%i", "x", 7, -3);
    const int same = services.standardFunctions->CompareN("Winamp", "Winamp 2", 6);
    const int differ = services.standardFunctions->CompareN("abc", "abd", 3);
    const intptr_t number = services.moduleNumber;
    Put(0, 1, "size=" + std::to_string(services.size) + " number=" + std::to_string(static_cast<long long>(number)) +
                  " root=" + services.registryRoot);
    Put(0, 2, std::string("name=") + services.moduleName);
    Put(0, 3, std::string("lang22=[") + services.GetLangString(number, 22) + "] lang24=[" +
                  services.GetLangString(number, 24) + "] lang999=[" + services.GetLangString(number, 999) +
                  "] langneg=[" + services.GetLangString(number, -1) + "]");
    Put(0, 4, std::string("format=[") + formatted + "] length=" + std::to_string(length) +
                  " same=" + std::to_string(same) + " differ=" + std::to_string(differ < 0 ? -1 : differ));
    Put(0, 5, "colour21=" + Hex(services.HostControl(number, 4, 21)) + " colour23=" +
                  Hex(services.HostControl(number, 4, 23)) + " colour24=" + Hex(services.HostControl(number, 4, 24)) +
                  " colour29=" + Hex(services.HostControl(number, 4, 29)) + " colour30=" +
                  Hex(services.HostControl(number, 4, 30)) + " other=" +
                  std::to_string(services.HostControl(number, 7, 23)));
    // Another module's number, as a module that cut its own would pass: the host answers it nothing.
    const intptr_t wrong = number + 1;
    HostDialogItem item{};
    item.type = 7;
    const char* lines[] = {"Probe", "Wrong", "OK"};
    Put(0, 6, std::string("wrong: lang22=[") + services.GetLangString(wrong, 22) + "] colour23=" +
                  Hex(services.HostControl(wrong, 4, 23)) +
                  " dialog=" + std::to_string(services.ShowDialog(wrong, -1, -1, 10, 5, nullptr, &item, 1)) +
                  " message=" + std::to_string(services.ShowMessage(wrong, 0, nullptr, lines, 3, 1)));
    Put(0, 0, "probe:info");
    Flush();
    WaitForKey();
}

// A message box without buttons stays up after the call; restoring the saved screen removes it.
void Notice() {
    Step("ready");
    void* screen = services.SaveScreenArea(0, 0, -1, -1);
    const char* lines[] = {"", "Starting the player..."};
    const int result = services.ShowMessage(services.moduleNumber, 0, nullptr, lines, 2, 0);
    Put(0, 0, "probe:notice result=" + std::to_string(result));
    Flush();
    WaitForKey();
    services.RestoreScreenArea(screen);
    Put(0, 0, "probe:restored");
    Flush();
    WaitForKey();
}

// A message box with buttons waits for the user and reports the choice.
void Ask() {
    Step("ready");
    const char* lines[] = {"Probe", "Pick one", "Yes", "No"};
    const int result = services.ShowMessage(services.moduleNumber, 0, nullptr, lines, 4, 2);
    Put(0, 0, "probe:answer=" + std::to_string(result));
    Flush();
    WaitForKey();
}

// Text is clipped at every edge of the console and never wraps.
void Clip() {
    Step("ready");
    CONSOLE_SCREEN_BUFFER_INFO info;
    GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info);
    const int width = info.dwSize.X;
    const int height = info.dwSize.Y;
    Put(-5, 2, "0123456789", 0x1E);
    Put(width - 3, 3, "ABCDEFG", 0x2F);
    Put(0, -1, "ABOVE", 0x4F);
    Put(0, height, "BELOW", 0x4F);
    Put(width, 6, "RIGHT", 0x4F);
    Put(-100000, 7, "FAR", 0x4F);
    Put(0, 8, std::string(4000, '#'), 0x5F);
    Step("drawn");
    Flush();
    Put(0, 0, "probe:clipped");
    Flush();
    WaitForKey();
}

// Saved areas come back byte for byte; stale handles are ignored.
void SaveRestore() {
    Step("ready");
    void* area = services.SaveScreenArea(10, 5, 30, 10);
    void* corner = services.SaveScreenArea(70, 20, 500, 500);
    for (int y = 5; y <= 10; ++y) Put(10, y, std::string(21, '*'), 0x4E);
    for (int y = 20; y < 30; ++y) Put(70, y, std::string(20, '%'), 0x2E);
    Put(0, 0, "probe:scribbled");
    Flush();
    WaitForKey();
    services.RestoreScreenArea(area);
    services.RestoreScreenArea(corner);
    services.RestoreScreenArea(nullptr);
    services.RestoreScreenArea(area);  // already given back
    Put(0, 0, "probe:restored");
    Flush();
    WaitForKey();
}

// The dialog entry points of this host.
void Dialog() {
    Step("ready");
    HostDialogItem items[2]{};
    items[0].type = 3;
    items[0].x2 = 20;
    items[0].y2 = 5;
    strcpy(items[0].data, "Probe");
    items[1].type = 7;
    strcpy(items[1].data, "OK");
    const int result = services.ShowDialog(services.moduleNumber, -1, -1, 24, 7, nullptr, items, 2);
    Put(0, 0, "probe:dialog=" + std::to_string(result));
    Flush();
    WaitForKey();
}

}  // namespace

extern "C" {

__declspec(dllexport) void HOSTAPI SetStartupInfo(const HostServices* host) {
    memcpy(&services, host, sizeof services < static_cast<size_t>(host->size) ? sizeof services : host->size);
}

__declspec(dllexport) void HOSTAPI GetPluginInfo(PluginInfoRecord* info) {
    info->size = sizeof *info;
    info->menuTitles = titles;
    info->menuTitleCount = 1;
    info->configTitles = titles;
    info->configTitleCount = 1;
}

__declspec(dllexport) void* HOSTAPI OpenPlugin(int, intptr_t) {
    char scenario[32] = "";
    GetEnvironmentVariableA("QUAVER_PROBE", scenario, sizeof scenario);
    const std::string name = scenario;
    if (name == "info") Info();
    if (name == "notice") Notice();
    if (name == "ask") Ask();
    if (name == "clip") Clip();
    if (name == "save") SaveRestore();
    if (name == "dialog") Dialog();
    if (name == "help") {
        Step("ready");
        const int shown = services.ShowHelpTopic(services.moduleName, "Hotkeys", 0);
        Put(0, 0, "probe:help=" + std::to_string(shown));
        Flush();
        WaitForKey();
    }
    return reinterpret_cast<void*>(-1);
}

__declspec(dllexport) int HOSTAPI Configure(int) {
    Put(0, 0, "probe:configure");
    Flush();
    WaitForKey();
    return 1;
}
}
