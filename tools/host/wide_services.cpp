#include "wide_services.h"

#include <windows.h>
// The record's slot bears the function's own name, which <windows.h> makes a macro.
#undef DefDlgProc

#include <climits>
#include <cstdarg>
#include <cstring>
#include <cwchar>

#include "console.h"
#include "dialog_engine.h"
#include "help_viewer.h"
#include "panel_services.h"
#include "paths.h"
#include "pure/colours.h"
#include "pure/text.h"
#include "pure/wide_records.h"
#include "services.h"
#include "settings_store.h"

namespace host {

namespace {

// What this host keeps for its one wide module.
struct WideModuleRecord {
    wide::Guid module{};
    std::wstring path;
    const LanguageFile* language = nullptr;
} wideModule;

bool IsOurs(const wide::Guid* module) { return module && *module == wideModule.module; }

HelpSource OurHelp() { return HelpSource{Utf8FromWide(wideModule.path), FileCoding::Unicode}; }

// A module's numbers for screen cells, kept within int: anything beyond lies off the screen anyway.
int Cell(intptr_t value) {
    return value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

std::string Utf8Of(const wchar_t* text) { return text ? Utf8FromWide(text) : std::string(); }

// The last Win32 error's text, for a message box that asks for it.
std::string LastErrorText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string shown = length ? Utf8FromWide(std::wstring_view(text, length)) : "Error " + std::to_string(error);
    if (text) LocalFree(text);
    while (!shown.empty() && (shown.back() == '\n' || shown.back() == '\r' || shown.back() == ' ')) shown.pop_back();
    return shown;
}

intptr_t HOSTAPI Message(const wide::Guid* module, const wide::Guid* /*id*/, wide::Flags flags, const wchar_t* /*help*/,
                         const wchar_t* const* lines, size_t count, intptr_t buttons) {
    namespace flag = wide::messageFlag;
    const DWORD error = GetLastError();
    if (!IsOurs(module) || !lines) return -1;
    std::vector<std::string> all;
    if (flags & flag::AllInOne) {
        // The lines are one text, each line ending at a line feed.
        const std::string text = Utf8Of(reinterpret_cast<const wchar_t*>(lines));
        size_t start = 0;
        for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
            all.push_back(text.substr(start, end - start));
        all.push_back(text.substr(start));
    } else {
        for (size_t i = 0; i < count; ++i) all.push_back(Utf8Of(lines[i]));
    }
    MessageText text;
    if (!all.empty()) text.title = all.front();
    const bool standardButtons = (flags & (flag::Ok | flag::OkCancel)) != 0;
    const size_t buttonLines = standardButtons || buttons < 0 ? 0 : std::min<size_t>(static_cast<size_t>(buttons), all.empty() ? 0 : all.size() - 1);
    for (size_t i = 1; i + buttonLines < all.size(); ++i) text.lines.push_back(all[i]);
    if (flags & flag::ErrorText) text.lines.push_back(LastErrorText(error));
    if (flags & flag::OkCancel) {
        text.buttons = {"OK", "Cancel"};
    } else if (flags & flag::Ok) {
        text.buttons = {"OK"};
    } else {
        for (size_t i = all.size() - buttonLines; i < all.size(); ++i) text.buttons.push_back(all[i]);
    }
    if (MessagesGoToStandardError()) {
        WriteMessage(text);
        return -1;
    }
    unsigned shown = 0;
    if (flags & flag::Warning) shown |= MessageWarning;
    if (flags & flag::LeftAligned) shown |= MessageLeftAlign;
    return ShowMessageBox(shown, text);
}

intptr_t HOSTAPI Menu(const wide::Guid* module, const wide::Guid* /*id*/, intptr_t /*x*/, intptr_t /*y*/,
                      intptr_t maxHeight, wide::Flags flags, const wchar_t* title, const wchar_t* bottom,
                      const wchar_t* /*help*/, const wide::KeyChord* /*breakKeys*/, intptr_t* breakCode,
                      const wide::MenuLine* items, size_t count) {
    if (!IsOurs(module)) {
        if (breakCode) *breakCode = -1;
        return -1;
    }
    return WideMenu(maxHeight, flags, title, bottom, breakCode, items, count);
}

const wchar_t* HOSTAPI GetMsg(const wide::Guid* module, intptr_t number) {
    if (!IsOurs(module) || !wideModule.language || number < INT_MIN || number > INT_MAX) return L"";
    return wideModule.language->GetWide(static_cast<int>(number));
}

wide::Handle HOSTAPI SaveScreen(intptr_t x1, intptr_t y1, intptr_t x2, intptr_t y2) {
    return MessagesGoToStandardError() ? nullptr : TheConsole().SaveArea(Cell(x1), Cell(y1), Cell(x2), Cell(y2));
}

void HOSTAPI RestoreScreen(wide::Handle screen) {
    if (screen) TheConsole().RestoreArea(screen);
}

void HOSTAPI FreeScreen(wide::Handle screen) {
    if (screen) TheConsole().FreeArea(screen);
}

void HOSTAPI Text(intptr_t x, intptr_t y, const wide::Colour* colour, const wchar_t* text) {
    if (MessagesGoToStandardError()) return;
    if (!text) {
        TheConsole().Flush();
        return;
    }
    const Paint paint = colour ? PaintOf(*colour) : Paint{0x07, 0};
    const std::wstring_view units(text);
    TheConsole().PutText(Cell(x), Cell(y), paint.attribute,
                         std::u16string_view(reinterpret_cast<const char16_t*>(units.data()), units.size()), paint.keep);
}

int HOSTAPI ShowHelp(const wchar_t* modulePath, const wchar_t* topic, wide::Flags flags) {
    // Only the help file beside a module is offered: no other file and no help of the host's own.
    if (flags != 0 || !modulePath) return FALSE;
    return host::ShowHelp(HelpSource{Utf8FromWide(modulePath), FileCoding::Unicode}, topic ? Utf8FromWide(topic) : "Contents")
               ? TRUE
               : FALSE;
}

intptr_t HOSTAPI AdvControl(const wide::Guid* module, int command, intptr_t parameter1, void* parameter2) {
    if (!IsOurs(module) || !parameter2) return 0;
    if (command == wide::advControl::HostVersion) {
        *static_cast<wide::Version*>(parameter2) = hostVersion;
        return 1;
    }
    if (command == wide::advControl::PaletteColour) {
        if (parameter1 < 0 || parameter1 >= colour::Count) return 0;
        *static_cast<wide::Colour*>(parameter2) = ColourOf(HostColour(parameter1));
        return 1;
    }
    return 0;
}

wide::Handle HOSTAPI DialogInit(const wide::Guid* module, const wide::Guid* id, intptr_t x1, intptr_t y1, intptr_t x2,
                                intptr_t y2, const wchar_t* help, const wide::DialogLine* items, size_t count,
                                intptr_t /*reserved*/, wide::Flags /*flags*/, wide::DialogProc proc, void* parameter) {
    if (!IsOurs(module) || !id) return wide::failedDialog;
    return InitWideDialog(x1, y1, x2, y2, help, OurHelp(), items, count, proc, parameter);
}

// printf into the caller's buffer of `size` characters, always terminated; the number of characters written.
int WideFormat(wchar_t* buffer, size_t size, const wchar_t* format, ...) {
    if (!buffer || size == 0 || !format) return 0;
    va_list arguments;
    va_start(arguments, format);
    const int written = _vsnwprintf(buffer, size - 1, format, arguments);
    va_end(arguments);
    buffer[size - 1] = L'\0';
    return written < 0 ? static_cast<int>(wcslen(buffer)) : written;
}

int HOSTAPI CompareN(const wchar_t* a, const wchar_t* b, intptr_t n) {
    if (!a || !b) return a == b ? 0 : (a ? 1 : -1);
    return n <= 0 ? 0 : _wcsnicmp(a, b, static_cast<size_t>(n));
}

}  // namespace

void FillStartupRecord(const WideModuleSetup& setup, wide::StartupRecord* record, wide::StandardFunctions* functions) {
    wideModule.module = setup.module;
    wideModule.path = setup.modulePath;
    wideModule.language = setup.language;
    SetSettingsOwner(setup.module);

    std::memset(functions, 0, sizeof *functions);
    functions->size = sizeof *functions;
    functions->snprintf = WideFormat;
    functions->compareN = CompareN;

    std::memset(record, 0, sizeof *record);
    record->size = sizeof *record;
    record->modulePath = wideModule.path.c_str();
    record->Menu = Menu;
    record->Message = Message;
    record->GetMsg = GetMsg;
    record->PanelControl = WidePanelControl;
    record->SaveScreen = SaveScreen;
    record->RestoreScreen = RestoreScreen;
    record->Text = Text;
    record->standardFunctions = functions;
    record->ShowHelp = ShowHelp;
    record->AdvControl = AdvControl;
    record->DialogInit = DialogInit;
    record->DialogRun = RunWideDialog;
    record->DialogFree = FreeWideDialog;
    record->SendDlgMessage = SendWideDialogMessage;
    record->DefDlgProc = DefaultWideDialogProc;
    record->SettingsControl = SettingsControl;
    record->FreeScreen = FreeScreen;
}

}  // namespace host
