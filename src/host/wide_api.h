// The host's wide-character interface: the records and functions a module of that interface exchanges with the
// host, as far as this module uses them. One definition for both sides: the wide module, quaver-host.exe and
// every test host compile it. Text is UTF-16; flag words are 64-bit and 8-byte aligned on both widths.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/host_api.h"  // HOSTAPI: __stdcall on 32-bit, as every function here is

namespace wide {

struct Guid {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
};
constexpr bool operator==(const Guid& a, const Guid& b) {
    if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3) return false;
    for (int i = 0; i < 8; ++i)
        if (a.data4[i] != b.data4[i]) return false;
    return true;
}

using Handle = void*;
using Flags = uint64_t;

struct Version {
    uint32_t major;
    uint32_t minor;
    uint32_t revision;
    uint32_t build;
    int32_t stage;  // never compared
};

// ---- identity, menus and entries ------------------------------------------------------------------------------

struct Identity {
    size_t size;
    Version oldestHost;
    Version version;
    Guid module;
    const wchar_t* title;
    const wchar_t* description;
    const wchar_t* author;
    void* instance;  // the host's; ignored
};

struct MenuEntries {
    const Guid* guids;
    const wchar_t* const* captions;
    size_t count;
};

struct ModuleInfo {
    size_t size;
    alignas(8) Flags flags;  // 0: a module of the plug-ins menu
    MenuEntries driveMenu;   // left empty
    MenuEntries pluginsMenu;
    MenuEntries configMenu;
    const wchar_t* commandPrefix;  // without the colon; several joined by ':'
    void* instance;
};

// What the last "prefix:words" did, for a host of ours that asks (the file manager neither asks nor needs it):
// such a host passes GetPluginInfoW a ModuleInfoReport with its size, and a module that knows the record fills
// the fields after ModuleInfo, with the numbers of commandStatus in host_api.h.
struct ModuleInfoReport {
    ModuleInfo info;  // info.size = sizeof(ModuleInfoReport) asks for what follows
    uint32_t commandStatus;
    uint32_t filesAdded;  // of the last add: the files sent to the player so far, and of how many
    uint32_t filesToAdd;
};

namespace openFrom {
constexpr int PluginsMenu = 1, CommandLine = 4, Macro = 11;
}

struct CommandLineRecord {
    size_t size;
    const wchar_t* text;  // after "prefix:", valid only during the call
};

struct OpenRecord {
    size_t size;
    int openFrom;
    const Guid* entry;  // the menu entry's; all zero for the command line
    intptr_t data;      // from the command line: a CommandLineRecord*
    void* instance;
};

struct ConfigureRecord {
    size_t size;
    const Guid* entry;
    void* instance;
};

// ---- drawing ---------------------------------------------------------------------------------------------------

struct Colour {
    alignas(8) Flags flags;
    uint32_t foreground;
    uint32_t background;
    uint32_t underline;
    uint32_t reserved;
};

namespace colourFlag {
constexpr Flags ForegroundIndex = 0x1, BackgroundIndex = 0x2;  // the colour is a palette index, not RGB
constexpr Flags ClassicAttribute = 0xB;                         // both halves of a classic attribute, as indices
}  // namespace colourFlag
constexpr uint32_t opaque = 0xFF000000u;  // the top byte: without it a colour is transparent

// ---- menus and messages ----------------------------------------------------------------------------------------

struct KeyChord {
    uint16_t virtualKey;  // 0 ends a list of break keys
    uint32_t controlKeyState;
};

struct MenuLine {
    alignas(8) Flags flags;
    const wchar_t* text;  // copied by the host
    KeyChord accelerator;
    intptr_t userData;
    intptr_t reserved[2];
};

namespace menuLineFlag {
constexpr Flags Selected = 0x10000, Checked = 0x20000, Separator = 0x40000, Disabled = 0x80000;
}
namespace menuFlag {
constexpr Flags ShowAmpersand = 0x1, WrapCursor = 0x2;
}
namespace messageFlag {
constexpr Flags Warning = 0x1, ErrorText = 0x2, LeftAligned = 0x8, AllInOne = 0x10, Ok = 0x10000, OkCancel = 0x20000;
}

// ---- dialogs ---------------------------------------------------------------------------------------------------

struct DialogLine {
    int type;
    intptr_t x1, y1, x2, y2;  // relative to the dialog, inclusive
    union {
        intptr_t selected;
        void* address;
    };
    const wchar_t* history;
    const wchar_t* mask;
    alignas(8) Flags flags;
    const wchar_t* text;  // copied by the host at init, never written back
    size_t maxLength;
    intptr_t userData;
    intptr_t reserved[2];
};

namespace dialogLineType {
constexpr int Text = 0, SingleBox = 2, DoubleBox = 3, Edit = 4, FixedEdit = 6, Button = 7, CheckBox = 8, RadioButton = 9;
}
namespace dialogLineFlag {
constexpr Flags BoxColour = 0x200, Group = 0x400, ShowAmpersand = 0x2000, Centred = 0x4000, Separator = 0x10000,
                Hidden = 0x10000000, ReadOnly = 0x20000000, NoFocus = 0x40000000, Disabled = 0x80000000,
                DefaultButton = 0x100000000ull, Focus = 0x200000000ull;
}
namespace dialogFlag {
constexpr Flags Warning = 0x1, Small = 0x2;
}

// Messages to the host's dialog, and notifications to ours.
namespace dialogMessage {
constexpr intptr_t Close = 1, Enable = 2, GetText = 7, SetFocus = 13, Redraw = 14, SetText = 15, GetFocus = 18,
                   SetTextPointer = 22, GetCheck = 25, SetCheck = 26, ItemText = 63;
constexpr intptr_t Initialised = 4108, ButtonClicked = 4097, EditChanged = 4103, Closing = 4117;
constexpr intptr_t FirstPrivate = 0x4000;
}  // namespace dialogMessage

struct TextRequest {
    size_t size;
    size_t length;  // characters, the terminator excluded; for "get", the capacity minus 1
    wchar_t* text;
};

using DialogProc = intptr_t(HOSTAPI*)(Handle dialog, intptr_t message, intptr_t parameter1, void* parameter2);

// ---- the active file panel ---------------------------------------------------------------------------------------

namespace panelCommand {
constexpr int GetState = 1, GetItem = 21, GetSelectedItem = 22, GetCurrentItem = 23, GetFolder = 24;
}
inline Handle const activePanel = reinterpret_cast<Handle>(static_cast<intptr_t>(-1));

struct Rect {
    int32_t left, top, right, bottom;
};

struct PanelState {
    size_t size;
    Handle pluginHandle;  // null for a file panel
    Guid owner;
    alignas(8) Flags flags;
    size_t itemCount;
    size_t selectedCount;
    Rect rect;
    size_t currentItem;
    size_t topItem;
    intptr_t viewMode;
    int type;  // 0: a file panel
    int sortMode;
};

namespace panelFlag {
constexpr Flags RealNames = 0x20, PluginPanel = 0x800, Visible = 0x1000, Focus = 0x2000;
}

struct FileTime {
    uint32_t low;
    uint32_t high;
};

struct PanelEntry {
    FileTime creationTime;
    FileTime lastAccessTime;
    FileTime lastWriteTime;
    FileTime changeTime;
    alignas(8) uint64_t fileSize;
    alignas(8) uint64_t allocationSize;
    const wchar_t* name;  // no folder
    const wchar_t* shortName;
    const wchar_t* description;
    const wchar_t* owner;
    const wchar_t* const* customColumns;
    size_t customColumnCount;
    alignas(8) Flags flags;  // 0x40000000: selected
    void* ownerData[2];
    uintptr_t attributes;  // 0x10: a folder
    uintptr_t links;
    uintptr_t crc;
    intptr_t reserved[2];
};

namespace entryFlag {
constexpr Flags Selected = 0x40000000;
}
constexpr uintptr_t folderAttribute = 0x10;

struct ItemRequest {
    size_t size;
    size_t bytes;  // available at buffer
    PanelEntry* buffer;
};

struct PanelFolder {
    size_t size;
    const wchar_t* name;
    const wchar_t* parameter;
    Guid owner;
    const wchar_t* hostFile;
};

// ---- settings ----------------------------------------------------------------------------------------------------

namespace settingsCommand {
constexpr int Create = 0, Free = 1, Set = 2, Get = 3, Delete = 5, CreateSubkey = 6, OpenSubkey = 7;
}
namespace storeType {
constexpr int Number = 2, Text = 3, Bytes = 4;
}
constexpr intptr_t roamingStore = 0, localStore = 1;

struct StoreRequest {
    size_t size;
    Guid module;
    Handle handle;  // written back
};

struct StoreValue {
    size_t size;
    size_t key;  // 0: the module's own
    const wchar_t* name;
    int type;
    union {
        alignas(8) uint64_t number;
        const wchar_t* text;
        struct {
            size_t size;
            const void* address;
        } bytes;
    };
};

struct StoreName {
    size_t size;
    size_t key;
    const wchar_t* name;  // null: the key itself, with all below it
};

// ---- the host's functions ----------------------------------------------------------------------------------------

using MessageFunction = intptr_t(HOSTAPI*)(const Guid* module, const Guid* id, Flags flags, const wchar_t* help,
                                           const wchar_t* const* lines, size_t count, intptr_t buttons);
using MenuFunction = intptr_t(HOSTAPI*)(const Guid* module, const Guid* id, intptr_t x, intptr_t y, intptr_t maxHeight,
                                        Flags flags, const wchar_t* title, const wchar_t* bottom, const wchar_t* help,
                                        const KeyChord* breakKeys, intptr_t* breakCode, const MenuLine* items,
                                        size_t count);
using GetMsgFunction = const wchar_t*(HOSTAPI*)(const Guid* module, intptr_t number);
using PanelControlFunction = intptr_t(HOSTAPI*)(Handle panel, int command, intptr_t parameter1, void* parameter2);
using SaveScreenFunction = Handle(HOSTAPI*)(intptr_t x1, intptr_t y1, intptr_t x2, intptr_t y2);
using RestoreScreenFunction = void(HOSTAPI*)(Handle screen);
using TextFunction = void(HOSTAPI*)(intptr_t x, intptr_t y, const Colour* colour, const wchar_t* text);
using ShowHelpFunction = int(HOSTAPI*)(const wchar_t* modulePath, const wchar_t* topic, Flags flags);
using AdvControlFunction = intptr_t(HOSTAPI*)(const Guid* module, int command, intptr_t parameter1, void* parameter2);
using DialogInitFunction = Handle(HOSTAPI*)(const Guid* module, const Guid* id, intptr_t x1, intptr_t y1, intptr_t x2,
                                            intptr_t y2, const wchar_t* help, const DialogLine* items, size_t count,
                                            intptr_t reserved, Flags flags, DialogProc proc, void* parameter);
using DialogRunFunction = intptr_t(HOSTAPI*)(Handle dialog);
using DialogFreeFunction = void(HOSTAPI*)(Handle dialog);
using SendDlgMessageFunction = intptr_t(HOSTAPI*)(Handle dialog, intptr_t message, intptr_t parameter1, void* parameter2);
using SettingsControlFunction = intptr_t(HOSTAPI*)(Handle handle, int command, intptr_t parameter1, void* parameter2);
using FreeScreenFunction = void(HOSTAPI*)(Handle screen);

namespace advControl {
constexpr int HostVersion = 0, PaletteColour = 3;
}
inline Handle const failedDialog = reinterpret_cast<Handle>(static_cast<intptr_t>(-1));  // DialogInit's failure

using SnprintfFunction = int (*)(wchar_t* buffer, size_t size, const wchar_t* format, ...);  // cdecl
using CompareNFunction = int(HOSTAPI*)(const wchar_t* a, const wchar_t* b, intptr_t n);     // without case

struct StandardFunctions {
    size_t size;
    void* slots1to8[8];
    SnprintfFunction snprintf;  // slot 9
    void* slots10to20[11];
    CompareNFunction compareN;  // slot 21
    void* slots22to49[28];
};

struct StartupRecord {
    size_t size;                   // slot 0
    const wchar_t* modulePath;     // 1
    MenuFunction Menu;             // 2
    MessageFunction Message;       // 3
    GetMsgFunction GetMsg;         // 4
    PanelControlFunction PanelControl;  // 5
    SaveScreenFunction SaveScreen;      // 6
    RestoreScreenFunction RestoreScreen;  // 7
    void* slots8to13[6];
    TextFunction Text;  // 14
    void* slot15;
    StandardFunctions* standardFunctions;  // 16
    ShowHelpFunction ShowHelp;              // 17
    AdvControlFunction AdvControl;          // 18
    void* slots19to20[2];
    DialogInitFunction DialogInit;          // 21
    DialogRunFunction DialogRun;            // 22
    DialogFreeFunction DialogFree;          // 23
    SendDlgMessageFunction SendDlgMessage;  // 24
    SendDlgMessageFunction DefDlgProc;      // 25
    void* slots26to30[5];
    SettingsControlFunction SettingsControl;  // 31
    void* slots32to33[2];
    FreeScreenFunction FreeScreen;  // 34
};

// The five exports, by exact undecorated names (a .def file on 32-bit).
using GetGlobalInfoFunction = void(HOSTAPI*)(Identity* identity);
using SetStartupInfoFunction = void(HOSTAPI*)(const StartupRecord* startup);
using GetPluginInfoFunction = void(HOSTAPI*)(ModuleInfo* info);
using OpenFunction = Handle(HOSTAPI*)(const OpenRecord* open);
using ConfigureFunction = intptr_t(HOSTAPI*)(const ConfigureRecord* configure);

// ---- the layouts, measured against the host on both widths --------------------------------------------------------

static_assert(sizeof(Guid) == 16 && alignof(Guid) == 4);
static_assert(sizeof(Version) == 20);
static_assert(sizeof(KeyChord) == 8 && offsetof(KeyChord, controlKeyState) == 4);
static_assert(sizeof(Colour) == 24 && offsetof(Colour, foreground) == 8 && offsetof(Colour, background) == 12 &&
              offsetof(Colour, underline) == 16);

#if UINTPTR_MAX == UINT32_MAX
static_assert(sizeof(Identity) == 76);
static_assert(offsetof(Identity, oldestHost) == 4 && offsetof(Identity, version) == 24 && offsetof(Identity, module) == 44);
static_assert(offsetof(Identity, title) == 60 && offsetof(Identity, description) == 64 &&
              offsetof(Identity, author) == 68 && offsetof(Identity, instance) == 72);
static_assert(sizeof(MenuEntries) == 12);
static_assert(sizeof(ModuleInfo) == 64);
static_assert(offsetof(ModuleInfo, flags) == 8 && offsetof(ModuleInfo, driveMenu) == 16 &&
              offsetof(ModuleInfo, pluginsMenu) == 28 && offsetof(ModuleInfo, configMenu) == 40 &&
              offsetof(ModuleInfo, commandPrefix) == 52 && offsetof(ModuleInfo, instance) == 56);
static_assert(sizeof(StartupRecord) == 140);
static_assert(offsetof(StartupRecord, modulePath) == 4 && offsetof(StartupRecord, Menu) == 8 &&
              offsetof(StartupRecord, Message) == 12 && offsetof(StartupRecord, GetMsg) == 16 &&
              offsetof(StartupRecord, PanelControl) == 20 && offsetof(StartupRecord, SaveScreen) == 24 &&
              offsetof(StartupRecord, RestoreScreen) == 28 && offsetof(StartupRecord, Text) == 56 &&
              offsetof(StartupRecord, standardFunctions) == 64 && offsetof(StartupRecord, ShowHelp) == 68 &&
              offsetof(StartupRecord, AdvControl) == 72 && offsetof(StartupRecord, DialogInit) == 84 &&
              offsetof(StartupRecord, DialogRun) == 88 && offsetof(StartupRecord, DialogFree) == 92 &&
              offsetof(StartupRecord, SendDlgMessage) == 96 && offsetof(StartupRecord, DefDlgProc) == 100 &&
              offsetof(StartupRecord, SettingsControl) == 124 && offsetof(StartupRecord, FreeScreen) == 136);
static_assert(sizeof(StandardFunctions) == 200 && offsetof(StandardFunctions, snprintf) == 36 &&
              offsetof(StandardFunctions, compareN) == 84);
static_assert(sizeof(OpenRecord) == 20 && offsetof(OpenRecord, openFrom) == 4 && offsetof(OpenRecord, entry) == 8 &&
              offsetof(OpenRecord, data) == 12 && offsetof(OpenRecord, instance) == 16);
static_assert(sizeof(CommandLineRecord) == 8 && offsetof(CommandLineRecord, text) == 4);
static_assert(sizeof(ConfigureRecord) == 12 && offsetof(ConfigureRecord, entry) == 4);
static_assert(sizeof(MenuLine) == 32 && offsetof(MenuLine, text) == 8 && offsetof(MenuLine, accelerator) == 12 &&
              offsetof(MenuLine, userData) == 20 && offsetof(MenuLine, reserved) == 24);
static_assert(sizeof(DialogLine) == 64);
static_assert(offsetof(DialogLine, x1) == 4 && offsetof(DialogLine, y1) == 8 && offsetof(DialogLine, x2) == 12 &&
              offsetof(DialogLine, y2) == 16 && offsetof(DialogLine, selected) == 20 &&
              offsetof(DialogLine, history) == 24 && offsetof(DialogLine, mask) == 28 &&
              offsetof(DialogLine, flags) == 32 && offsetof(DialogLine, text) == 40 &&
              offsetof(DialogLine, maxLength) == 44 && offsetof(DialogLine, userData) == 48 &&
              offsetof(DialogLine, reserved) == 52);
static_assert(sizeof(TextRequest) == 12 && offsetof(TextRequest, length) == 4 && offsetof(TextRequest, text) == 8);
static_assert(sizeof(PanelState) == 80);
static_assert(offsetof(PanelState, pluginHandle) == 4 && offsetof(PanelState, owner) == 8 &&
              offsetof(PanelState, flags) == 24 && offsetof(PanelState, itemCount) == 32 &&
              offsetof(PanelState, selectedCount) == 36 && offsetof(PanelState, rect) == 40 &&
              offsetof(PanelState, currentItem) == 56 && offsetof(PanelState, topItem) == 60 &&
              offsetof(PanelState, viewMode) == 64 && offsetof(PanelState, type) == 68 &&
              offsetof(PanelState, sortMode) == 72);
static_assert(sizeof(ItemRequest) == 12 && offsetof(ItemRequest, bytes) == 4 && offsetof(ItemRequest, buffer) == 8);
static_assert(sizeof(PanelEntry) == 112);
static_assert(offsetof(PanelEntry, fileSize) == 32 && offsetof(PanelEntry, allocationSize) == 40 &&
              offsetof(PanelEntry, name) == 48 && offsetof(PanelEntry, shortName) == 52 &&
              offsetof(PanelEntry, description) == 56 && offsetof(PanelEntry, owner) == 60 &&
              offsetof(PanelEntry, customColumns) == 64 && offsetof(PanelEntry, customColumnCount) == 68 &&
              offsetof(PanelEntry, flags) == 72 && offsetof(PanelEntry, ownerData) == 80 &&
              offsetof(PanelEntry, attributes) == 88 && offsetof(PanelEntry, links) == 92 &&
              offsetof(PanelEntry, crc) == 96 && offsetof(PanelEntry, reserved) == 100);
static_assert(sizeof(PanelFolder) == 32 && offsetof(PanelFolder, name) == 4 && offsetof(PanelFolder, parameter) == 8 &&
              offsetof(PanelFolder, owner) == 12 && offsetof(PanelFolder, hostFile) == 28);
static_assert(sizeof(StoreRequest) == 24 && offsetof(StoreRequest, module) == 4 && offsetof(StoreRequest, handle) == 20);
static_assert(sizeof(StoreValue) == 24 && offsetof(StoreValue, key) == 4 && offsetof(StoreValue, name) == 8 &&
              offsetof(StoreValue, type) == 12 && offsetof(StoreValue, number) == 16 &&
              offsetof(StoreValue, bytes.size) == 16 && offsetof(StoreValue, bytes.address) == 20);
static_assert(sizeof(StoreName) == 12 && offsetof(StoreName, key) == 4 && offsetof(StoreName, name) == 8);
#else
static_assert(sizeof(Identity) == 96);
static_assert(offsetof(Identity, oldestHost) == 8 && offsetof(Identity, version) == 28 && offsetof(Identity, module) == 48);
static_assert(offsetof(Identity, title) == 64 && offsetof(Identity, description) == 72 &&
              offsetof(Identity, author) == 80 && offsetof(Identity, instance) == 88);
static_assert(sizeof(MenuEntries) == 24);
static_assert(sizeof(ModuleInfo) == 104);
static_assert(offsetof(ModuleInfo, flags) == 8 && offsetof(ModuleInfo, driveMenu) == 16 &&
              offsetof(ModuleInfo, pluginsMenu) == 40 && offsetof(ModuleInfo, configMenu) == 64 &&
              offsetof(ModuleInfo, commandPrefix) == 88 && offsetof(ModuleInfo, instance) == 96);
static_assert(sizeof(StartupRecord) == 280);
static_assert(offsetof(StartupRecord, modulePath) == 8 && offsetof(StartupRecord, Menu) == 16 &&
              offsetof(StartupRecord, Message) == 24 && offsetof(StartupRecord, GetMsg) == 32 &&
              offsetof(StartupRecord, PanelControl) == 40 && offsetof(StartupRecord, SaveScreen) == 48 &&
              offsetof(StartupRecord, RestoreScreen) == 56 && offsetof(StartupRecord, Text) == 112 &&
              offsetof(StartupRecord, standardFunctions) == 128 && offsetof(StartupRecord, ShowHelp) == 136 &&
              offsetof(StartupRecord, AdvControl) == 144 && offsetof(StartupRecord, DialogInit) == 168 &&
              offsetof(StartupRecord, DialogRun) == 176 && offsetof(StartupRecord, DialogFree) == 184 &&
              offsetof(StartupRecord, SendDlgMessage) == 192 && offsetof(StartupRecord, DefDlgProc) == 200 &&
              offsetof(StartupRecord, SettingsControl) == 248 && offsetof(StartupRecord, FreeScreen) == 272);
static_assert(sizeof(StandardFunctions) == 400 && offsetof(StandardFunctions, snprintf) == 72 &&
              offsetof(StandardFunctions, compareN) == 168);
static_assert(sizeof(OpenRecord) == 40 && offsetof(OpenRecord, openFrom) == 8 && offsetof(OpenRecord, entry) == 16 &&
              offsetof(OpenRecord, data) == 24 && offsetof(OpenRecord, instance) == 32);
static_assert(sizeof(CommandLineRecord) == 16 && offsetof(CommandLineRecord, text) == 8);
static_assert(sizeof(ConfigureRecord) == 24 && offsetof(ConfigureRecord, entry) == 8);
static_assert(sizeof(MenuLine) == 48 && offsetof(MenuLine, text) == 8 && offsetof(MenuLine, accelerator) == 16 &&
              offsetof(MenuLine, userData) == 24 && offsetof(MenuLine, reserved) == 32);
static_assert(sizeof(DialogLine) == 112);
static_assert(offsetof(DialogLine, x1) == 8 && offsetof(DialogLine, y1) == 16 && offsetof(DialogLine, x2) == 24 &&
              offsetof(DialogLine, y2) == 32 && offsetof(DialogLine, selected) == 40 &&
              offsetof(DialogLine, history) == 48 && offsetof(DialogLine, mask) == 56 &&
              offsetof(DialogLine, flags) == 64 && offsetof(DialogLine, text) == 72 &&
              offsetof(DialogLine, maxLength) == 80 && offsetof(DialogLine, userData) == 88 &&
              offsetof(DialogLine, reserved) == 96);
static_assert(sizeof(TextRequest) == 24 && offsetof(TextRequest, length) == 8 && offsetof(TextRequest, text) == 16);
static_assert(sizeof(PanelState) == 104);
static_assert(offsetof(PanelState, pluginHandle) == 8 && offsetof(PanelState, owner) == 16 &&
              offsetof(PanelState, flags) == 32 && offsetof(PanelState, itemCount) == 40 &&
              offsetof(PanelState, selectedCount) == 48 && offsetof(PanelState, rect) == 56 &&
              offsetof(PanelState, currentItem) == 72 && offsetof(PanelState, topItem) == 80 &&
              offsetof(PanelState, viewMode) == 88 && offsetof(PanelState, type) == 96 &&
              offsetof(PanelState, sortMode) == 100);
static_assert(sizeof(ItemRequest) == 24 && offsetof(ItemRequest, bytes) == 8 && offsetof(ItemRequest, buffer) == 16);
static_assert(sizeof(PanelEntry) == 160);
static_assert(offsetof(PanelEntry, fileSize) == 32 && offsetof(PanelEntry, allocationSize) == 40 &&
              offsetof(PanelEntry, name) == 48 && offsetof(PanelEntry, shortName) == 56 &&
              offsetof(PanelEntry, description) == 64 && offsetof(PanelEntry, owner) == 72 &&
              offsetof(PanelEntry, customColumns) == 80 && offsetof(PanelEntry, customColumnCount) == 88 &&
              offsetof(PanelEntry, flags) == 96 && offsetof(PanelEntry, ownerData) == 104 &&
              offsetof(PanelEntry, attributes) == 120 && offsetof(PanelEntry, links) == 128 &&
              offsetof(PanelEntry, crc) == 136 && offsetof(PanelEntry, reserved) == 144);
static_assert(sizeof(PanelFolder) == 48 && offsetof(PanelFolder, name) == 8 && offsetof(PanelFolder, parameter) == 16 &&
              offsetof(PanelFolder, owner) == 24 && offsetof(PanelFolder, hostFile) == 40);
static_assert(sizeof(StoreRequest) == 32 && offsetof(StoreRequest, module) == 8 && offsetof(StoreRequest, handle) == 24);
static_assert(sizeof(StoreValue) == 48 && offsetof(StoreValue, key) == 8 && offsetof(StoreValue, name) == 16 &&
              offsetof(StoreValue, type) == 24 && offsetof(StoreValue, number) == 32 &&
              offsetof(StoreValue, bytes.size) == 32 && offsetof(StoreValue, bytes.address) == 40);
static_assert(sizeof(StoreName) == 24 && offsetof(StoreName, key) == 8 && offsetof(StoreName, name) == 16);
#endif

}  // namespace wide
