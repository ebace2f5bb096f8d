// The stand-in player's command line.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace standin {

constexpr uint32_t never = 0xFFFFFFFFu;

struct Options {
    std::string logPath;
    bool logAll = false;
    bool pinnedTitle = false;
    std::string title;
    uint32_t version = 0x5094;
    std::map<std::pair<uintptr_t, intptr_t>, int32_t> answers;  // (wParam, lParam) -> pinned answer
    std::string playlistPath;
    int initialState = 1;  // 1 playing, 3 paused, 0 stopped
    bool stateInTitle = false;
    bool titlesHigh = false;
    bool sharedTitleBuffer = false;
    double titleCostMs = 0;   // spent on every title question (212, 213, 214)
    double appendCostMs = 0;  // spent on every append (WM_COPYDATA 100, 1100)
    uint32_t entries = 0;     // a numbered playlist of this many entries instead of the default or --playlist
    uint32_t hangAfter = never;
    uint32_t slow = 0;
    uint32_t exitAfter = never;
    uint32_t showWindowAfter = 0;
    uint32_t autoAdvance = 0;
    bool registerCommand = false;
    bool unregisterCommand = false;
    bool help = false;
    std::string openedFile;  // a file named on the command line, as the registered open command passes one
};

// False with a message for an unknown option or a bad value. arguments (UTF-8) excludes the program's name.
bool ParseOptions(const std::vector<std::string>& arguments, Options& options, std::string& error);

// Splits the text of the environment variable STANDIN_PLAYER_OPTIONS at blanks; double quotes group.
std::vector<std::string> SplitOptionText(const std::string& text);

inline constexpr const char optionsVariable[] = "STANDIN_PLAYER_OPTIONS";

// "Q=V" of --answer: Q is LPARAM or LPARAM.WPARAM (decimal), V a signed 32-bit number (decimal or 0x hex).
bool ParseAnswer(const std::string& text, uintptr_t& wParam, intptr_t& lParam, int32_t& value);

extern const char helpText[];

}  // namespace standin
