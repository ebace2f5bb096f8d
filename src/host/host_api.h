// The binary interface between the console file manager (the host) and this module.
// One definition for both sides: the module, quaver-host.exe and every test host compile it.
// The 32-bit layout is fixed by the host byte for byte. The 64-bit layout is the one the host's own 64-bit
// build uses: every slot in the 32-bit order, naturally aligned, with addresses and the module number
// (which the host makes the address of its record for the module) 8 bytes wide.
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
    union {
        int32_t selected;  // check boxes and radio buttons
        intptr_t address;  // what other item kinds keep in the same slot: 8 bytes on 64-bit
    };
    uint32_t flags;
    int32_t defaultButton;
    char data[512];
};

using DialogHandler = intptr_t(HOSTAPI*)(void* dialog, int message, int parameter1, intptr_t parameter2);

using ShowDialogFunction = int(HOSTAPI*)(intptr_t moduleNumber, int x1, int y1, int x2, int y2, const char* helpTopic,
                                         HostDialogItem* items, int itemCount);
using ShowMessageFunction = int(HOSTAPI*)(intptr_t moduleNumber, unsigned flags, const char* helpTopic,
                                          const char* const* lines, int lineCount, int buttonCount);
using GetLangStringFunction = const char*(HOSTAPI*)(intptr_t moduleNumber, int messageNumber);
using SaveScreenAreaFunction = void*(HOSTAPI*)(int x1, int y1, int x2, int y2);
using RestoreScreenAreaFunction = void(HOSTAPI*)(void* handle);
using PutTextFunction = void(HOSTAPI*)(int x, int y, int colour, const char* text);
using ShowHelpTopicFunction = int(HOSTAPI*)(const char* moduleName, const char* topic, unsigned flags);
using HostControlFunction = intptr_t(HOSTAPI*)(intptr_t moduleNumber, int command, intptr_t parameter);
using ShowDialogExFunction = int(HOSTAPI*)(intptr_t moduleNumber, int x1, int y1, int x2, int y2, const char* helpTopic,
                                           HostDialogItem* items, int itemCount, unsigned flags, unsigned reserved,
                                           DialogHandler handler, intptr_t handlerParameter);
using SendDialogMessageFunction = intptr_t(HOSTAPI*)(void* dialog, int message, int parameter1,
                                                      intptr_t parameter2);
using DefaultDialogHandlerFunction = intptr_t(HOSTAPI*)(void* dialog, int message, int parameter1,
                                                         intptr_t parameter2);
using FormatTextFunction = int (*)(char* buffer, const char* format, ...);  // cdecl: the caller pops
using CompareNFunction = int(HOSTAPI*)(const char* a, const char* b, size_t n);

// One line of a host menu: the same 140 bytes on both widths.
struct HostMenuItem {
    char text[128];  // OEM code page, zero-terminated
    int selected;    // the cursor starts on it
    int checked;
    int separator;
};

namespace menuFlag {
constexpr unsigned ShowAmpersand = 1;  // '&' is shown as itself, not as a hot-key marker
constexpr unsigned WrapCursor = 2;
}  // namespace menuFlag

// x = y = -1 centres, maxHeight 0 lets the host choose; breakKeys and breakCode may be null.
// Gives the chosen item's index, or -1 when the menu was cancelled.
using ShowMenuFunction = int(HOSTAPI*)(intptr_t moduleNumber, int x, int y, int maxHeight, unsigned flags,
                                       const char* title, const char* bottom, const char* helpTopic,
                                       const int* breakKeys, int* breakCode, const HostMenuItem* items,
                                       int itemCount);

struct HostFileTime {
    uint32_t low;
    uint32_t high;
};

// One entry of a panel. The 32-bit host packs it to 2 bytes; its 64-bit build aligns it naturally.
#if defined(_WIN32) && !defined(_WIN64)
#pragma pack(push, 2)
#endif
struct PanelItem {
    uint32_t attributes;  // 0x10: a folder
    HostFileTime creationTime;
    HostFileTime lastAccessTime;
    HostFileTime lastWriteTime;
    uint32_t sizeHigh;
    uint32_t sizeLow;
    uint32_t reserved36;
    uint32_t reserved40;
    char name[260];  // OEM code page
    char shortName[14];
    uint32_t packedSizeHigh;
    uint32_t packedSize;
    uint32_t flags;  // 0x40000000: selected
    uint32_t links;
    const char* description;
    const char* owner;
    const char* const* customColumnData;
    int customColumnCount;
    uintptr_t userData;  // the supplying plug-in's own value, wide enough for its addresses
    uint32_t crc;
    uintptr_t reserved[2];
};
#if defined(_WIN32) && !defined(_WIN64)
#pragma pack(pop)
#endif

// What the host tells about one of its panels. The host owns it, and the item arrays it points at, until
// its next call.
struct PanelState {
    int type;         // 0: a file panel
    int pluginPanel;  // non-zero when a plug-in supplies the panel
    int rect[4];
    PanelItem* items;
    int itemCount;
    PanelItem* selectedItems;
    int selectedCount;
    int currentItem;
    int topItem;
    int visible;
    int focus;
    int viewMode;
    char columnTypes[80];
    char columnWidths[80];
    char folder[260];  // OEM code page
    int shortNames;
    int sortMode;
    uint32_t flags;  // 0x20: the names are real file names
    uint32_t reserved492;
};

namespace panelControl {
constexpr int GetState = 1;
constexpr int FilePanel = 0;
constexpr uint32_t RealNames = 0x20;
constexpr uint32_t FolderAttribute = 0x10;
constexpr uint32_t SelectedFlag = 0x40000000;
inline void* const activePanel = reinterpret_cast<void*>(static_cast<intptr_t>(-1));
}  // namespace panelControl

// Non-zero on success; handle panelControl::activePanel is the host's own active panel.
using PanelControlFunction = int(HOSTAPI*)(void* handle, int command, void* parameter);

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
    intptr_t moduleNumber;  // the host's own value, handed back with every call that asks for it
    const char* registryRoot;
    ShowMenuFunction ShowMenu;
    ShowDialogFunction ShowDialog;
    ShowMessageFunction ShowMessage;
    GetLangStringFunction GetLangString;
    PanelControlFunction PanelControl;
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
constexpr uint32_t Adding = 6;       // files are still on their way to the player (add): ask again later
}  // namespace commandStatus

struct PluginInfoReport {
    PluginInfoRecord info;  // info.size = sizeof(PluginInfoReport) asks for what follows
    uint32_t commandStatus;
    uint32_t filesAdded;  // of the last add: the files sent to the player so far, and of how many
    uint32_t filesToAdd;
};

// Every offset the host relies on, for each width. A host of ours compiles these same records, so only these
// checks keep the module and our hosts from agreeing on a layout the real host does not use.
static_assert(sizeof(HostMenuItem) == 140);
static_assert(offsetof(HostMenuItem, selected) == 128);
static_assert(offsetof(HostMenuItem, checked) == 132);
static_assert(offsetof(HostMenuItem, separator) == 136);
// The same on both widths: everything before the first address.
static_assert(offsetof(HostDialogItem, x1) == 4);
static_assert(offsetof(HostDialogItem, y1) == 8);
static_assert(offsetof(HostDialogItem, x2) == 12);
static_assert(offsetof(HostDialogItem, y2) == 16);
static_assert(offsetof(HostDialogItem, focus) == 20);
static_assert(offsetof(HostDialogItem, selected) == 24);
static_assert(offsetof(HostDialogItem, address) == 24);
static_assert(offsetof(HostServices, moduleName) == 4);
static_assert(offsetof(HostServices, moduleNumber) == 264);
static_assert(offsetof(PanelItem, creationTime) == 4);
static_assert(offsetof(PanelItem, lastAccessTime) == 12);
static_assert(offsetof(PanelItem, lastWriteTime) == 20);
static_assert(offsetof(PanelItem, sizeHigh) == 28);
static_assert(offsetof(PanelItem, sizeLow) == 32);
static_assert(offsetof(PanelItem, reserved36) == 36);
static_assert(offsetof(PanelItem, reserved40) == 40);
static_assert(offsetof(PanelItem, name) == 44);
static_assert(offsetof(PanelItem, shortName) == 304);
static_assert(offsetof(PanelState, pluginPanel) == 4);
static_assert(offsetof(PanelState, rect) == 8);
static_assert(offsetof(PanelState, items) == 24);

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(HostDialogItem) == 548);
static_assert(offsetof(HostDialogItem, flags) == 28);
static_assert(offsetof(HostDialogItem, defaultButton) == 32);
static_assert(offsetof(HostDialogItem, data) == 36);
static_assert(sizeof(HostServices) == 372);
static_assert(offsetof(HostServices, registryRoot) == 268);
static_assert(offsetof(HostServices, ShowMenu) == 272);
static_assert(offsetof(HostServices, ShowDialog) == 276);
static_assert(offsetof(HostServices, ShowMessage) == 280);
static_assert(offsetof(HostServices, GetLangString) == 284);
static_assert(offsetof(HostServices, PanelControl) == 288);
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
static_assert(sizeof(PanelItem) == 366);
static_assert(offsetof(PanelItem, packedSizeHigh) == 318);
static_assert(offsetof(PanelItem, packedSize) == 322);
static_assert(offsetof(PanelItem, flags) == 326);
static_assert(offsetof(PanelItem, links) == 330);
static_assert(offsetof(PanelItem, description) == 334);
static_assert(offsetof(PanelItem, owner) == 338);
static_assert(offsetof(PanelItem, customColumnData) == 342);
static_assert(offsetof(PanelItem, customColumnCount) == 346);
static_assert(offsetof(PanelItem, userData) == 350);
static_assert(offsetof(PanelItem, crc) == 354);
static_assert(offsetof(PanelItem, reserved) == 358);
static_assert(sizeof(PanelState) == 496);
static_assert(offsetof(PanelState, itemCount) == 28);
static_assert(offsetof(PanelState, selectedItems) == 32);
static_assert(offsetof(PanelState, selectedCount) == 36);
static_assert(offsetof(PanelState, currentItem) == 40);
static_assert(offsetof(PanelState, topItem) == 44);
static_assert(offsetof(PanelState, visible) == 48);
static_assert(offsetof(PanelState, focus) == 52);
static_assert(offsetof(PanelState, viewMode) == 56);
static_assert(offsetof(PanelState, columnTypes) == 60);
static_assert(offsetof(PanelState, columnWidths) == 140);
static_assert(offsetof(PanelState, folder) == 220);
static_assert(offsetof(PanelState, shortNames) == 480);
static_assert(offsetof(PanelState, sortMode) == 484);
static_assert(offsetof(PanelState, flags) == 488);
static_assert(offsetof(PanelState, reserved492) == 492);
#elif UINTPTR_MAX == UINT64_MAX
// The dialog item's slot at 24 is 8 bytes; selected is its first four.
static_assert(sizeof(HostDialogItem) == 552);
static_assert(offsetof(HostDialogItem, flags) == 32);
static_assert(offsetof(HostDialogItem, defaultButton) == 36);
static_assert(offsetof(HostDialogItem, data) == 40);
static_assert(sizeof(HostServices) == 480);
static_assert(offsetof(HostServices, registryRoot) == 272);
static_assert(offsetof(HostServices, ShowMenu) == 280);
static_assert(offsetof(HostServices, ShowDialog) == 288);
static_assert(offsetof(HostServices, ShowMessage) == 296);
static_assert(offsetof(HostServices, GetLangString) == 304);
static_assert(offsetof(HostServices, PanelControl) == 312);
static_assert(offsetof(HostServices, SaveScreenArea) == 320);
static_assert(offsetof(HostServices, RestoreScreenArea) == 328);
static_assert(offsetof(HostServices, reserved300) == 336);
static_assert(offsetof(HostServices, PutText) == 392);
static_assert(offsetof(HostServices, reserved332) == 400);
static_assert(offsetof(HostServices, standardFunctions) == 408);
static_assert(offsetof(HostServices, ShowHelpTopic) == 416);
static_assert(offsetof(HostServices, HostControl) == 424);
static_assert(offsetof(HostServices, reserved348) == 432);
static_assert(offsetof(HostServices, ShowDialogEx) == 440);
static_assert(offsetof(HostServices, SendDialogMessage) == 448);
static_assert(offsetof(HostServices, DefaultDialogHandler) == 456);
static_assert(offsetof(HostServices, reserved364) == 464);
static_assert(offsetof(HostServices, reserved368) == 472);
static_assert(sizeof(HostStandardFunctions) == 456);
static_assert(offsetof(HostStandardFunctions, FormatText) == 40);
static_assert(offsetof(HostStandardFunctions, CompareN) == 240);
static_assert(sizeof(PluginInfoRecord) == 80);
static_assert(offsetof(PluginInfoRecord, flags) == 4);
static_assert(offsetof(PluginInfoRecord, reserved8) == 8);
static_assert(offsetof(PluginInfoRecord, reserved12) == 16);
static_assert(offsetof(PluginInfoRecord, otherListCount) == 24);
static_assert(offsetof(PluginInfoRecord, menuTitles) == 32);
static_assert(offsetof(PluginInfoRecord, menuTitleCount) == 40);
static_assert(offsetof(PluginInfoRecord, configTitles) == 48);
static_assert(offsetof(PluginInfoRecord, configTitleCount) == 56);
static_assert(offsetof(PluginInfoRecord, commandPrefixes) == 64);
static_assert(offsetof(PluginInfoRecord, reserved40) == 72);
// PanelItem is naturally aligned: two bytes of padding after shortName, four before userData and the
// reserved slots.
static_assert(sizeof(PanelItem) == 400);
static_assert(offsetof(PanelItem, packedSizeHigh) == 320);
static_assert(offsetof(PanelItem, packedSize) == 324);
static_assert(offsetof(PanelItem, flags) == 328);
static_assert(offsetof(PanelItem, links) == 332);
static_assert(offsetof(PanelItem, description) == 336);
static_assert(offsetof(PanelItem, owner) == 344);
static_assert(offsetof(PanelItem, customColumnData) == 352);
static_assert(offsetof(PanelItem, customColumnCount) == 360);
static_assert(offsetof(PanelItem, userData) == 368);
static_assert(offsetof(PanelItem, crc) == 376);
static_assert(offsetof(PanelItem, reserved) == 384);
// PanelState is naturally aligned: its two item pointers take 8 bytes each, the second after 4 of padding.
static_assert(sizeof(PanelState) == 512);
static_assert(offsetof(PanelState, itemCount) == 32);
static_assert(offsetof(PanelState, selectedItems) == 40);
static_assert(offsetof(PanelState, selectedCount) == 48);
static_assert(offsetof(PanelState, currentItem) == 52);
static_assert(offsetof(PanelState, topItem) == 56);
static_assert(offsetof(PanelState, visible) == 60);
static_assert(offsetof(PanelState, focus) == 64);
static_assert(offsetof(PanelState, viewMode) == 68);
static_assert(offsetof(PanelState, columnTypes) == 72);
static_assert(offsetof(PanelState, columnWidths) == 152);
static_assert(offsetof(PanelState, folder) == 232);
static_assert(offsetof(PanelState, shortNames) == 492);
static_assert(offsetof(PanelState, sortMode) == 496);
static_assert(offsetof(PanelState, flags) == 500);
static_assert(offsetof(PanelState, reserved492) == 504);
#endif

// The four exports. Undecorated names come from quaver.def on 32-bit.
extern "C" {
void HOSTAPI SetStartupInfo(const HostServices* services);
void HOSTAPI GetPluginInfo(PluginInfoRecord* info);
void* HOSTAPI OpenPlugin(int openFrom, intptr_t item);
int HOSTAPI Configure(int itemNumber);
}
