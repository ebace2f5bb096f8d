// The message log: one line per message, in UTF-8, written through at once so that a test can read it while
// the player runs.
#pragma once

#include <cstdint>
#include <string>

namespace standin {

class CommandLog {
public:
    CommandLog() = default;
    CommandLog(const CommandLog&) = delete;
    CommandLog& operator=(const CommandLog&) = delete;
    ~CommandLog();

    // Opens the file (path in UTF-8) to append to; other processes may read and even delete it meanwhile.
    bool Open(const std::string& path);
    // "<tick> <message> <wParam> <lParam>"
    void Message(uint32_t message, uintptr_t wParam, intptr_t lParam);
    // "<tick> WM_USER <wParam> <lParam> = <answer>", wParam as a signed number
    void Query(uintptr_t wParam, intptr_t lParam, intptr_t answer);
    // "<tick> WM_COPYDATA <dwData> <path>"
    void Copied(uintptr_t dataKind, const std::string& path);
    // "# <tick> <text>": the player's own events.
    void Note(const std::string& text);

private:
    void Write(const std::string& line);
    void* file_ = nullptr;
};

// "WM_COMMAND" and the like for the player's messages, the number for any other.
std::string MessageName(uint32_t message);

}  // namespace standin
