// The stand-in player started for --with-player, closed again when the host ends.
#pragma once

#include <windows.h>

#include <string>

namespace host {

constexpr char PlayerWindowClass[] = "Winamp v1.x";
constexpr char PlayerProgram[] = "standin-player.exe";
constexpr char DemoPlaylist[] = "demo-playlist.txt";

class PlayerProcess {
public:
    PlayerProcess() = default;
    ~PlayerProcess();  // closes the player if this object started it
    PlayerProcess(const PlayerProcess&) = delete;
    PlayerProcess& operator=(const PlayerProcess&) = delete;

    // Starts folder + PlayerProgram (with the demo playlist beside it) unless a player window exists, and waits
    // (up to 5 s) for its window.
    // Returns a line for the status row: what happened.
    std::string StartIfAbsent(const std::string& folder);

private:
    PROCESS_INFORMATION process_{};
};

}  // namespace host
