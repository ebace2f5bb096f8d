// standin-player.exe: stands in for the desktop player in the demo and the end-to-end tests.
#include <windows.h>
#include <shellapi.h>

#include <iterator>

#include "command_log.h"
#include "console_output.h"
#include "options.h"
#include "player_window.h"
#include "playlist.h"
#include "registration.h"
#include "text_codes.h"

namespace {

// The tick at which this process was created, so that "after MS" options count from the start asked for by
// whoever started us rather than from whenever the program got going (which takes a while under Wine).
uint32_t ProcessCreationTick() {
    const uint32_t now = GetTickCount();
    FILETIME created{}, exited{}, kernel{}, user{}, current{};
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return now;
    GetSystemTimeAsFileTime(&current);
    auto value = [](const FILETIME& time) {
        return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    const uint64_t createdAt = value(created);
    const uint64_t currentAt = value(current);
    if (currentAt <= createdAt) return now;
    const uint64_t elapsedMs = (currentAt - createdAt) / 10000;
    return elapsedMs > 60000 ? now : now - static_cast<uint32_t>(elapsedMs);
}

// In UTF-8, from the wide command line and environment, so that a path or title keeps any character.
std::vector<std::string> AllArguments() {
    using standin::Utf8FromWide;
    std::vector<std::string> arguments;
    wchar_t fromEnvironment[4096] = {};
    const std::wstring name = standin::WideFromUtf8(standin::optionsVariable);
    const DWORD length = GetEnvironmentVariableW(name.c_str(), fromEnvironment, std::size(fromEnvironment));
    if (length > 0 && length < std::size(fromEnvironment))
        arguments = standin::SplitOptionText(Utf8FromWide(fromEnvironment));
    int count = 0;
    if (wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i) arguments.push_back(Utf8FromWide(words[i]));
        LocalFree(words);
    }
    return arguments;
}

}  // namespace

int main() {
    using namespace standin;
    const uint32_t startTick = ProcessCreationTick();

    Options options;
    std::string error;
    if (!ParseOptions(AllArguments(), options, error)) {
        PrintError("standin-player: " + error + "\n");
        return 2;
    }
    if (options.help) {
        PrintOut(helpText);
        return 0;
    }
    if (options.registerCommand || options.unregisterCommand) {
        const bool done = options.registerCommand ? RegisterOpenCommand(error) : UnregisterOpenCommand(error);
        if (!done) PrintError("standin-player: " + error + "\n");
        return done ? 0 : 1;
    }

    std::vector<Track> tracks = DefaultPlaylist();
    if (options.entries) {
        tracks = NumberedPlaylist(static_cast<int>(options.entries));
    } else if (!options.playlistPath.empty() && !LoadPlaylist(options.playlistPath, tracks, error)) {
        PrintError("standin-player: " + error + "\n");
        return 2;
    }

    CommandLog log;
    if (!options.logPath.empty() && !log.Open(options.logPath)) {
        PrintError("standin-player: cannot write the log " + options.logPath + "\n");
        return 2;
    }
    log.Note("started, process " + std::to_string(GetCurrentProcessId()));
    if (!options.openedFile.empty()) log.Note("open " + options.openedFile);
    return RunPlayerWindow(options, std::move(tracks), log, startTick);
}
