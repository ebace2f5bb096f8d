// The player's start command line, made from its registered open command or from the fallback text.
#include "player/player.h"

namespace quaver {

namespace {

int BoundedLength(const char* text, int capacity) {
    int length = 0;
    while (length < capacity && text[length] != '\0') ++length;
    return length;
}

// ".EXE": the dot exactly, the letters in either case (bit 5 cleared).
bool IsExeAt(const char* text, int index) {
    auto upper = [](char c) { return static_cast<char>(c & ~0x20); };
    return text[index] == '.' && upper(text[index + 1]) == 'E' && upper(text[index + 2]) == 'X' &&
           upper(text[index + 3]) == 'E';
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The program's own path: up to the first ".EXE" that ends a word, or the whole text.
int ProgramPathEnd(const char* text, int length) {
    for (int i = 0; i + 4 <= length; ++i)
        if (IsExeAt(text, i) && (i + 4 == length || IsBlank(text[i + 4]))) return i + 4;
    return length;
}

bool HasBlank(const char* text, int length) {
    for (int i = 0; i < length; ++i)
        if (IsBlank(text[i])) return true;
    return false;
}

}  // namespace

int ProgramFileEnd(const char* text, int length) {
    int found = 0;  // no ".EXE" keeps the first four characters
    for (int i = length - 4; i > 0; --i) {
        if (IsExeAt(text, i)) {
            found = i;
            break;
        }
    }
    const int end = found + 4 + (length > 0 && text[0] == '"' ? 1 : 0);
    return end < length ? end : length;
}

void CutStartCommand(char* buffer, int capacity) {
    if (capacity <= 0) return;
    int length = BoundedLength(buffer, capacity - 1);
    length = ProgramFileEnd(buffer, length);
    buffer[length] = '\0';

    // CreateProcessA reads an unquoted "C:\Program Files\Player\player.exe" as "C:\Program.exe" first:
    // quote the program's path (only that, so a launcher's arguments stay arguments).
    if (buffer[0] == '"') return;
    const int pathEnd = ProgramPathEnd(buffer, length);
    if (!HasBlank(buffer, pathEnd)) return;
    if (length + 2 > capacity - 1) {
        buffer[0] = '\0';  // cannot be quoted: start nothing rather than the wrong program
        return;
    }
    buffer[length + 2] = '\0';
    for (int i = length + 1; i > pathEnd + 1; --i) buffer[i] = buffer[i - 2];
    buffer[pathEnd + 1] = '"';
    for (int i = pathEnd; i > 0; --i) buffer[i] = buffer[i - 1];
    buffer[0] = '"';
}

void CopyFallbackCommand(const char* text, char* buffer, int capacity) {
    if (capacity <= 0) return;
    int i = 0;
    for (; i < capacity - 1 && text[i] != '\0'; ++i) buffer[i] = text[i];
    for (; i < capacity; ++i) buffer[i] = '\0';
}

}  // namespace quaver
