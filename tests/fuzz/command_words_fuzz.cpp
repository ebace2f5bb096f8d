// Any text after "quaver:" on the host's command line, terminated or not: the words are read only within the
// host's 512 bytes, and either every word becomes one player command (a word with a value takes it along) or
// none does and the first word that names none, or whose value is wrong, is pointed out.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "fuzz_input.h"
#include "player/command_words.h"
#include "player/commands.h"

using namespace quaver;
using fuzz::Require;

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsPanelCommand(uint32_t code) {
    for (const uint32_t known : {command::Play, command::Pause, command::Stop, command::Next, command::Previous,
                                 command::Rewind, command::FastForward, command::VolumeUp, command::VolumeDown,
                                 command::ToggleShuffle, command::ToggleRepeat, command::Open})
        if (code == known) return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A short input without a zero is given its terminator; any other holds exactly the input, so that a read
    // beyond it is caught.
    const size_t length = size < 2 * commandTextCapacity ? size : 2 * commandTextCapacity;
    const bool terminated = length >= static_cast<size_t>(commandTextCapacity) || std::memchr(data, 0, length);
    std::unique_ptr<char[]> buffer(new char[terminated ? length : length + 1]);
    if (length) std::memcpy(buffer.get(), data, length);
    if (!terminated) buffer[length] = '\0';
    const char* text = buffer.get();
    const size_t textLength = strnlen(text, commandTextCapacity);

    CommandWords words;
    ReadCommandWords(text, words);

    if (textLength >= static_cast<size_t>(commandTextCapacity)) {
        Require(words.result == CommandWords::Result::TooLong, "a text that fills 512 bytes is refused");
        Require(words.count == 0, "a refused text yields no command");
        return 0;
    }
    int wordCount = 0;
    for (size_t at = 0; at < textLength; ++at)
        if (!IsBlank(text[at]) && (at == 0 || IsBlank(text[at - 1]))) ++wordCount;

    switch (words.result) {
    case CommandWords::Result::Blank:
        Require(wordCount == 0 && words.count == 0, "blank only when there is no word");
        break;
    case CommandWords::Result::Commands:
        Require(words.count > 0 && words.count <= wordCount, "at most one command per word");
        for (int i = 0; i < words.count; ++i) {
            const uint32_t code = words.commands[i];
            Require(IsPanelCommand(code) || (code >= word::Track && code <= word::Add),
                    "a command the panel sends, or a word that asks more");
        }
        break;
    case CommandWords::Result::BadValue:
        Require(words.count == 0, "a wrong value leaves no command");
        Require(words.unknownWord >= text && words.unknownWordLength > 0 &&
                    words.unknownWord + words.unknownWordLength <= text + textLength,
                "the word and its value are in the text");
        break;
    case CommandWords::Result::UnknownWord: {
        Require(words.count == 0, "an unknown word leaves no command");
        const char* word = words.unknownWord;
        const int wordLength = words.unknownWordLength;
        Require(word >= text && wordLength > 0 && word + wordLength <= text + textLength, "the word is in the text");
        Require(word == text || IsBlank(word[-1]), "the word starts after a blank");
        Require(word + wordLength == text + textLength || IsBlank(word[wordLength]), "the word ends at a blank");
        for (int i = 0; i < wordLength; ++i) Require(!IsBlank(word[i]), "the word holds no blank");
        Require(CommandOfWord(word, wordLength) == 0, "the word names no command");
        break;
    }
    case CommandWords::Result::TooLong: Require(false, "a terminated text shorter than 512 bytes is read"); break;
    }
    return 0;
}
