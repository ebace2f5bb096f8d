#include "player_process.h"

#include "pure/text.h"

namespace host {

namespace {

struct PlayerSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<PlayerSearch*>(parameter);
    char name[64];
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !GetClassNameA(window, name, sizeof name) ||
        lstrcmpA(name, PlayerWindowClass) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

// The player window of that process, not any player that happens to run.
HWND FindPlayerOf(DWORD processId) {
    PlayerSearch search{processId, nullptr};
    EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

std::string PlayerProcess::StartIfAbsent(const std::string& folder) {
    if (FindWindowA(PlayerWindowClass, nullptr)) return "A player is already running.";
    std::string commandLine = "\"" + folder + PlayerProgram + "\"";
    // The demo's playlist, when it lies beside the player.
    const std::string playlist = folder + DemoPlaylist;
    if (GetFileAttributesW(WideFromUtf8(playlist).c_str()) != INVALID_FILE_ATTRIBUTES)
        commandLine += " --playlist \"" + playlist + "\"";
    std::wstring wideLine = WideFromUtf8(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, wideLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process_)) {
        process_ = PROCESS_INFORMATION{};
        return std::string("Cannot start ") + PlayerProgram + " (error " + std::to_string(GetLastError()) + ").";
    }
    for (int wait = 0; wait < 100; ++wait) {
        if (FindPlayerOf(process_.dwProcessId)) return std::string(PlayerProgram) + " started.";
        if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0) break;
    }
    return std::string(PlayerProgram) + " started, but its window did not appear.";
}

PlayerProcess::~PlayerProcess() {
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        if (HWND window = FindPlayerOf(process_.dwProcessId)) PostMessageA(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 3000) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

}  // namespace host
