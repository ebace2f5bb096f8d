#include "player/command_words.h"

#include <cstring>

#include "player/commands.h"

namespace quaver {

namespace {

struct CommandName {
    const char* word;
    uint32_t command;
};

// The same commands the panel's buttons and keys send.
constexpr CommandName commandNames[] = {
    {"play", command::Play},
    {"pause", command::Pause},
    {"stop", command::Stop},
    {"next", command::Next},
    {"prev", command::Previous},
    {"previous", command::Previous},
    {"rew", command::Rewind},
    {"rewind", command::Rewind},
    {"ffwd", command::FastForward},
    {"forward", command::FastForward},
    {"vol+", command::VolumeUp},
    {"louder", command::VolumeUp},
    {"vol-", command::VolumeDown},
    {"quieter", command::VolumeDown},
    {"shuffle", command::ToggleShuffle},
    {"repeat", command::ToggleRepeat},
    {"open", command::Open},
};

constexpr char LowerCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool SameWord(const char* name, const char* word, int length) {
    for (int i = 0; i < length; ++i)
        if (name[i] == '\0' || name[i] != LowerCase(word[i])) return false;
    return name[length] == '\0';
}

}  // namespace

uint32_t CommandOfWord(const char* word, int length) {
    for (const CommandName& name : commandNames)
        if (SameWord(name.word, word, length)) return name.command;
    return 0;
}

void ReadCommandWords(const char* text, CommandWords& words) {
    words.result = CommandWords::Result::Blank;
    words.count = 0;
    words.unknownWord = nullptr;
    words.unknownWordLength = 0;
    if (!text) return;
    const size_t length = strnlen(text, commandTextCapacity);
    if (length == commandTextCapacity) {
        words.result = CommandWords::Result::TooLong;
        return;
    }
    size_t at = 0;
    while (at < length) {
        while (at < length && IsBlank(text[at])) ++at;
        const size_t start = at;
        while (at < length && !IsBlank(text[at])) ++at;
        if (at == start) break;
        const int wordLength = static_cast<int>(at - start);
        const uint32_t command = CommandOfWord(text + start, wordLength);
        if (command == 0) {
            words.result = CommandWords::Result::UnknownWord;
            words.count = 0;
            words.unknownWord = text + start;
            words.unknownWordLength = wordLength;
            return;
        }
        words.commands[words.count++] = command;
        words.result = CommandWords::Result::Commands;
    }
}

}  // namespace quaver
