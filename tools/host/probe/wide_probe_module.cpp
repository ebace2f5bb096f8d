// wide-probe.dll: a module of the wide interface for testing quaver-host.exe. From the command line
// (quaver-host --module ... --command WORD) it works the host's services that need no console and prints what
// it saw on standard output; opened from the menu it works those that draw, in the scenario named by the
// environment variable QUAVER_PROBE, and waits for a key between steps, naming each step in the console's title.
// QUAVER_PROBE_IDENTITY spoils its identity ("incomplete", "zero", "newer") for the host to refuse.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

#include "host/host_api.h"
#include "host/wide_api.h"

namespace {

using namespace wide;

constexpr Guid probeGuid{0x6A1F3C52, 0x8B0D, 0x4E77, {0x9C, 0x21, 0x5D, 0x3E, 0x80, 0x4B, 0xA6, 0x17}};
constexpr Guid menuGuid{0x6A1F3C53, 0x8B0D, 0x4E77, {0x9C, 0x21, 0x5D, 0x3E, 0x80, 0x4B, 0xA6, 0x17}};
constexpr Guid dialogGuid{0x6A1F3C54, 0x8B0D, 0x4E77, {0x9C, 0x21, 0x5D, 0x3E, 0x80, 0x4B, 0xA6, 0x17}};
constexpr Guid otherGuid{0x11111111, 0x2222, 0x3333, {4, 4, 5, 5, 6, 6, 7, 7}};

StartupRecord startup;
StandardFunctions functions;
const wchar_t* const titles[] = {L"Wide Probe"};
uint32_t lastStatus = commandStatus::None;

std::string Environment(const char* name) {
    char value[64] = "";
    GetEnvironmentVariableA(name, value, sizeof value);
    return value;
}

// UTF-8 for standard output: what the tests read back whatever the console's code page.
std::string Utf8(const wchar_t* text) {
    if (!text) return "(null)";
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length > 0 ? length - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

std::wstring Wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length - 1 : 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), length);
    return wide;
}

// Bytes as they are, line ends included: no text mode between the probe and the test.
void Say(const std::string& line) {
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

Colour Attribute(unsigned attribute) {
    Colour colour{};
    colour.flags = colourFlag::ClassicAttribute;
    colour.foreground = opaque | (attribute & 0xF);
    colour.background = opaque | ((attribute >> 4) & 0xF);
    return colour;
}

void Put(intptr_t x, intptr_t y, const wchar_t* text, unsigned attribute = 0x0F) {
    const Colour colour = Attribute(attribute);
    startup.Text(x, y, &colour, text);
}
void Flush() { startup.Text(0, 0, nullptr, nullptr); }

void WaitForKey() {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    INPUT_RECORD record;
    DWORD count = 0;
    while (ReadConsoleInputW(input, &record, 1, &count))
        if (count == 1 && record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown) return;
}

void Step(const char* name) {
    SetConsoleTitleA((std::string("probe:") + name).c_str());
    WaitForKey();
}

std::string Hex(unsigned value) {
    char text[16];
    snprintf(text, sizeof text, "%02X", value);
    return text;
}

// ---- from the command line --------------------------------------------------------------------------------

void Info() {
    Say("size=" + std::to_string(startup.size) + " functions=" + std::to_string(functions.size));
    Say("path=" + Utf8(startup.modulePath));
    Say("msg0=[" + Utf8(startup.GetMsg(&probeGuid, 0)) + "] msg43=[" + Utf8(startup.GetMsg(&probeGuid, 43)) +
        "] msg999=[" + Utf8(startup.GetMsg(&probeGuid, 999)) + "] other=[" + Utf8(startup.GetMsg(&otherGuid, 0)) + "]");
    wchar_t formatted[8];
    const int length = functions.snprintf(formatted, 8, L"%s-%d", L"abc", 12345);
    Say("format=[" + Utf8(formatted) + "] length=" + std::to_string(length) +
        " same=" + std::to_string(functions.compareN(L"WINAMP x", L"winamp y", 6)) +
        " differ=" + std::to_string(functions.compareN(L"abc", L"abd", 3) < 0 ? -1 : 1));
    Version version{};
    const intptr_t known = startup.AdvControl(&probeGuid, advControl::HostVersion, 0, &version);
    Say("version=" + std::to_string(known) + " " + std::to_string(version.major) + "." + std::to_string(version.minor) +
        " build " + std::to_string(version.build));
    std::string palette = "palette";
    for (int index : {21, 23, 24, 29, 30, 99}) {
        Colour colour{};
        const intptr_t found = startup.AdvControl(&probeGuid, advControl::PaletteColour, index, &colour);
        palette += " " + std::to_string(index) + "=" +
                   (found ? Hex(static_cast<unsigned>(colour.flags)) + "/" + Hex(colour.foreground >> 24) + Hex(colour.foreground & 0xFF) +
                                "/" + Hex(colour.background >> 24) + Hex(colour.background & 0xFF)
                          : "none");
    }
    Say(palette);
    Colour colour{};
    Say("other colour=" + std::to_string(startup.AdvControl(&otherGuid, advControl::PaletteColour, 21, &colour)));
}

// The file list: the state, every selected entry as the size query and the fill give it, and the folder.
void Panel() {
    wide::PanelState state{};
    state.size = sizeof state;
    const intptr_t ok = startup.PanelControl(activePanel, panelCommand::GetState, 0, &state);
    Say("state=" + std::to_string(ok) + " items=" + std::to_string(state.itemCount) +
        " selected=" + std::to_string(state.selectedCount) + " real=" + std::to_string((state.flags & panelFlag::RealNames) != 0));
    const auto entry = [](int command, intptr_t index) {
        const intptr_t needed = startup.PanelControl(activePanel, command, index, nullptr);
        if (needed <= 0) return std::string("none");
        std::string buffer(static_cast<size_t>(needed), '\0');
        ItemRequest request{sizeof request, static_cast<size_t>(needed), reinterpret_cast<PanelEntry*>(buffer.data())};
        const intptr_t filled = startup.PanelControl(activePanel, command, index, &request);
        const PanelEntry& got = *request.buffer;
        const bool inside = reinterpret_cast<const char*>(got.name) > buffer.data() &&
                            reinterpret_cast<const char*>(got.name) < buffer.data() + buffer.size();
        return Utf8(got.name) + (filled == needed && inside ? "" : " (outside)") +
               ((got.flags & entryFlag::Selected) ? " +" : "");
    };
    for (size_t i = 0; i < state.selectedCount; ++i) Say("selected " + entry(panelCommand::GetSelectedItem, i));
    Say("current " + entry(panelCommand::GetCurrentItem, 0));
    const intptr_t needed = startup.PanelControl(activePanel, panelCommand::GetFolder, 0, nullptr);
    std::string buffer(static_cast<size_t>(needed > 0 ? needed : 0), '\0');
    auto* folder = reinterpret_cast<PanelFolder*>(buffer.data());
    if (needed > 0) folder->size = sizeof(PanelFolder);
    startup.PanelControl(activePanel, panelCommand::GetFolder, needed, folder);
    Say("folder " + Utf8(needed > 0 ? folder->name : nullptr));
}

// The settings store: written, read back, one value deleted; another module's GUID opens nothing.
void Settings() {
    StoreRequest request{sizeof request, probeGuid, nullptr};
    const intptr_t created = startup.SettingsControl(reinterpret_cast<Handle>(-1), settingsCommand::Create, roamingStore, &request);
    StoreRequest other{sizeof other, otherGuid, nullptr};
    const intptr_t otherCreated = startup.SettingsControl(reinterpret_cast<Handle>(-1), settingsCommand::Create, roamingStore, &other);
    Say("created=" + std::to_string(created) + " other=" + std::to_string(otherCreated));
    const Handle store = request.handle;
    const unsigned char palette[8] = {0x7F, 0x7F, 0x70, 0x2E, 0x1F, 0x78, 0x7E, 0x1F};
    StoreValue value{sizeof value, 0, L"TimeFormat", storeType::Number, {}};
    value.number = 0x100000001ull;
    intptr_t set = startup.SettingsControl(store, settingsCommand::Set, 0, &value);
    value = StoreValue{sizeof value, 0, L"Title", storeType::Text, {}};
    value.text = L"Ωμέγα 東京";
    set += startup.SettingsControl(store, settingsCommand::Set, 0, &value);
    value = StoreValue{sizeof value, 0, L"Palette", storeType::Bytes, {}};
    value.bytes.size = sizeof palette;
    value.bytes.address = palette;
    set += startup.SettingsControl(store, settingsCommand::Set, 0, &value);
    value = StoreValue{sizeof value, 0, L"Gone", storeType::Number, {}};
    set += startup.SettingsControl(store, settingsCommand::Set, 0, &value);
    StoreName gone{sizeof gone, 0, L"Gone"};
    const intptr_t deleted = startup.SettingsControl(store, settingsCommand::Delete, 0, &gone);
    Say("set=" + std::to_string(set) + " deleted=" + std::to_string(deleted));
    // While the handle is open the store is locked, and nothing set has reached the registry yet.
    StoreRequest second{sizeof second, probeGuid, nullptr};
    const intptr_t secondCreated =
        startup.SettingsControl(reinterpret_cast<Handle>(-1), settingsCommand::Create, roamingStore, &second);
    const wchar_t* const probeStore = L"Software\\Quaver Host\\Settings\\{6A1F3C52-8B0D-4E77-9C21-5D3E804BA617}";
    const bool early =
        RegGetValueW(HKEY_CURRENT_USER, probeStore, L"TimeFormat", RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    Say("second=" + std::to_string(secondCreated) + " early=" + std::to_string(early));

    StoreValue number{sizeof number, 0, L"TimeFormat", storeType::Number, {}};
    StoreValue text{sizeof text, 0, L"Title", storeType::Text, {}};
    StoreValue bytes{sizeof bytes, 0, L"Palette", storeType::Bytes, {}};
    StoreValue missing{sizeof missing, 0, L"Gone", storeType::Number, {}};
    missing.number = 77;
    const intptr_t got = startup.SettingsControl(store, settingsCommand::Get, 0, &number) +
                         startup.SettingsControl(store, settingsCommand::Get, 0, &text) +
                         startup.SettingsControl(store, settingsCommand::Get, 0, &bytes);
    const intptr_t gotMissing = startup.SettingsControl(store, settingsCommand::Get, 0, &missing);
    Say("got=" + std::to_string(got) + " number=" + std::to_string(number.number) + " text=" + Utf8(text.text) +
        " bytes=" + std::to_string(bytes.bytes.size) + "/" +
        std::to_string(bytes.bytes.size == 8 && memcmp(bytes.bytes.address, palette, 8) == 0) +
        " missing=" + std::to_string(gotMissing) + "/" + std::to_string(missing.number));
    const intptr_t freed = startup.SettingsControl(store, settingsCommand::Free, 0, nullptr);
    const intptr_t again = startup.SettingsControl(store, settingsCommand::Free, 0, nullptr);
    Say("freed=" + std::to_string(freed) + " again=" + std::to_string(again));
}

// ---- opened from the menu -----------------------------------------------------------------------------------

// Texts in several scripts and colours, left in the back buffer until the flush.
void Texts() {
    Step("ready");
    Put(0, 1, L"\x03A9\x03BC\x03AD\x03B3\x03B1 \x6771\x4EAC|", 0x1E);          // Greek, Japanese
    Put(0, 2, L"\xD834\xDD1E|e\x0301|", 0x2F);                                 // a pair, a combining mark
    Put(78, 3, L"\x6771", 0x4F);                                                // a wide character at the edge
    Colour rgb{};
    rgb.foreground = opaque | 0x0000FF;  // red as 0x00BBGGRR
    rgb.background = opaque | 0xFFFF00;  // cyan
    startup.Text(0, 4, &rgb, L"rgb");
    Colour glass{};
    glass.flags = colourFlag::ClassicAttribute;
    glass.foreground = 0x0000000E;  // no opacity: the cell's own foreground stays
    glass.background = opaque | 0x4;
    Put(0, 5, L"under", 0x1B);
    startup.Text(0, 5, &glass, L"GLASS");
    Put(0, 0, L"probe:texts");
    Flush();
    WaitForKey();
}

std::string log;

intptr_t HOSTAPI DialogProc(Handle dialog, intptr_t message, intptr_t parameter1, void* parameter2) {
    const auto state = reinterpret_cast<intptr_t>(parameter2);
    if (message == dialogMessage::Initialised) log += " init" + std::to_string(parameter1);
    if (message == dialogMessage::ButtonClicked) {
        log += " click" + std::to_string(parameter1) + "=" + std::to_string(state);
        // The second check box takes no change: the host puts it back.
        if (parameter1 == 2) return FALSE;
        if (parameter1 == 1) {
            startup.SendDlgMessage(dialog, dialogMessage::Enable, 2, reinterpret_cast<void*>(state));
            startup.SendDlgMessage(dialog, dialogMessage::SetTextPointer, 5, const_cast<wchar_t*>(L"\x6771\x4EAC!"));
        }
    }
    if (message == dialogMessage::Closing) {
        log += " closing" + std::to_string(parameter1);
        // Esc does not close it at first: only the second time.
        static int escapes = 0;
        if (parameter1 == -1 && ++escapes == 1) return FALSE;
    }
    return startup.DefDlgProc(dialog, message, parameter1, parameter2);
}

void Dialog() {
    Step("ready");
    DialogLine items[6]{};
    const auto item = [&](int i, int type, intptr_t x1, intptr_t y1, intptr_t x2, intptr_t y2, const wchar_t* text,
                          Flags flags, intptr_t selected = 0) {
        items[i].type = type;
        items[i].x1 = x1;
        items[i].y1 = y1;
        items[i].x2 = x2;
        items[i].y2 = y2;
        items[i].text = text;
        items[i].flags = flags;
        items[i].selected = selected;
    };
    item(0, dialogLineType::DoubleBox, 3, 1, 36, 8, L"\x03A9 Probe", 0);
    item(1, dialogLineType::CheckBox, 5, 2, 0, 2, L"&First", dialogLineFlag::Focus);
    item(2, dialogLineType::CheckBox, 5, 3, 0, 3, L"&Second", dialogLineFlag::Disabled);
    item(3, dialogLineType::Button, 0, 6, 0, 6, L"OK", dialogLineFlag::Centred | dialogLineFlag::DefaultButton);
    item(4, dialogLineType::Button, 0, 6, 0, 6, L"Cancel", dialogLineFlag::Centred);
    item(5, dialogLineType::Text, 5, 4, 0, 4, L"text", 0);
    const Handle refused = startup.DialogInit(&otherGuid, &dialogGuid, -1, -1, 40, 10, nullptr, items, 6, 0, 0,
                                              DialogProc, nullptr);
    const Handle dialog = startup.DialogInit(&probeGuid, &dialogGuid, -1, -1, 40, 10, L"Topic", items, 6, 0, 0,
                                             DialogProc, nullptr);
    items[1].text = L"changed after init";  // copied at init: the dialog shows its own
    const intptr_t result = startup.DialogRun(dialog);
    TextRequest request{sizeof request, 7, nullptr};
    wchar_t text[8];
    request.text = text;
    const intptr_t length = startup.SendDlgMessage(dialog, dialogMessage::GetText, 5, &request);
    const std::string shown = "probe:dialog=" + std::to_string(result) +
                              " first=" + std::to_string(startup.SendDlgMessage(dialog, dialogMessage::GetCheck, 1, nullptr)) +
                              " second=" + std::to_string(startup.SendDlgMessage(dialog, dialogMessage::GetCheck, 2, nullptr)) +
                              " text=" + Utf8(reinterpret_cast<const wchar_t*>(
                                            startup.SendDlgMessage(dialog, dialogMessage::ItemText, 5, nullptr))) +
                              "/" + std::to_string(length) + " refused=" +
                              std::to_string(refused == failedDialog);
    startup.DialogFree(dialog);
    Put(0, 1, Wide(log).c_str());
    Put(0, 0, Wide(shown).c_str());
    Flush();
    WaitForKey();
}

// A message box, then a menu, both with their titles and lines in several scripts.
void Choices() {
    Step("ready");
    const wchar_t* lines[] = {L"\x039D\x03CD\x03C7\x03C4\x03B1", L"\x591C\x660E\x3051\x306E\x6B4C", L"\xD834\xDD1E clef",
                              L"Yes", L"No"};
    const intptr_t answer = startup.Message(&probeGuid, nullptr, 0, nullptr, lines, 5, 2);
    MenuLine menu[3]{};
    menu[0].text = L"1. \x039D\x03CD\x03C7\x03C4\x03B1";
    menu[1].text = L"2. \x591C\x660E\x3051\x306E\x6B4C";
    menu[1].flags = menuLineFlag::Selected;
    menu[2].text = L"3. Night Train";
    const intptr_t chosen = startup.Menu(&probeGuid, nullptr, -1, -1, 0, wide::menuFlag::WrapCursor, L"\x6771\x4EAC",
                                         L"bottom", nullptr, nullptr, nullptr, menu, 3);
    const intptr_t other = startup.Menu(&otherGuid, nullptr, -1, -1, 0, 0, L"x", nullptr, nullptr, nullptr, nullptr, menu, 3);
    const std::string shown = "probe:answer=" + std::to_string(answer) + " chosen=" + std::to_string(chosen) +
                              " other=" + std::to_string(other);
    Put(0, 0, Wide(shown).c_str());
    Flush();
    WaitForKey();
}

void Help() {
    Step("ready");
    const int shown = startup.ShowHelp(startup.modulePath, L"Script", 0);
    const std::wstring text = L"probe:help=" + std::to_wstring(shown);
    Put(0, 0, text.c_str());
    Flush();
    WaitForKey();
}

}  // namespace

extern "C" {

__declspec(dllexport) void HOSTAPI GetGlobalInfoW(Identity* identity) {
    const std::string spoiled = Environment("QUAVER_PROBE_IDENTITY");
    identity->oldestHost = Version{3, 0, 0, spoiled == "newer" ? 99999u : 6727u, 0};
    identity->version = Version{1, 0, 0, 1, 0};
    identity->module = spoiled == "zero" ? Guid{} : probeGuid;
    identity->title = L"Wide Probe";
    identity->description = spoiled == "incomplete" ? L"" : L"Works the host's wide services";
    identity->author = L"Quaver";
}

__declspec(dllexport) void HOSTAPI SetStartupInfoW(const StartupRecord* record) {
    // Both live only during the call: copied, the table included.
    memcpy(&startup, record, sizeof startup < record->size ? sizeof startup : record->size);
    memcpy(&functions, record->standardFunctions,
           sizeof functions < record->standardFunctions->size ? sizeof functions : record->standardFunctions->size);
    startup.standardFunctions = &functions;
}

__declspec(dllexport) void HOSTAPI GetPluginInfoW(ModuleInfo* info) {
    static const Guid menu[] = {menuGuid};
    info->flags = 0;
    info->pluginsMenu = MenuEntries{menu, titles, 1};
    info->configMenu = MenuEntries{menu, titles, 1};
    info->commandPrefix = L"probe:quaver";
    if (info->size >= sizeof(ModuleInfoReport)) reinterpret_cast<ModuleInfoReport*>(info)->commandStatus = lastStatus;
}

__declspec(dllexport) Handle HOSTAPI OpenW(const OpenRecord* open) {
    if (open->openFrom == openFrom::CommandLine) {
        const auto* line = reinterpret_cast<const CommandLineRecord*>(open->data);
        const std::string words = Utf8(line->text);
        if (words == "info") Info();
        if (words == "panel") Panel();
        if (words == "settings") Settings();
        lastStatus = commandStatus::Sent;
        return nullptr;
    }
    const std::string scenario = Environment("QUAVER_PROBE");
    if (scenario == "texts") Texts();
    if (scenario == "dialog") Dialog();
    if (scenario == "choices") Choices();
    if (scenario == "help") Help();
    return nullptr;
}

__declspec(dllexport) intptr_t HOSTAPI ConfigureW(const ConfigureRecord* configure) {
    const std::wstring text = std::wstring(L"probe:configure ") + (*configure->entry == menuGuid ? L"entry" : L"other");
    Put(0, 0, text.c_str());
    Flush();
    WaitForKey();
    return 1;
}
}
