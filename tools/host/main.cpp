// quaver-host.exe: a console host for the Quaver Control module. Loads the module, gives it the host's
// services, opens its panel, and offers a one-line menu whenever the panel is closed.
#include <windows.h>

#include <cstdio>

#include "console.h"
#include "help_viewer.h"
#include "host/host.h"
#include "language.h"
#include "module.h"
#include "panel_services.h"
#include "paths.h"
#include "player_process.h"
#include "pure/text.h"
#include "pure/options.h"
#include "screens.h"
#include "services.h"
#include "status.h"

using namespace host;

namespace {

constexpr char CommandPrefix[] = "quaver";
constexpr int WordsNotSent = 5;
constexpr DWORD AddPollPeriod = 100;  // ms

// Why --command failed, by what the module says happened; the module's own language file has no such texts.
struct StatusReason {
    uint32_t status;
    const char* reason;
};
constexpr StatusReason statusReasons[] = {
    {commandStatus::Refused, "the module refused the words: nothing was sent"},
    {commandStatus::NoPlayer, "no player is running: the words were not sent"},
    {commandStatus::StartFailed, "the player was started but no window came: the words were not sent"},
    {commandStatus::NotAnswered,
     "the player did not answer: it may not have taken the command, and the words after it were not sent"},
};

const char* ReasonFor(uint32_t status) {
    for (const StatusReason& row : statusReasons)
        if (row.status == status) return row.reason;
    return "the module did not say whether the words were sent";
}

std::string StatusAfterPanel(const std::string& title) {
    return title + " closed. Enter opens it again, F9 configures it, F10 quits.";
}

// Names as the file system compares them: in any case.
bool SameName(const std::string& a, const std::string& b) {
    return CompareStringOrdinal(WideFromUtf8(a).c_str(), -1, WideFromUtf8(b).c_str(), -1, TRUE) == CSTR_EQUAL;
}

bool NamesPrefix(const std::vector<std::string>& prefixes, const char* prefix) {
    for (const std::string& named : prefixes)
        if (SameName(named, prefix)) return true;
    return false;
}

// quaver.dll beside the host, or the one --module names: a relative path that names no file from the current
// folder is taken from the host's own (quaver-host.exe --module wide\quaver.dll, from anywhere).
std::string ModuleToLoad(const std::string& named, const std::string& folder) {
    if (named.empty()) return folder + "quaver.dll";
    const std::wstring wide = WideFromUtf8(named);
    const bool relative = named.find(':') == std::string::npos && named[0] != '\\' && named[0] != '/';
    if (relative && GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES &&
        GetFileAttributesW(WideFromUtf8(folder + named).c_str()) != INVALID_FILE_ATTRIBUTES)
        return folder + named;
    return named;
}

// The command line in UTF-8, whatever the ANSI code page holds: names of files and words of any script.
std::vector<std::string> Arguments() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 0; wide && i < count; ++i) arguments.push_back(Utf8FromWide(wide[i]));
    if (wide) LocalFree(wide);
    return arguments;
}

// --command: what the file manager does for quaver:WORDS on its command line, with no console of its own; the
// module's error box goes to standard error instead.
int SendCommand(Module& module, const std::string& words, const std::vector<std::string>& selected,
                LanguageFile* language) {
    SendMessagesToStandardError();
    // add takes the file list's selection, chosen here by --select.
    const std::string folder = ProgramFolder();
    Pane files = ListFolder(folder);
    for (const std::string& name : selected)
        for (size_t i = 0; i < files.names.size(); ++i)
            if (SameName(files.names[i], name)) {
                files.selected.resize(files.names.size(), false);
                files.selected[i] = true;
            }
    SetActivePane(&files, folder);
    module.Start(language);
    if (!NamesPrefix(module.CommandPrefixes(), CommandPrefix)) {
        fprintf(stderr, "quaver-host: %s names no command prefix \"%s\"\n", module.Path().c_str(), CommandPrefix);
        return WordsNotSent;
    }
    const DWORD started = GetTickCount();
    module.OpenFromCommandLine(words);
    // The module gives the host back while files it adds are still on their way: this host waits for them.
    uint32_t status = module.CommandStatus();
    if (status == commandStatus::Adding)
        fprintf(stderr, "quaver-host: the module gave the host back after %lu ms; waiting for the files to reach the player\n",
                static_cast<unsigned long>(GetTickCount() - started));
    while (status == commandStatus::Adding) {
        Sleep(AddPollPeriod);
        status = module.CommandStatus();
    }
    const Module::Added added = module.FilesAdded();
    if (added.toAdd > 0) printf("%u of %u files added to the playlist\n", added.added, added.toAdd);
    if (status == commandStatus::Sent) return 0;
    // The module's error box has said why already; it only beeps for the rest.
    if (ErrorBoxesWritten() == 0) fprintf(stderr, "quaver-host: %s\n", ReasonFor(status));
    return WordsNotSent;
}

}  // namespace

int main() {
    const std::vector<std::string> arguments = Arguments();
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    const Options options = ParseOptions(static_cast<int>(argv.size()), argv.data());
    if (!options.error.empty()) {
        fprintf(stderr, "quaver-host: %s\n\n%s", options.error.c_str(), UsageText());
        return 1;
    }
    if (options.help) {
        fputs(UsageText(), stdout);
        return 0;
    }

    const std::string folder = ProgramFolder();
    std::string error;
    const std::unique_ptr<Module> module = Module::Load(ModuleToLoad(options.modulePath, folder), &error);
    if (!module) {
        fprintf(stderr, "quaver-host: %s\n", error.c_str());
        return 2;
    }
    // A damaged language file would put wrong texts in every box and dialog: it is refused.
    LanguageFile language;
    const std::vector<std::string> moduleFolders = {FolderOf(module->Path()), folder};
    if (!LoadLanguage(&language, moduleFolders, options.language, module->Coding(), quaver::message::Count, &error)) {
        fprintf(stderr, "quaver-host: %s\n", error.c_str());
        return 4;
    }
    if (options.start == StartAction::Command)
        return SendCommand(*module, options.command, options.selected, &language);
    if (options.start == StartAction::Status) {
        // The panel's own questions, from the classic module's code linked into this host.
        HostServices services;
        FillServices(&services, module->Path(), &language);
        return PrintStatus(options, services);
    }
    SetHelpLanguage(options.language);
    Console& console = TheConsole();
    if (!console.Open(&error)) {
        fprintf(stderr, "quaver-host: %s\n", error.c_str());
        return 3;
    }

    PlayerProcess player;
    const std::string playerNote = options.withPlayer ? player.StartIfAbsent(folder) : std::string();

    module->Start(&language);
    const std::vector<std::string> menuTitles = module->MenuTitles();
    const std::string title = menuTitles.empty() ? "(no menu entry)" : menuTitles.front();

    console.SetTitle("Quaver Host - " + title);
    Pane plugins;
    plugins.heading = "Plug-ins";
    plugins.names = menuTitles;
    HostScreen screen(title, ListFolder(folder), plugins);
    SetActivePane(&screen.FilePane(), folder);
    if (!playerNote.empty()) {
        screen.SetStatus(playerNote);
    } else {
        screen.SetStatus("Enter opens " + title + ", F9 configures it, F10 quits.");
    }

    MenuChoice choice = options.start == StartAction::OpenPanel ? MenuChoice::OpenPanel
                        : options.start == StartAction::Configure ? MenuChoice::Configure
                                                                  : screen.RunMenu();
    while (choice != MenuChoice::Quit) {
        if (choice == MenuChoice::OpenPanel) {
            screen.ShowPanelKeys();
            module->Open();
            screen.SetStatus(StatusAfterPanel(title));
        } else {
            screen.Draw();
            const bool saved = module->Configure();
            screen.SetStatus(saved ? "Configuration saved." : "Configuration not changed.");
        }
        // Keys typed for the module (an Esc held a little long) are not meant for the menu.
        FlushConsoleInputBuffer(console.Input());
        choice = screen.RunMenu();
    }
    console.Close();
    return 0;
}
