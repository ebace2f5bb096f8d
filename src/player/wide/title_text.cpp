// The wide build's titles: the UTF-16 title the player keeps for an entry (message 213), read from its memory,
// or from a player that keeps none its ANSI one (212); the menu's lines point at texts of their own.
#include <cstring>

#include "os/os.h"
#include "player/command_words.h"
#include "player/playlist.h"
#include "player/playlist_titles.h"
#include "player/process_text.h"

namespace quaver {

namespace {

void Append(wchar_t* line, int& at, int capacity, const wchar_t* text) {
    for (int i = 0; text[i] && at < capacity - 1; ++i) line[at++] = text[i];
    line[at] = 0;
}

void AppendNumber(wchar_t* line, int& at, int capacity, int number) {
    wchar_t digits[12];
    int count = 0;
    do {
        digits[count++] = static_cast<wchar_t>(L'0' + number % 10);
        number /= 10;
    } while (number > 0 && count < 12);
    while (count > 0 && at < capacity - 1) line[at++] = digits[--count];
    line[at] = 0;
}

}  // namespace

TitleReader::Title TitleReader::ReadTitle(int32_t entry, wchar_t (&title)[titleCapacity]) {
    title[0] = 0;
    OpenProcess();
    // The question and the read of its answer together: another of our threads asking meanwhile would have
    // a player that keeps one buffer rewrite it under us.
    os::SlimLockGuard asking(playlistTitles.asking);
    intptr_t answer = 0;
    uintptr_t address = 0;
    if (!Send(static_cast<uintptr_t>(entry), playlistMessage::WideTitleAddress, answer)) return Title::Unanswered;
    if (answer != 0) {
        if (AddressOf(answer, address) && ReadProcessText(process_.get(), address, title)) return Title::Read;
        title[0] = 0;
        return Title::Unreadable;
    }
    // No UTF-16 title for it (a player that keeps none): its ANSI one.
    if (!Send(static_cast<uintptr_t>(entry), playlistMessage::TitleAddress, answer)) return Title::Unanswered;
    char ansi[titleCapacity];
    if (!AddressOf(answer, address) || !ReadProcessText(process_.get(), address, ansi)) return Title::Unreadable;
    const int units = os::AnsiToWide(ansi, static_cast<int>(strnlen(ansi, titleCapacity)), title, titleCapacity - 1);
    title[units > 0 ? units : 0] = 0;
    return Title::Read;
}

void SetMenuLine(PlaylistMenu& menu, int line, int number, const wchar_t* title) {
    wchar_t* text = menu.texts[line];
    int at = 0;
    text[0] = 0;
    AppendNumber(text, at, menuLineCapacity, number);
    Append(text, at, menuLineCapacity, L". ");
    if (title && title[0]) {
        Append(text, at, menuLineCapacity, title);
    } else {
        Append(text, at, menuLineCapacity, L"Track ");
        AppendNumber(text, at, menuLineCapacity, number);
    }
    std::memset(&menu.items[line], 0, sizeof menu.items[line]);
    menu.items[line].text = text;
}

void SelectMenuLine(PlaylistMenu& menu, int line) { menu.items[line].flags |= wide::menuLineFlag::Selected; }

bool TitleContains(const wchar_t* title, const wchar_t* text, int textLength) {
    if (textLength <= 0) return true;
    if (textLength > commandTextCapacity) return false;
    // Both folded as the system folds letters, so that any script's upper and lower case match.
    wchar_t folded[titleCapacity];
    const int32_t length = HostTextLength(title, titleCapacity - 1);
    std::memcpy(folded, title, static_cast<size_t>(length) * sizeof(wchar_t));
    os::LowerCaseText(folded, static_cast<uint32_t>(length));
    wchar_t wanted[commandTextCapacity];
    std::memcpy(wanted, text, static_cast<size_t>(textLength) * sizeof(wchar_t));
    os::LowerCaseText(wanted, static_cast<uint32_t>(textLength));
    for (int32_t start = 0; start + textLength <= length; ++start)
        if (std::memcmp(folded + start, wanted, static_cast<size_t>(textLength) * sizeof(wchar_t)) == 0) return true;
    return false;
}

}  // namespace quaver
