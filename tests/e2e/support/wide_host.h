// A recording host of the wide-character interface for Windows test programs: a startup record whose
// functions log what the wide module asks of the host, with a settings store, a palette and an active panel
// of its own. One per program; the module's callbacks may come from its worker threads (Text), so what they
// record is read under Lock().
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "command_line.h"
#include "host/wide_api.h"

namespace e2e {

struct WideText {
    intptr_t x, y;
    wide::Colour colour;
    std::wstring text;
};

struct WideMessageBox {
    wide::Flags flags;
    std::vector<std::wstring> lines;
};

struct WideMenu {
    std::wstring title, bottom, help;
    std::vector<std::wstring> lines;
    int selected = -1;  // the first line flagged selected
};

struct WideDialog {
    wide::Guid id;
    intptr_t width, height;
    std::wstring help;
    std::vector<wide::DialogLine> lines;  // as handed over; `selected` is what GetCheck answers while it runs
    std::vector<std::wstring> texts;
    wide::DialogProc proc;
};

struct WideDialogMessage {
    intptr_t message, parameter1;
    intptr_t parameter2;
};

struct WideHost {
    wide::StartupRecord startup{};
    wide::StandardFunctions functions{};
    std::wstring modulePath;
    std::map<int, std::wstring> messages;  // missing numbers answer "message N"

    std::vector<WideText> texts;
    int flushes = 0;
    std::vector<WideMessageBox> messageBoxes;
    std::vector<WideMenu> menus;
    intptr_t menuChoice = -1;
    std::vector<std::wstring> helpTopics;

    std::vector<WideDialog> dialogs;
    std::vector<WideDialogMessage> dialogMessages;  // SendDlgMessage, GetCheck left out
    // Plays the user while the dialog runs (it may call dialog.proc); its result is DialogRun's.
    std::function<intptr_t(WideDialog& dialog)> runDialog = [](WideDialog&) { return intptr_t{-1}; };

    // The settings store: numbers and bytes by name; storeFails makes every set and free fail.
    std::map<std::wstring, uint64_t> numbers;
    std::map<std::wstring, std::vector<unsigned char>> bytes;
    std::map<std::wstring, int> storedTypes;
    bool storeFails = false;
    int storesOpen = 0;
    int storeVisits = 0;  // creates; one while another is open fails, the store being locked

    std::map<intptr_t, wide::Colour> palette;  // AdvControl(3); a missing entry fails

    // The active panel: a file panel with these selected names in this folder.
    std::wstring folder;
    std::vector<std::wstring> selected;
};

// The program's one wide host, fresh: every function wired, nothing recorded.
WideHost& ResetWideHost();
WideHost& wideHost();
std::mutex& WideHostLock();

// The module's five exports, from a DLL loaded for the length of a test.
struct WideModule {
    explicit WideModule(const std::string& path);
    ~WideModule();
    WideModule(const WideModule&) = delete;
    WideModule& operator=(const WideModule&) = delete;

    void* library = nullptr;
    wide::GetGlobalInfoFunction GetGlobalInfoW = nullptr;
    wide::SetStartupInfoFunction SetStartupInfoW = nullptr;
    wide::GetPluginInfoFunction GetPluginInfoW = nullptr;
    wide::OpenFunction OpenW = nullptr;
    wide::ConfigureFunction ConfigureW = nullptr;
};

}  // namespace e2e
