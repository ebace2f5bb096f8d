// The binary interface between the console file manager (the host) and this module.
// One definition for both sides: the module, quaver-host.exe and every test host compile it.
// The 32-bit layout is fixed by the host byte for byte; 64-bit builds keep every slot's order and
// make address-carrying slots pointer-sized.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define HOSTAPI __stdcall
#else
#define HOSTAPI
#endif

struct HostDialogItem {
    int32_t type;
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
    int32_t focus;
    int32_t selected;
    uint32_t flags;
    int32_t isDefault;
    char data[512];
};

using DialogHandler = intptr_t(HOSTAPI*)(void* dialog, int message, int parameter1, intptr_t parameter2);

using ShowDialogFunction = int(HOSTAPI*)(int moduleNumber, int x1, int y1, int x2, int y2, const char* helpTopic,
                                         HostDialogItem* items, int itemCount);
using ShowMessageFunction = int(HOSTAPI*)(int moduleNumber, unsigned flags, const char* helpTopic,
                                          const char* const* lines, int lineCount, int buttonCount);
using GetLangStringFunction = const char*(HOSTAPI*)(int moduleNumber, int messageNumber);
using SaveScreenAreaFunction = void*(HOSTAPI*)(int x1, int y1, int x2, int y2);
using RestoreScreenAreaFunction = void(HOSTAPI*)(void* handle);
using PutTextFunction = void(HOSTAPI*)(int x, int y, int colour, const char* text);
using ShowHelpTopicFunction = int(HOSTAPI*)(const char* moduleName, const char* topic, unsigned flags);
using HostControlFunction = intptr_t(HOSTAPI*)(int moduleNumber, int command, intptr_t parameter);
using ShowDialogExFunction = int(HOSTAPI*)(int moduleNumber, int x1, int y1, int x2, int y2, const char* helpTopic,
                                           HostDialogItem* items, int itemCount, unsigned flags, unsigned reserved,
                                           DialogHandler handler, intptr_t handlerParameter);
using SendDialogMessageFunction = intptr_t(HOSTAPI*)(void* dialog, int message, int parameter1,
                                                      intptr_t parameter2);
using DefaultDialogHandlerFunction = intptr_t(HOSTAPI*)(void* dialog, int message, int parameter1,
                                                         intptr_t parameter2);
using FormatTextFunction = int (*)(char* buffer, const char* format, ...);  // cdecl: the caller pops
using CompareNFunction = int(HOSTAPI*)(const char* a, const char* b, size_t n);

struct HostStandardFunctions {
    void* reserved0[5];
    FormatTextFunction FormatText;  // slot 5
    void* reserved6[24];
    CompareNFunction CompareN;  // slot 30
    void* reserved31[26];
};

struct HostServices {
    int size;
    char moduleName[260];
    int moduleNumber;
    const char* registryRoot;
    void* reserved272;
    ShowDialogFunction ShowDialog;
    ShowMessageFunction ShowMessage;
    GetLangStringFunction GetLangString;
    void* reserved288;
    SaveScreenAreaFunction SaveScreenArea;
    RestoreScreenAreaFunction RestoreScreenArea;
    void* reserved300[7];
    PutTextFunction PutText;
    void* reserved332;
    HostStandardFunctions* standardFunctions;
    ShowHelpTopicFunction ShowHelpTopic;
    HostControlFunction HostControl;
    void* reserved348;
    ShowDialogExFunction ShowDialogEx;
    SendDialogMessageFunction SendDialogMessage;
    DefaultDialogHandlerFunction DefaultDialogHandler;
    void* reserved364;
    void* reserved368;
};

struct PluginInfoRecord {
    int size;
    uint32_t flags;
    void* reserved8;
    void* reserved12;
    int otherListCount;  // a list this module does not offer
    const char* const* menuTitles;
    int menuTitleCount;
    const char* const* configTitles;
    int configTitleCount;
    const char* commandPrefixes;  // prefixes of the host's command line that reach this module, ':'-separated
    uint32_t reserved40;
};

// What the last "PREFIX:WORDS" did. The file manager neither asks nor needs it; a host that wants it passes
// GetPluginInfo a PluginInfoReport with its size, and reads commandStatus back.
namespace commandStatus {
constexpr uint32_t None = 0;         // no words since the module was loaded, or the text held none
constexpr uint32_t Sent = 1;         // the player took every word
constexpr uint32_t Refused = 2;      // a word named no command, or the text was too long: nothing sent
constexpr uint32_t NoPlayer = 3;     // no player, and none to be started: nothing sent
constexpr uint32_t StartFailed = 4;  // a start brought no player: nothing sent
constexpr uint32_t NotAnswered = 5;  // the player did not take a word; the later words were not sent
}  // namespace commandStatus

struct PluginInfoReport {
    PluginInfoRecord info;  // info.size = sizeof(PluginInfoReport) asks for what follows
    uint32_t commandStatus;
};

static_assert(sizeof(HostDialogItem) == 548);
static_assert(offsetof(HostDialogItem, selected) == 24);
static_assert(offsetof(HostDialogItem, flags) == 28);
static_assert(offsetof(HostDialogItem, isDefault) == 32);
static_assert(offsetof(HostDialogItem, data) == 36);

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(HostServices) == 372);
static_assert(offsetof(HostServices, moduleName) == 4);
static_assert(offsetof(HostServices, moduleNumber) == 264);
static_assert(offsetof(HostServices, registryRoot) == 268);
static_assert(offsetof(HostServices, ShowDialog) == 276);
static_assert(offsetof(HostServices, ShowMessage) == 280);
static_assert(offsetof(HostServices, GetLangString) == 284);
static_assert(offsetof(HostServices, SaveScreenArea) == 292);
static_assert(offsetof(HostServices, RestoreScreenArea) == 296);
static_assert(offsetof(HostServices, PutText) == 328);
static_assert(offsetof(HostServices, standardFunctions) == 336);
static_assert(offsetof(HostServices, ShowHelpTopic) == 340);
static_assert(offsetof(HostServices, HostControl) == 344);
static_assert(offsetof(HostServices, ShowDialogEx) == 352);
static_assert(offsetof(HostServices, SendDialogMessage) == 356);
static_assert(offsetof(HostServices, DefaultDialogHandler) == 360);
static_assert(sizeof(HostStandardFunctions) == 228);
static_assert(offsetof(HostStandardFunctions, FormatText) == 20);
static_assert(offsetof(HostStandardFunctions, CompareN) == 120);
static_assert(sizeof(PluginInfoRecord) == 44);
static_assert(offsetof(PluginInfoRecord, flags) == 4);
static_assert(offsetof(PluginInfoRecord, otherListCount) == 16);
static_assert(offsetof(PluginInfoRecord, menuTitles) == 20);
static_assert(offsetof(PluginInfoRecord, menuTitleCount) == 24);
static_assert(offsetof(PluginInfoRecord, configTitles) == 28);
static_assert(offsetof(PluginInfoRecord, configTitleCount) == 32);
static_assert(offsetof(PluginInfoRecord, commandPrefixes) == 36);
static_assert(offsetof(PluginInfoRecord, reserved40) == 40);
#elif UINTPTR_MAX == UINT64_MAX
static_assert(sizeof(HostServices) == 480);
static_assert(offsetof(HostServices, registryRoot) == 272);
static_assert(offsetof(HostServices, ShowDialog) == 288);
static_assert(offsetof(HostServices, PutText) == 392);
static_assert(offsetof(HostServices, standardFunctions) == 408);
static_assert(offsetof(HostServices, DefaultDialogHandler) == 456);
static_assert(sizeof(HostStandardFunctions) == 456);
static_assert(offsetof(HostStandardFunctions, FormatText) == 40);
static_assert(offsetof(HostStandardFunctions, CompareN) == 240);
static_assert(sizeof(PluginInfoRecord) == 80);
static_assert(offsetof(PluginInfoRecord, menuTitles) == 32);
static_assert(offsetof(PluginInfoRecord, configTitleCount) == 56);
static_assert(offsetof(PluginInfoRecord, commandPrefixes) == 64);
#endif

// The four exports. Undecorated names come from quaver.def on 32-bit.
extern "C" {
void HOSTAPI SetStartupInfo(const HostServices* services);
void HOSTAPI GetPluginInfo(PluginInfoRecord* info);
void* HOSTAPI OpenPlugin(int openFrom, intptr_t item);
int HOSTAPI Configure(int itemNumber);
}
