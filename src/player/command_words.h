// Player commands by name, as the host's command line gives them ("quaver:stop next play").
#pragma once

#include <cstdint>

#include "host/host_text.h"

namespace quaver {

// The host's command line holds at most this many bytes, terminator included; a longer text, or one not
// terminated within them, is refused whole.
constexpr int commandTextCapacity = 512;
// Every word takes at least one character and one blank.
constexpr int maxCommandWords = commandTextCapacity / 2;

// Words that ask more of the player than one command; their codes lie below every player command.
namespace word {
constexpr uint32_t Track = 1;   // value: entry index, from 0
constexpr uint32_t Jump = 2;    // the text is CommandWords::jumpText
constexpr uint32_t SeekTo = 3;  // value: milliseconds into the track
constexpr uint32_t SeekBy = 4;  // value: milliseconds forward (negative: back) from the position
constexpr uint32_t Volume = 5;  // value: 0-255
constexpr uint32_t Add = 6;     // the active file panel's selection
constexpr bool IsPlayerCommand(uint32_t code) { return code > Add; }
}  // namespace word

// The largest number a word takes: a track number, or seconds to seek.
constexpr int32_t largestWordNumber = 2000000;

struct CommandWords {
    enum class Result { Commands, Blank, UnknownWord, TooLong, BadValue };
    Result result = Result::Blank;
    uint32_t commands[maxCommandWords] = {};  // a player command or a word:: code
    int32_t values[maxCommandWords] = {};     // the value of a word:: code
    // Where each command's word (with its value) stands in the text, for an error box that names it.
    const HostChar* sources[maxCommandWords] = {};
    int sourceLengths[maxCommandWords] = {};
    int count = 0;
    // The first word that names no command, or the word whose value is wrong (with the value), inside the
    // text (not terminated).
    const HostChar* unknownWord = nullptr;
    int unknownWordLength = 0;
    const HostChar* jumpText = nullptr;  // the rest of the line after "jump", blanks trimmed
    int jumpTextLength = 0;
};

// The command a word names, in any case; 0 when it names none.
uint32_t CommandOfWord(const HostChar* word, int length);

// Reads the blank-separated words of text into their commands, in order. Any word that names no command, or
// whose value is missing or wrong, leaves no commands at all. Never reads beyond commandTextCapacity bytes;
// a null text counts as blank.
void ReadCommandWords(const HostChar* text, CommandWords& words);

// "SECONDS" or "M:SS" (seconds 00-59), each optionally signed: the milliseconds, and whether a sign made it
// relative. False for anything else, or more than largestWordNumber seconds.
bool ReadSeekTime(const HostChar* text, int length, int32_t& milliseconds, bool& relative);

// The player's volume (0-255) for a percentage 0-100, rounded to the nearest.
constexpr int32_t VolumeOfPercent(int32_t percent) { return (percent * 255 + 50) / 100; }

}  // namespace quaver
