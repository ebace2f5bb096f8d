#include "wide_host.h"

#include <windows.h>
#undef DefDlgProc  // a macro of <windows.h>; here the host's function of that name

#include <cstdarg>
#include <cstring>
#include <cwchar>

#include "host/wide_ids.h"

namespace e2e {

namespace {

WideHost theHost;
std::mutex hostLock;

wide::Handle const storeHandle = reinterpret_cast<wide::Handle>(0x5E77);
wide::Handle const dialogHandle = reinterpret_cast<wide::Handle>(0xD1A);
wide::Handle const savedScreen = reinterpret_cast<wide::Handle>(0x5C7);

std::wstring Text(const wchar_t* text) { return text ? std::wstring(text) : std::wstring(); }

// As in the file manager, texts and dialogs are found only by the module's own GUID.
bool OursOnly(const wide::Guid* module) { return module && *module == quaver::wideId::module; }

const wchar_t* HOSTAPI GetMsg(const wide::Guid* module, intptr_t number) {
    if (!OursOnly(module)) return nullptr;
    std::lock_guard<std::mutex> guard(hostLock);
    auto found = theHost.messages.find(static_cast<int>(number));
    if (found == theHost.messages.end())
        found = theHost.messages.emplace(static_cast<int>(number), L"message " + std::to_wstring(number)).first;
    return found->second.c_str();
}

intptr_t HOSTAPI Message(const wide::Guid*, const wide::Guid*, wide::Flags flags, const wchar_t*,
                         const wchar_t* const* lines, size_t count, intptr_t) {
    std::lock_guard<std::mutex> guard(hostLock);
    WideMessageBox box{flags, {}};
    for (size_t i = 0; i < count; ++i) box.lines.push_back(Text(lines[i]));
    theHost.messageBoxes.push_back(box);
    return -1;
}

intptr_t HOSTAPI Menu(const wide::Guid*, const wide::Guid*, intptr_t, intptr_t, intptr_t, wide::Flags,
                      const wchar_t* title, const wchar_t* bottom, const wchar_t* help, const wide::KeyChord*,
                      intptr_t*, const wide::MenuLine* items, size_t count) {
    std::lock_guard<std::mutex> guard(hostLock);
    WideMenu menu{Text(title), Text(bottom), Text(help), {}, -1};
    for (size_t i = 0; i < count; ++i) {
        menu.lines.push_back(Text(items[i].text));
        if (menu.selected < 0 && (items[i].flags & wide::menuLineFlag::Selected)) menu.selected = static_cast<int>(i);
    }
    theHost.menus.push_back(menu);
    return theHost.menuChoice;
}

void HOSTAPI Text(intptr_t x, intptr_t y, const wide::Colour* colour, const wchar_t* text) {
    std::lock_guard<std::mutex> guard(hostLock);
    if (!text) {
        ++theHost.flushes;
        return;
    }
    theHost.texts.push_back(WideText{x, y, colour ? *colour : wide::Colour{}, text});
}

wide::Handle HOSTAPI SaveScreen(intptr_t, intptr_t, intptr_t, intptr_t) { return savedScreen; }
void HOSTAPI RestoreScreen(wide::Handle) {}
void HOSTAPI FreeScreen(wide::Handle) {}

int HOSTAPI ShowHelp(const wchar_t*, const wchar_t* topic, wide::Flags) {
    std::lock_guard<std::mutex> guard(hostLock);
    theHost.helpTopics.push_back(Text(topic));
    return 1;
}

intptr_t HOSTAPI AdvControl(const wide::Guid*, int command, intptr_t parameter1, void* parameter2) {
    std::lock_guard<std::mutex> guard(hostLock);
    if (command != wide::advControl::PaletteColour) return 0;
    const auto found = theHost.palette.find(parameter1);
    if (found == theHost.palette.end()) return 0;
    *static_cast<wide::Colour*>(parameter2) = found->second;
    return 1;
}

wide::Handle HOSTAPI DialogInit(const wide::Guid* module, const wide::Guid* id, intptr_t, intptr_t, intptr_t width,
                                intptr_t height, const wchar_t* help, const wide::DialogLine* items, size_t count,
                                intptr_t, wide::Flags, wide::DialogProc proc, void*) {
    if (!OursOnly(module) || !id) return reinterpret_cast<wide::Handle>(static_cast<intptr_t>(-1));
    std::lock_guard<std::mutex> guard(hostLock);
    WideDialog dialog{*id, width, height, Text(help), {}, {}, proc};
    for (size_t i = 0; i < count; ++i) {
        dialog.lines.push_back(items[i]);
        dialog.texts.push_back(Text(items[i].text));
    }
    theHost.dialogs.push_back(dialog);
    return dialogHandle;
}

intptr_t HOSTAPI DialogRun(wide::Handle) {
    // The user's play calls back into the module, which calls the host: no lock held meanwhile.
    return theHost.runDialog(theHost.dialogs.back());
}

void HOSTAPI DialogFree(wide::Handle) {}

intptr_t HOSTAPI SendDlgMessage(wide::Handle, intptr_t message, intptr_t parameter1, void* parameter2) {
    std::lock_guard<std::mutex> guard(hostLock);
    WideDialog& dialog = theHost.dialogs.back();
    if (message == wide::dialogMessage::GetCheck)
        return parameter1 >= 0 && parameter1 < static_cast<intptr_t>(dialog.lines.size())
                   ? dialog.lines[parameter1].selected
                   : 0;
    theHost.dialogMessages.push_back({message, parameter1, reinterpret_cast<intptr_t>(parameter2)});
    return 1;
}

intptr_t HOSTAPI DefaultDialogProc(wide::Handle, intptr_t, intptr_t, void*) { return 1; }

intptr_t HOSTAPI SettingsControl(wide::Handle handle, int command, intptr_t, void* parameter2) {
    std::lock_guard<std::mutex> guard(hostLock);
    switch (command) {
    case wide::settingsCommand::Create: {
        auto* request = static_cast<wide::StoreRequest*>(parameter2);
        if (request->size != sizeof *request || theHost.storesOpen > 0) return 0;
        ++theHost.storeVisits;
        request->handle = storeHandle;
        ++theHost.storesOpen;
        return 1;
    }
    case wide::settingsCommand::Free: --theHost.storesOpen; return theHost.storeFails ? 0 : 1;
    case wide::settingsCommand::Set: {
        const auto* value = static_cast<const wide::StoreValue*>(parameter2);
        if (handle != storeHandle || theHost.storeFails) return 0;
        theHost.storedTypes[value->name] = value->type;
        if (value->type == wide::storeType::Number) theHost.numbers[value->name] = value->number;
        return 1;
    }
    case wide::settingsCommand::Get: {
        auto* value = static_cast<wide::StoreValue*>(parameter2);
        if (value->type == wide::storeType::Bytes) {
            const auto found = theHost.bytes.find(value->name);
            if (found == theHost.bytes.end()) return 0;
            value->bytes.size = found->second.size();
            value->bytes.address = found->second.data();
            return 1;
        }
        const auto found = theHost.numbers.find(value->name);
        if (found == theHost.numbers.end()) return 0;
        value->number = found->second;
        return 1;
    }
    default: return 0;
    }
}

// The host writes the record at the buffer's start and its texts after it.
intptr_t HOSTAPI PanelControl(wide::Handle, int command, intptr_t parameter1, void* parameter2) {
    std::lock_guard<std::mutex> guard(hostLock);
    switch (command) {
    case wide::panelCommand::GetState: {
        auto* state = static_cast<wide::PanelState*>(parameter2);
        const size_t size = state->size;
        std::memset(state, 0, sizeof *state);
        state->size = size;
        state->flags = wide::panelFlag::RealNames | wide::panelFlag::Visible | wide::panelFlag::Focus;
        state->itemCount = theHost.selected.size() + 1;
        state->selectedCount = theHost.selected.size();
        return 1;
    }
    case wide::panelCommand::GetSelectedItem: {
        if (parameter1 < 0 || parameter1 >= static_cast<intptr_t>(theHost.selected.size())) return 0;
        const std::wstring& name = theHost.selected[parameter1];
        const size_t needed = sizeof(wide::PanelEntry) + (name.size() + 1) * sizeof(wchar_t);
        if (!parameter2) return static_cast<intptr_t>(needed);
        auto* request = static_cast<wide::ItemRequest*>(parameter2);
        if (request->bytes < needed) return 0;
        std::memset(request->buffer, 0, sizeof(wide::PanelEntry));
        auto* text = reinterpret_cast<wchar_t*>(request->buffer + 1);
        std::memcpy(text, name.c_str(), (name.size() + 1) * sizeof(wchar_t));
        request->buffer->name = text;
        return static_cast<intptr_t>(needed);
    }
    case wide::panelCommand::GetFolder: {
        const size_t needed = sizeof(wide::PanelFolder) + (theHost.folder.size() + 1) * sizeof(wchar_t);
        if (!parameter2) return static_cast<intptr_t>(needed);
        if (static_cast<size_t>(parameter1) < needed) return 0;
        auto* folder = static_cast<wide::PanelFolder*>(parameter2);
        auto* text = reinterpret_cast<wchar_t*>(folder + 1);
        std::memcpy(text, theHost.folder.c_str(), (theHost.folder.size() + 1) * sizeof(wchar_t));
        folder->name = text;
        return static_cast<intptr_t>(needed);
    }
    default: return 0;
    }
}

int FormatWide(wchar_t* buffer, size_t size, const wchar_t* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const int written = _vsnwprintf(buffer, size, format, arguments);
    va_end(arguments);
    if (size > 0) buffer[size - 1] = 0;
    return written;
}

int HOSTAPI CompareN(const wchar_t* a, const wchar_t* b, intptr_t n) { return _wcsnicmp(a, b, static_cast<size_t>(n)); }

}  // namespace

std::mutex& WideHostLock() { return hostLock; }

WideHost& wideHost() { return theHost; }

WideHost& ResetWideHost() {
    std::lock_guard<std::mutex> guard(hostLock);
    theHost = WideHost{};
    theHost.modulePath = L"C:\\Quaver\\wide\\quaver.dll";
    wide::StandardFunctions& functions = theHost.functions;
    functions.size = sizeof functions;
    functions.snprintf = FormatWide;
    functions.compareN = CompareN;
    wide::StartupRecord& startup = theHost.startup;
    startup.size = sizeof startup;
    startup.modulePath = theHost.modulePath.c_str();
    startup.Menu = Menu;
    startup.Message = Message;
    startup.GetMsg = GetMsg;
    startup.PanelControl = PanelControl;
    startup.SaveScreen = SaveScreen;
    startup.RestoreScreen = RestoreScreen;
    startup.Text = Text;
    startup.standardFunctions = &theHost.functions;
    startup.ShowHelp = ShowHelp;
    startup.AdvControl = AdvControl;
    startup.DialogInit = DialogInit;
    startup.DialogRun = DialogRun;
    startup.DialogFree = DialogFree;
    startup.SendDlgMessage = SendDlgMessage;
    startup.DefDlgProc = DefaultDialogProc;
    startup.SettingsControl = SettingsControl;
    startup.FreeScreen = FreeScreen;
    return theHost;
}

WideModule::WideModule(const std::string& path) {
    HMODULE module = LoadLibraryA(path.c_str());
    library = module;
    if (!module) return;
    auto find = [module](const char* name) { return reinterpret_cast<void*>(GetProcAddress(module, name)); };
    GetGlobalInfoW = reinterpret_cast<wide::GetGlobalInfoFunction>(find("GetGlobalInfoW"));
    SetStartupInfoW = reinterpret_cast<wide::SetStartupInfoFunction>(find("SetStartupInfoW"));
    GetPluginInfoW = reinterpret_cast<wide::GetPluginInfoFunction>(find("GetPluginInfoW"));
    OpenW = reinterpret_cast<wide::OpenFunction>(find("OpenW"));
    ConfigureW = reinterpret_cast<wide::ConfigureFunction>(find("ConfigureW"));
}

WideModule::~WideModule() {
    if (library) FreeLibrary(static_cast<HMODULE>(library));
}

}  // namespace e2e
