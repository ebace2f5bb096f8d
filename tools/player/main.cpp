// standin-player.exe: stands in for the desktop player in the demo and the end-to-end tests.
#include <windows.h>

#include "command_log.h"
#include "console_output.h"
#include "options.h"
#include "player_window.h"
#include "playlist.h"
#include "registration.h"

int main(int argc, char** argv) {
    using namespace standin;
    const uint32_t startTick = GetTickCount();

    Options options;
    std::string error;
    if (!ParseOptions(argc, argv, options, error)) {
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
    if (!options.playlistPath.empty() && !LoadPlaylist(options.playlistPath, tracks, error)) {
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
