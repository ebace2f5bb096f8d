// Starts standin-player.exe (beside the test program) for the length of a test and reads its message log.
//
//   e2e::StandinPlayer player({"--state", "pause"});
//   ASSERT_TRUE(player.Ready()) << player.Problem();
//   SendMessageA(player.Window(), WM_COMMAND, 40045, 0);
//   EXPECT_EQ(player.Commands().back().wParam, 40045u);
//
// The destructor ends the player if it still runs and deletes its log.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

// One line of the player's log: "<tick> <message> <wParam> <lParam>[ = <answer>]", or a note "# <tick> <text>".
struct PlayerLogEntry {
    uint32_t tick = 0;
    std::string message;  // "WM_COMMAND", "WM_USER", "WM_GETTEXT", "WM_CLOSE" or a number; empty for a note
    uint64_t wParam = 0;
    int64_t lParam = 0;
    bool answered = false;  // a query's line carries its answer
    int32_t answer = 0;
    std::string note;  // the text of a note
};

// Parses one log line; false for a line that is neither a message nor a note.
bool ParsePlayerLogLine(const std::string& line, PlayerLogEntry& entry);

// A log file name in the temporary folder, unique within the machine's run.
std::string NewPlayerLogPath();

class StandinPlayer {
public:
    struct Options {
        std::vector<std::string> arguments;  // --log is added
        bool waitForWindow = true;
        uint32_t windowTimeoutMs = 15000;
        std::string program;  // a full path; empty: ExecutablePath()
    };

    explicit StandinPlayer(Options options);
    explicit StandinPlayer(std::vector<std::string> arguments = {})
        : StandinPlayer(Options{std::move(arguments), true, 15000, {}}) {}
    ~StandinPlayer();
    StandinPlayer(const StandinPlayer&) = delete;
    StandinPlayer& operator=(const StandinPlayer&) = delete;

    // Started and (when asked to wait) its window is there.
    bool Ready() const { return ready_; }
    const std::string& Problem() const { return problem_; }
    DWORD ProcessId() const { return processId_; }
    HWND Window() const { return window_; }
    const std::string& LogPath() const { return logPath_; }

    bool WaitForWindow(uint32_t timeoutMs);
    bool WaitForExit(uint32_t timeoutMs);
    bool Running() const;
    void Terminate();

    std::vector<std::string> LogLines() const { return ReadLogLines(logPath_); }
    std::vector<PlayerLogEntry> Log() const { return ReadLog(logPath_); }
    std::vector<PlayerLogEntry> Commands() const;  // the WM_COMMAND lines
    // Titles asked: 212 the title in the ANSI code page, 213 in UTF-16, one question a title either way.
    int TitlesAsked() const;
    // Polls the log until the predicate holds on it; false after the time-out.
    bool WaitForLog(const std::function<bool(const std::vector<PlayerLogEntry>&)>& predicate,
                    uint32_t timeoutMs = 5000) const;

    static std::string ExecutablePath();
    // Runs the player to its end with these arguments (e.g. --register); its exit status, or -1.
    static int Run(const std::vector<std::string>& arguments, uint32_t timeoutMs = 15000);
    static std::vector<std::string> ReadLogLines(const std::string& path);
    static std::vector<PlayerLogEntry> ReadLog(const std::string& path);
    // The window of class "Winamp v1.x" that belongs to the process, or null.
    static HWND FindWindowOfProcess(DWORD processId);

private:
    bool ready_ = false;
    std::string problem_;
    std::string logPath_;
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND window_ = nullptr;
};

// Makes standin-player.exe the registered open command for as long as it lives, and removes it again.
class RegisteredStandinPlayer {
public:
    RegisteredStandinPlayer();
    ~RegisteredStandinPlayer();
    RegisteredStandinPlayer(const RegisteredStandinPlayer&) = delete;
    RegisteredStandinPlayer& operator=(const RegisteredStandinPlayer&) = delete;
    bool Registered() const { return registered_; }

private:
    bool registered_ = false;
};

// Sets an environment variable of this process (inherited by what it starts) and puts the old value back.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::string name, const std::string& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name_;
    std::string old_;
    bool hadOld_ = false;
};

}  // namespace e2e
