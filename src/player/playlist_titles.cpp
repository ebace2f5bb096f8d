#include "player/playlist_titles.h"

#include <cstring>

namespace quaver {

PlaylistTitles playlistTitles;

namespace {

using Known = PlaylistTitles::Known;

Known& SlotOf(int32_t entry) { return playlistTitles.slots[static_cast<uint32_t>(entry) % knownTitleCapacity]; }

bool SameList(os::Window player, int32_t length) {
    return player && playlistTitles.player == player && playlistTitles.length == length;
}

// Up to limit characters, as far as both run: the same text.
bool SameText(const HostChar* a, const HostChar* b, int32_t limit) {
    for (int32_t i = 0; i < limit; ++i) {
        if (a[i] != b[i]) return false;
        if (a[i] == 0) return true;
    }
    return true;
}

// Under the lock.
void ForgetAll() {
    for (Known& slot : playlistTitles.slots) slot.entry = -1;
    playlistTitles.knownCount = 0;
    ++playlistTitles.generation;
}

}  // namespace

void MatchTitlesTo(os::Window player, int32_t length) {
    os::SlimLockGuard guard(playlistTitles.lock);
    if (SameList(player, length)) return;
    ForgetAll();
    playlistTitles.player = player;
    playlistTitles.length = length;
}

void ForgetTitles() {
    os::SlimLockGuard guard(playlistTitles.lock);
    ForgetAll();
    playlistTitles.player = nullptr;
    playlistTitles.length = 0;
}

bool KnownTitle(os::Window player, int32_t length, int32_t entry, HostChar (&text)[titleCapacity]) {
    if (entry < 0) return false;
    os::SlimLockGuard guard(playlistTitles.lock);
    const Known& slot = SlotOf(entry);
    if (!SameList(player, length) || slot.entry != entry) return false;
    std::memcpy(text, slot.text, sizeof text);
    return true;
}

bool TitleKnown(os::Window player, int32_t length, int32_t entry) {
    if (entry < 0) return false;
    os::SlimLockGuard guard(playlistTitles.lock);
    return SameList(player, length) && SlotOf(entry).entry == entry;
}

bool NoteTitle(os::Window player, int32_t length, int32_t entry, const HostChar* text, NoteWhere where) {
    if (entry < 0) return true;
    os::SlimLockGuard guard(playlistTitles.lock);
    if (!SameList(player, length)) return true;
    Known& slot = SlotOf(entry);
    if (where == NoteWhere::FreeSlot && slot.entry >= 0 && slot.entry != entry) return true;
    const int32_t size = HostTextLength(text, titleCapacity - 1);
    bool unchanged = true;
    if (slot.entry == entry) {
        unchanged = SameText(slot.text, text, titleCapacity - 1);
        if (!unchanged) ForgetAll();
    }
    if (slot.entry < 0) ++playlistTitles.knownCount;  // else it takes the place of an entry a capacity away
    slot.entry = entry;
    std::memcpy(slot.text, text, static_cast<size_t>(size) * sizeof(HostChar));
    slot.text[size] = '\0';
    return unchanged;
}

int32_t KnownTitleCount() {
    os::SlimLockGuard guard(playlistTitles.lock);
    return playlistTitles.knownCount;
}

uint32_t TitlesGeneration() {
    os::SlimLockGuard guard(playlistTitles.lock);
    return playlistTitles.generation;
}

}  // namespace quaver
