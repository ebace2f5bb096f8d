#include "player/playlist_lines.h"

#include <cstring>

namespace quaver {

namespace {

// Decimal digits of a positive number into out; returns the count.
int WriteNumber(char* out, int number) {
    char digits[12];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number > 0);
    for (int i = 0; i < count; ++i) out[i] = digits[count - 1 - i];
    return count;
}

// Upper and lower case of the Western ANSI code page: ASCII letters, and 0xC0-0xDE against 0xE0-0xFE
// but for the multiplication and division signs.
unsigned char FoldCase(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    return c;
}

}  // namespace

MenuRange MenuRangeAround(int32_t length, int32_t current, int capacity) {
    if (length <= 0) return {0, 0};
    if (length <= capacity) return {0, length};
    if (current < 0 || current >= length) current = 0;
    int32_t first = current - capacity / 2;
    if (first < 0) first = 0;
    if (first > length - capacity) first = length - capacity;
    return {first, capacity};
}

int32_t OutwardEntry(MenuRange range, int32_t centre, int32_t step) {
    const int32_t last = range.first + range.count - 1;
    if (centre < range.first) centre = range.first;
    if (centre > last) centre = last;
    const int32_t after = last - centre;
    const int32_t before = centre - range.first;
    const int32_t both = after < before ? after : before;  // distances that have an entry on either side
    if (step <= 2 * both) return step % 2 ? centre + (step + 1) / 2 : centre - step / 2;
    const int32_t beyond = step - 2 * both;  // one side is done: the other goes on alone
    return after > before ? centre + both + beyond : centre - both - beyond;
}

void FillMenuLine(HostMenuItem& item, int number, const char* title) {
    std::memset(&item, 0, sizeof item);
    constexpr int last = sizeof item.text - 1;
    int at = WriteNumber(item.text, number);
    item.text[at++] = '.';
    item.text[at++] = ' ';
    if (!title || !*title) {
        std::memcpy(item.text + at, "Track ", 6);
        WriteNumber(item.text + at + 6, number);
        return;
    }
    const size_t length = strnlen(title, static_cast<size_t>(last - at));
    std::memcpy(item.text + at, title, length);
}

bool TitleContains(const char* title, const char* text, int textLength) {
    if (textLength <= 0) return true;
    for (const char* start = title; *start; ++start) {
        int matched = 0;
        while (matched < textLength && start[matched] &&
               FoldCase(static_cast<unsigned char>(start[matched])) ==
                   FoldCase(static_cast<unsigned char>(text[matched])))
            ++matched;
        if (matched == textLength) return true;
    }
    return false;
}

}  // namespace quaver
