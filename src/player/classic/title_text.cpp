// The classic build's titles: the ANSI title the player keeps for an entry (message 212), read from its memory.
#include "player/playlist.h"
#include "player/playlist_titles.h"
#include "player/process_text.h"

namespace quaver {

TitleReader::Title TitleReader::ReadTitle(int32_t entry, char (&title)[titleCapacity]) {
    title[0] = '\0';
    OpenProcess();
    // The question and the read of its answer together: another of our threads asking meanwhile would have
    // a player that keeps one buffer rewrite it under us.
    os::SlimLockGuard asking(playlistTitles.asking);
    intptr_t answer = 0;
    if (!Send(static_cast<uintptr_t>(entry), playlistMessage::TitleAddress, answer)) return Title::Unanswered;
    uintptr_t address = 0;
    if (!AddressOf(answer, address) || !ReadProcessText(process_.get(), address, title)) {
        title[0] = '\0';
        return Title::Unreadable;
    }
    return Title::Read;
}

void SetMenuLine(PlaylistMenu& menu, int line, int number, const char* title) {
    FillMenuLine(menu.items[line], number, title);
}

void SelectMenuLine(PlaylistMenu& menu, int line) { menu.items[line].selected = 1; }

}  // namespace quaver
