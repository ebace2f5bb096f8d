#include "os/os.h"
#include "player/player.h"

namespace quaver {

void CopyFallbackCommand(const wchar_t* text, char* buffer, int capacity) {
    if (capacity <= 0) return;
    int length = 0;
    while (length < capacity && text[length]) ++length;
    // Starting a program takes the ANSI code page: a text that does not convert whole leaves no command line
    // rather than a wrong one.
    bool exact = false;
    const int bytes = os::WideToAnsi(text, length, buffer, capacity - 1, &exact);
    const int kept = exact && bytes > 0 ? bytes : 0;
    for (int i = kept; i < capacity; ++i) buffer[i] = '\0';
}

}  // namespace quaver
