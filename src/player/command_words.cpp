#include "player/command_words.h"

#include <cstring>

#include "player/commands.h"

namespace quaver {

namespace {

struct CommandName {
    const char* word;
    uint32_t command;
};

// The same commands the panel's buttons and keys send, and the words that take more.
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
    {"track", word::Track},
    {"jump", word::Jump},
    {"seek", word::SeekTo},
    {"volume", word::Volume},
    {"add", word::Add},
};

constexpr HostChar LowerCase(HostChar c) { return c >= 'A' && c <= 'Z' ? static_cast<HostChar>(c - 'A' + 'a') : c; }
constexpr bool IsBlank(HostChar c) { return c == ' ' || c == '\t'; }
constexpr bool IsDigit(HostChar c) { return c >= '0' && c <= '9'; }

bool SameWord(const char* name, const HostChar* word, int length) {
    for (int i = 0; i < length; ++i)
        if (name[i] == '\0' || name[i] != LowerCase(word[i])) return false;
    return name[length] == '\0';
}

// Decimal digits only, at most largestWordNumber.
bool ReadNumber(const HostChar* text, int length, int32_t& value) {
    if (length <= 0) return false;
    int64_t number = 0;
    for (int i = 0; i < length; ++i) {
        if (!IsDigit(text[i])) return false;
        number = number * 10 + (text[i] - '0');
        if (number > largestWordNumber) return false;
    }
    value = static_cast<int32_t>(number);
    return true;
}

// The value a word takes: false when it is missing or wrong.
bool ReadValue(uint32_t& code, const HostChar* value, int length, int32_t& result) {
    bool relative = false;
    switch (code) {
    case word::Track:
        if (!ReadNumber(value, length, result) || result < 1) return false;
        result -= 1;
        return true;
    case word::SeekTo:
        if (!ReadSeekTime(value, length, result, relative)) return false;
        if (relative) code = word::SeekBy;
        return true;
    case word::Volume:
        if (!ReadNumber(value, length, result) || result > 100) return false;
        result = VolumeOfPercent(result);
        return true;
    default: return false;
    }
}

class WordReader {
public:
    WordReader(const HostChar* text, size_t length) : text_(text), length_(length) {}
    // The next word: false at the end of the text.
    bool Next(const HostChar*& word, int& wordLength) {
        while (at_ < length_ && IsBlank(text_[at_])) ++at_;
        const size_t start = at_;
        while (at_ < length_ && !IsBlank(text_[at_])) ++at_;
        word = text_ + start;
        wordLength = static_cast<int>(at_ - start);
        return at_ > start;
    }
    // The rest of the line, blanks trimmed at both ends; the reader ends.
    void Rest(const HostChar*& rest, int& restLength) {
        while (at_ < length_ && IsBlank(text_[at_])) ++at_;
        size_t end = length_;
        while (end > at_ && IsBlank(text_[end - 1])) --end;
        rest = text_ + at_;
        restLength = static_cast<int>(end - at_);
        at_ = length_;
    }

private:
    const HostChar* text_;
    size_t length_;
    size_t at_ = 0;
};

void Refuse(CommandWords& words, CommandWords::Result result, const HostChar* from, const HostChar* to) {
    words.result = result;
    words.count = 0;
    words.unknownWord = from;
    words.unknownWordLength = static_cast<int>(to - from);
}

}  // namespace

uint32_t CommandOfWord(const HostChar* word, int length) {
    for (const CommandName& name : commandNames)
        if (SameWord(name.word, word, length)) return name.command;
    return 0;
}

bool ReadSeekTime(const HostChar* text, int length, int32_t& milliseconds, bool& relative) {
    int sign = 1;
    relative = length > 0 && (text[0] == '+' || text[0] == '-');
    if (relative) {
        sign = text[0] == '-' ? -1 : 1;
        ++text;
        --length;
    }
    int32_t seconds = 0;
    const HostChar* colon = nullptr;
    for (int i = 0; i < length && !colon; ++i)
        if (text[i] == ':') colon = text + i;
    if (!colon) {
        if (!ReadNumber(text, length, seconds)) return false;
    } else {
        int32_t minutes = 0, rest = 0;
        const int minuteDigits = static_cast<int>(colon - text);
        if (!ReadNumber(text, minuteDigits, minutes) || length - minuteDigits - 1 != 2 ||
            !ReadNumber(colon + 1, 2, rest) || rest > 59)
            return false;
        if (minutes > (largestWordNumber - rest) / 60) return false;
        seconds = minutes * 60 + rest;
    }
    milliseconds = sign * seconds * 1000;
    return true;
}

void ReadCommandWords(const HostChar* text, CommandWords& words) {
    words.result = CommandWords::Result::Blank;
    words.count = 0;
    words.unknownWord = nullptr;
    words.unknownWordLength = 0;
    words.jumpText = nullptr;
    words.jumpTextLength = 0;
    if (!text) return;
    const size_t length = static_cast<size_t>(HostTextLength(text, commandTextCapacity));
    if (length == commandTextCapacity) {
        words.result = CommandWords::Result::TooLong;
        return;
    }
    WordReader reader(text, length);
    const HostChar* name = nullptr;
    int nameLength = 0;
    while (reader.Next(name, nameLength)) {
        uint32_t code = CommandOfWord(name, nameLength);
        if (code == 0) return Refuse(words, CommandWords::Result::UnknownWord, name, name + nameLength);
        int32_t value = 0;
        const HostChar* end = name + nameLength;
        if (code == word::Jump) {
            reader.Rest(words.jumpText, words.jumpTextLength);
            if (words.jumpTextLength == 0) return Refuse(words, CommandWords::Result::BadValue, name, end);
            end = words.jumpText + words.jumpTextLength;
        } else if (code == word::Track || code == word::SeekTo || code == word::Volume) {
            const HostChar* given = nullptr;
            int givenLength = 0;
            const bool present = reader.Next(given, givenLength);
            if (present) end = given + givenLength;
            if (!present || !ReadValue(code, given, givenLength, value))
                return Refuse(words, CommandWords::Result::BadValue, name, end);
        }
        const int i = words.count++;
        words.commands[i] = code;
        words.values[i] = value;
        words.sources[i] = name;
        words.sourceLengths[i] = static_cast<int>(end - name);
        words.result = CommandWords::Result::Commands;
    }
}

}  // namespace quaver
