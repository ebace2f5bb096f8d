// Any registered open command, up to and past the 261-byte buffer and with any bytes: cut after its program
// file, the command line is terminated inside the buffer, is the registered text (with quotes added around
// the program's path at most), and never leaves CreateProcessA an unquoted path with a blank before ".EXE".
// Each input is also started through FindOrStartPlayer with the command registered.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fake_host.h"
#include "fake_os.h"
#include "fuzz_input.h"
#include "host/host.h"
#include "host/settings.h"
#include "player/player.h"

using namespace quaver;
using fuzz::Require;

namespace {

constexpr char fallbackCommand[] = "C:\\Player\\player.exe";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsExeAt(const std::string& text, size_t at) {
    auto upper = [](char c) { return static_cast<char>(c & ~0x20); };
    return text[at] == '.' && upper(text[at + 1]) == 'E' && upper(text[at + 2]) == 'X' && upper(text[at + 3]) == 'E';
}

// CreateProcessA tries every blank of an unquoted command line as the end of the program's path.
void RequireNoBlankBeforeProgram(const std::string& line) {
    if (!line.empty() && line[0] == '"') return;  // the path ends at its closing quote
    size_t programEnd = line.size();
    for (size_t at = 0; at + 4 <= line.size(); ++at)
        if (IsExeAt(line, at)) {
            programEnd = at;
            break;
        }
    for (size_t at = 0; at < programEnd; ++at)
        Require(!IsBlank(line[at]), "an unquoted program path has no blank before its .EXE");
}

// The line is a beginning of the registered text, or that with one pair of quotes put around its start.
void RequireCutOf(const std::string& line, const std::string& registered) {
    if (registered.compare(0, line.size(), line) == 0 && line.size() <= registered.size()) return;
    bool quotedPrefix = false;
    if (line.size() >= 2 && line[0] == '"' && (registered.empty() || registered[0] != '"'))
        for (size_t close = 1; close < line.size() && !quotedPrefix; ++close) {
            if (line[close] != '"') continue;
            const std::string unquoted = line.substr(1, close - 1) + line.substr(close + 1);
            quotedPrefix = registered.compare(0, unquoted.size(), unquoted) == 0 && unquoted.size() <= registered.size();
        }
    Require(quotedPrefix, "the command line is the registered command, cut, its path quoted at most");
}

void RequireSafeCommand(const std::string& line, const std::string& registered) {
    Require(line.size() < startCommandCapacity, "the command line is terminated inside its buffer");
    RequireNoBlankBeforeProgram(line);
    RequireCutOf(line, registered);
}

// The cut itself, on the buffer as the registry leaves it: terminated, or full to the last byte.
std::string CutInBuffer(const std::string& registered) {
    char buffer[startCommandCapacity];
    std::memset(buffer, 'q', sizeof buffer);
    const size_t stored = registered.size() < sizeof buffer ? registered.size() : sizeof buffer;
    std::memcpy(buffer, registered.data(), stored);
    if (stored < sizeof buffer) buffer[stored] = '\0';
    CutStartCommand(buffer, startCommandCapacity);
    Require(std::memchr(buffer, '\0', sizeof buffer) != nullptr, "the cut command is terminated inside its buffer");
    const std::string line = buffer;
    RequireSafeCommand(line, std::string(registered.c_str()).substr(0, startCommandCapacity - 1));
    return line;
}

// The whole start: the registry read of the open command, the cut or the fallback, the started process.
void StartRegistered(const std::string& registered, const std::string& cut) {
    fake::Reset();
    fake::StartModule();
    fake::host().messages[message::PlayerCommandLine] = fallbackCommand;
    {
        std::lock_guard lock(fake::Mutex());
        fake::world().manualClock = true;
        fake::world().classesRoot["winamp.file\\shell\\open\\command"] = registered;
    }
    settings.startPlayer[0] = 1;
    FindOrStartPlayer(true);
    Require(fake::world().processesStarted.size() == 1, "one start");
    const std::string& started = fake::world().processesStarted.back();
    RequireSafeCommand(started, registered.size() < startCommandCapacity ? std::string(registered.c_str())
                                                                         : std::string(fallbackCommand));
    // A registered value that fits the buffer is started as cut; a longer one gives way to the fallback.
    Require(started == (registered.size() < startCommandCapacity ? cut : std::string(fallbackCommand)),
            "the registered command is started as cut, a value too long for the buffer not at all");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput in(data, size);
    const std::string registered = in.TakeRest();
    const std::string cut = CutInBuffer(registered);
    StartRegistered(registered, cut);
    return 0;
}
