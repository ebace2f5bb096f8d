#include "status.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "host/host.h"
#include "host/settings.h"
#include "panel/player_snapshot.h"
#include "panel/refresh.h"
#include "panel/stream_text.h"
#include "panel/title_layout.h"
#include "player/commands.h"
#include "pure/status_line.h"

namespace host {

namespace {

// The module's code, linked into this program, works through its own copy of the host's records.
void LendServices(const HostServices& services) {
    quaver::hostLink.services = services;
    quaver::hostLink.standardFunctions = *services.standardFunctions;
    quaver::hostLink.services.standardFunctions = &quaver::hostLink.standardFunctions;
    quaver::settings.showRepeatShuffle = 1;  // the indicators are always asked
    quaver::settings.showVersion[0] = 0;
}

// One pass of the panel's questions, and the list's length and the volume besides. False when the player
// did not answer them all.
bool AskStatus(HWND player, PlayerStatus& status) {
    quaver::PlayerQueries queries(player, nullptr);
    quaver::PlayerSnapshot snapshot{};
    int32_t tracks = 0;
    int32_t volume = 0;
    if (!quaver::AskPlayer(queries, true, snapshot) || !queries.Ask(quaver::query::PlaylistLength, tracks) ||
        !queries.Ask({static_cast<uintptr_t>(quaver::playlistMessage::askVolume), quaver::playlistMessage::Volume},
                     volume))
        return false;
    status.playing = snapshot.playing;
    status.listPosition = snapshot.listPosition;
    status.tracks = tracks;
    status.positionMs = snapshot.position;
    status.lengthSeconds = snapshot.trackLength;
    status.volume = volume;
    status.bitRate = snapshot.bitRate;
    status.sampleRate = snapshot.sampleRate;
    status.channels = quaver::ChannelName(snapshot.channels);
    status.shuffle = snapshot.shuffle;
    status.repeat = snapshot.repeat;
    // The title as the title line shows it: no list number, no player's name.
    quaver::ShownTitle shown{};
    const quaver::TitleAnswer& title = snapshot.title;
    status.title = quaver::FindShownTitle(title.title, title.length, shown)
                       ? std::string(title.title + shown.start, static_cast<size_t>(shown.length))
                       : std::string();
    return true;
}

// The player's titles are in the ANSI code page: a console is written in its own characters, which the OEM
// code page would get wrong; anything else gets the bytes as they are.
void PrintLine(const std::string& line) {
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (output != INVALID_HANDLE_VALUE && GetConsoleMode(output, &mode)) {
        const std::string text = line + "\n";
        std::wstring wide(text.size(), L'\0');
        const int length =
            MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), static_cast<int>(wide.size()));
        DWORD written = 0;
        WriteConsoleW(output, wide.data(), static_cast<DWORD>(length > 0 ? length : 0), &written, nullptr);
        return;
    }
    printf("%s\n", line.c_str());
    fflush(stdout);
}

}  // namespace

int PrintStatus(const Options& options, const HostServices& services) {
    LendServices(services);
    std::string shown;
    bool printed = false;
    bool silent = false;  // said so once; said again only after the player answered meanwhile
    for (;;) {
        HWND player = FindWindowA(quaver::playerClassName, nullptr);
        if (!player) {
            if (printed) return 0;  // the player's window went: --follow ends
            fprintf(stderr, "quaver-host: no player is running\n");
            return NoPlayerAnswered;
        }
        PlayerStatus status{};
        if (AskStatus(player, status)) {
            const std::string line = FormatStatus(options.statusFormat, status);
            if (!printed || line != shown) PrintLine(line);
            shown = line;
            printed = true;
            silent = false;
            if (!options.follow) return 0;
        } else if (!printed) {
            fprintf(stderr, "quaver-host: the player does not answer\n");
            return NoPlayerAnswered;
        } else if (!silent) {
            // --follow goes on asking at its own pace: each question is bounded.
            fprintf(stderr, "quaver-host: the player does not answer\n");
            fflush(stderr);
            silent = true;
        }
        Sleep(quaver::refreshPeriod);
    }
}

}  // namespace host
