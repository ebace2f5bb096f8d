#include "standin_player.h"

#include "command_line.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace e2e {

namespace {


// quiet: the player's own messages (--help, errors) go nowhere instead of into the test's output.
HANDLE StartProcess(const std::string& program, const std::vector<std::string>& arguments, DWORD* processId,
                    bool quiet = false) {
    std::string line = CommandLine(program, arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE nul = quiet ? CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     &inheritable, OPEN_EXISTING, 0, nullptr)
                       : INVALID_HANDLE_VALUE;
    if (nul != INVALID_HANDLE_VALUE) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
    }
    PROCESS_INFORMATION process{};
    const BOOL created = CreateProcessA(nullptr, line.data(), nullptr, nullptr, nul != INVALID_HANDLE_VALUE, 0,
                                        nullptr, nullptr, &startup, &process);
    if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
    if (!created) return nullptr;
    CloseHandle(process.hThread);
    if (processId) *processId = process.dwProcessId;
    return process.hProcess;
}

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && std::string(className) == "Winamp v1.x") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool ParsePlayerLogLine(const std::string& line, PlayerLogEntry& entry) {
    entry = PlayerLogEntry{};
    std::istringstream in(line);
    if (line.rfind("# ", 0) == 0) {
        std::string hash;
        in >> hash >> entry.tick;
        if (!in) return false;
        std::getline(in >> std::ws, entry.note);
        return true;
    }
    in >> entry.tick >> entry.message >> entry.wParam >> entry.lParam;
    if (!in) return false;
    std::string equals;
    if (in >> equals) {
        if (equals != "=" || !(in >> entry.answer)) return false;
        entry.answered = true;
    }
    return true;
}

std::string NewPlayerLogPath() {
    static int counter = 0;
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    char name[MAX_PATH + 64];
    std::snprintf(name, sizeof name, "%sstandin-%lu-%lu-%d.log", folder, GetCurrentProcessId(), GetTickCount(),
                  ++counter);
    return name;
}

std::string StandinPlayer::ExecutablePath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    folder.erase(folder.find_last_of('\\') + 1);
    return folder + "standin-player.exe";
}

StandinPlayer::StandinPlayer(Options options) : logPath_(NewPlayerLogPath()) {
    std::vector<std::string> arguments = {"--log", logPath_};
    arguments.insert(arguments.end(), options.arguments.begin(), options.arguments.end());
    const std::string program = options.program.empty() ? ExecutablePath() : options.program;
    process_ = StartProcess(program, arguments, &processId_);
    if (!process_) {
        problem_ = "cannot start " + CommandLine(program, arguments) + " (error " + std::to_string(GetLastError()) + ")";
        return;
    }
    if (options.waitForWindow && !WaitForWindow(options.windowTimeoutMs)) {
        problem_ = "no player window within " + std::to_string(options.windowTimeoutMs) + " ms";
        return;
    }
    ready_ = true;
}

StandinPlayer::~StandinPlayer() {
    Terminate();
    DeleteFileA(logPath_.c_str());
}

HWND StandinPlayer::FindWindowOfProcess(DWORD processId) {
    WindowSearch search{processId, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool StandinPlayer::WaitForWindow(uint32_t timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        window_ = FindWindowOfProcess(processId_);
        if (window_) return true;
        if (!Running() || GetTickCount() - start >= timeoutMs) return false;
        Sleep(10);
    }
}

bool StandinPlayer::WaitForExit(uint32_t timeoutMs) {
    return !process_ || WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

bool StandinPlayer::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

void StandinPlayer::Terminate() {
    if (!process_) return;
    if (Running()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
    process_ = nullptr;
}

std::vector<std::string> StandinPlayer::ReadLogLines(const std::string& path) {
    std::vector<std::string> lines;
    // The player holds the file open for writing and shares it for reading.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return lines;
    std::string text;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) text.append(chunk, read);
    CloseHandle(file);
    std::istringstream in(text);
    std::string line;
    // Only whole lines: a line still being written has no end yet.
    while (std::getline(in, line)) {
        if (in.eof()) break;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<PlayerLogEntry> StandinPlayer::ReadLog(const std::string& path) {
    std::vector<PlayerLogEntry> entries;
    for (const std::string& line : ReadLogLines(path)) {
        PlayerLogEntry entry;
        if (ParsePlayerLogLine(line, entry)) entries.push_back(entry);
    }
    return entries;
}

std::vector<PlayerLogEntry> StandinPlayer::Commands() const {
    std::vector<PlayerLogEntry> commands;
    for (const PlayerLogEntry& entry : Log())
        if (entry.message == "WM_COMMAND") commands.push_back(entry);
    return commands;
}

int StandinPlayer::TitlesAsked() const {
    int asked = 0;
    for (const PlayerLogEntry& entry : Log())
        asked += entry.message == "WM_USER" && (entry.lParam == 212 || entry.lParam == 213);
    return asked;
}

bool StandinPlayer::WaitForLog(const std::function<bool(const std::vector<PlayerLogEntry>&)>& predicate,
                               uint32_t timeoutMs) const {
    const DWORD start = GetTickCount();
    for (;;) {
        if (predicate(Log())) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(10);
    }
}

int StandinPlayer::Run(const std::vector<std::string>& arguments, uint32_t timeoutMs) {
    HANDLE process = StartProcess(ExecutablePath(), arguments, nullptr, true);
    if (!process) return -1;
    DWORD status = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process, &status);
    else
        TerminateProcess(process, 1);
    CloseHandle(process);
    return static_cast<int>(status);
}

RegisteredStandinPlayer::RegisteredStandinPlayer() : registered_(StandinPlayer::Run({"--register"}) == 0) {}

RegisteredStandinPlayer::~RegisteredStandinPlayer() {
    if (registered_) StandinPlayer::Run({"--unregister"});
}

ScopedEnvironment::ScopedEnvironment(std::string name, const std::string& value) : name_(std::move(name)) {
    char old[4096] = {};
    const DWORD length = GetEnvironmentVariableA(name_.c_str(), old, sizeof old);
    hadOld_ = length > 0 && length < sizeof old;
    if (hadOld_) old_ = old;
    SetEnvironmentVariableA(name_.c_str(), value.c_str());
}

ScopedEnvironment::~ScopedEnvironment() {
    SetEnvironmentVariableA(name_.c_str(), hadOld_ ? old_.c_str() : nullptr);
}

}  // namespace e2e
