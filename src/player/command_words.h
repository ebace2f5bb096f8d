// Player commands by name, as the host's command line gives them ("quaver:stop next play").
#pragma once

#include <cstdint>

namespace quaver {

// The host's command line holds at most this many bytes, terminator included; a longer text, or one not
// terminated within them, is refused whole.
constexpr int commandTextCapacity = 512;
// Every word takes at least one character and one blank.
constexpr int maxCommandWords = commandTextCapacity / 2;

struct CommandWords {
    enum class Result { Commands, Blank, UnknownWord, TooLong };
    Result result = Result::Blank;
    uint32_t commands[maxCommandWords] = {};
    int count = 0;
    const char* unknownWord = nullptr;  // the first word that names no command, inside the text (not terminated)
    int unknownWordLength = 0;
};

// The command a word names, in any case; 0 when it names none.
uint32_t CommandOfWord(const char* word, int length);

// Reads the blank-separated words of text into their commands, in order. Any word that names no command leaves
// no commands at all. Never reads beyond commandTextCapacity bytes; a null text counts as blank.
void ReadCommandWords(const char* text, CommandWords& words);

}  // namespace quaver
