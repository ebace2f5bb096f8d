#include "services.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "code_pages.h"
#include "console.h"
#include "dialog_engine.h"
#include "help_viewer.h"
#include "panel_services.h"
#include "pure/colours.h"
#include "pure/message_box.h"
#include "pure/text.h"

namespace host {

namespace {

// What this host keeps for its one module; its address is the module's number.
struct ModuleRecord {
    const LanguageFile* language = nullptr;
} moduleRecord;
bool messagesToStandardError = false;
int errorBoxesWritten = 0;

// printf-style formatting into the caller's buffer; the module sizes its buffers for what it formats.
int FormatText(char* buffer, const char* format, ...) {
    if (!buffer || !format) return 0;
    va_list arguments;
    va_start(arguments, format);
    const int written = vsprintf(buffer, format, arguments);
    va_end(arguments);
    return written;
}

int HOSTAPI CompareN(const char* a, const char* b, size_t n) {
    if (!a || !b) return a == b ? 0 : (a ? 1 : -1);
    return strncmp(a, b, n);
}

HostStandardFunctions standardFunctions = [] {
    HostStandardFunctions table{};
    table.FormatText = FormatText;
    table.CompareN = CompareN;
    return table;
}();

int HOSTAPI ShowMessage(intptr_t moduleNumber, unsigned flags, const char* /*helpTopic*/, const char* const* lines,
                        int lineCount, int buttonCount) {
    if (!IsModuleNumber(moduleNumber)) return -1;
    MessageText text = SplitMessage(lines, lineCount, buttonCount);
    if (messagesToStandardError) {
        WriteMessage(text, true);
        return -1;
    }
    // The module's OEM text, its glyphs included, as the console shows it.
    text.title = Utf8FromOem(text.title);
    for (std::string& line : text.lines) line = Utf8FromOem(line);
    for (std::string& button : text.buttons) button = Utf8FromOem(button);
    return ShowMessageBox(flags, text);
}

const char* HOSTAPI GetLangString(intptr_t moduleNumber, int messageNumber) {
    const LanguageFile* language = moduleRecord.language;
    return IsModuleNumber(moduleNumber) && language ? language->Get(messageNumber) : "";
}

void* HOSTAPI SaveScreenArea(int x1, int y1, int x2, int y2) {
    return messagesToStandardError ? nullptr : TheConsole().SaveArea(x1, y1, x2, y2);
}

void HOSTAPI RestoreScreenArea(void* handle) {
    if (handle) TheConsole().RestoreArea(handle);
}

void HOSTAPI PutText(int x, int y, int colour, const char* text) {
    if (messagesToStandardError) return;
    if (!text) {
        TheConsole().Flush();
        return;
    }
    TheConsole().PutText(x, y, static_cast<uint8_t>(colour), Utf16FromOem(text));
}

intptr_t HOSTAPI HostControl(intptr_t moduleNumber, int command, intptr_t parameter) {
    constexpr int GetColour = 4;
    return IsModuleNumber(moduleNumber) && command == GetColour ? HostColour(parameter) : 0;
}

}  // namespace

intptr_t ModuleNumber() { return reinterpret_cast<intptr_t>(&moduleRecord); }

bool IsModuleNumber(intptr_t number) { return number == ModuleNumber(); }

void SendMessagesToStandardError() { messagesToStandardError = true; }

bool MessagesGoToStandardError() { return messagesToStandardError; }

int ErrorBoxesWritten() { return errorBoxesWritten; }

void WriteMessage(const MessageText& text, bool bytesAsTheyAre) {
    for (const std::string& line : text.lines) {
        const std::string shown = text.title + (text.title.empty() ? "" : ": ") + line + "\n";
        HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
        DWORD mode = 0;
        if (!bytesAsTheyAre && error != INVALID_HANDLE_VALUE && GetConsoleMode(error, &mode)) {
            const std::wstring wide = WideFromUtf8(shown);
            DWORD written = 0;
            WriteConsoleW(error, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        } else {
            fputs(shown.c_str(), stderr);
        }
    }
    fflush(stderr);
    if (!text.buttons.empty()) ++errorBoxesWritten;
}

void FillServices(HostServices* services, const std::string& modulePath, const LanguageFile* languageFile) {
    moduleRecord.language = languageFile;
    RegisterModuleForHelp(ModuleNumber(), modulePath);  // dialogs know their module by number only
    memset(services, 0, sizeof *services);
    services->size = sizeof *services;
    // The module's own path, as a classic host hands it: in the ANSI code page.
    snprintf(services->moduleName, sizeof services->moduleName, "%s", AnsiFromUtf8(modulePath).c_str());
    services->moduleNumber = ModuleNumber();
    services->registryRoot = RegistryRoot;
    services->ShowMenu = ShowMenu;
    services->PanelControl = PanelControl;
    services->ShowDialog = ShowDialog;
    services->ShowMessage = ShowMessage;
    services->GetLangString = GetLangString;
    services->SaveScreenArea = SaveScreenArea;
    services->RestoreScreenArea = RestoreScreenArea;
    services->PutText = PutText;
    services->standardFunctions = &standardFunctions;
    services->ShowHelpTopic = ShowHelpTopic;
    services->HostControl = HostControl;
    services->ShowDialogEx = ShowDialogEx;
    services->SendDialogMessage = SendDialogMessage;
    services->DefaultDialogHandler = DefaultDialogHandler;
}

int ShowMessageBox(unsigned flags, const MessageText& text) {
    Console& console = TheConsole();
    const MessageBoxView box(text, flags, console.Width(), console.Height());
    if (box.ButtonCount() == 0) {
        // Drawn and left standing: the caller restores the screen when it is done.
        {
            Console::Drawing drawing(console);
            box.Draw(drawing.Screen(), -1);
        }
        console.Flush();
        return -1;
    }
    const Rect area = box.Area();
    void* under = console.SaveArea(area.left, area.top, area.right, area.bottom);
    int focused = 0;
    int choice = -1;
    bool done = false;
    while (!done) {
        {
            Console::Drawing drawing(console);
            box.Draw(drawing.Screen(), focused);
        }
        console.Flush();
        INPUT_RECORD record;
        if (!console.ReadInput(&record)) break;
        if (record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown) {
            const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
            const bool shift = (key.dwControlKeyState & SHIFT_PRESSED) != 0;
            switch (key.wVirtualKeyCode) {
            case VK_RETURN:
            case VK_SPACE:
                choice = focused;
                done = true;
                break;
            case VK_ESCAPE:
                done = true;
                break;
            case VK_LEFT:
                focused = (focused + box.ButtonCount() - 1) % box.ButtonCount();
                break;
            case VK_RIGHT:
                focused = (focused + 1) % box.ButtonCount();
                break;
            case VK_TAB:
                focused = (focused + (shift ? box.ButtonCount() - 1 : 1)) % box.ButtonCount();
                break;
            default:
                break;
            }
        } else if (record.EventType == MOUSE_EVENT) {
            const MOUSE_EVENT_RECORD& mouse = record.Event.MouseEvent;
            const bool press = (mouse.dwButtonState & FROM_LEFT_1ST_BUTTON_PRESSED) != 0 &&
                               (mouse.dwEventFlags & MOUSE_MOVED) == 0;
            const int button = box.ButtonAt(mouse.dwMousePosition.X, mouse.dwMousePosition.Y);
            if (press && button >= 0) {
                choice = button;
                done = true;
            }
        } else if (record.EventType == WINDOW_BUFFER_SIZE_EVENT) {
            continue;
        }
    }
    console.RestoreArea(under);
    return choice;
}

}  // namespace host
