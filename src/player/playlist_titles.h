// The titles of the player's playlist as far as they have been read: what the playlist menu shows and what
// jump searches, kept while the list stays the same.
#pragma once

#include <atomic>
#include <cstdint>

#include "host/host_text.h"
#include "os/os.h"
#include "player/playlist_lines.h"

namespace quaver {

// As many titles as the menu lists; entry e is kept in slot e % knownTitleCapacity, so any run of that many
// consecutive entries fits.
constexpr int knownTitleCapacity = menuEntryCapacity;

// The titles known. Written by the TitleThread while the panel is open and by the host's thread (the menu's
// near entries, jump); read by the host's thread. `lock` guards everything below it and is held only to look
// at or copy a title, never across a question to the player. `asking` keeps each title question together
// with the read of its answer, whichever of our threads asks: a player may answer every question from one
// buffer that it rewrites for the next. `hostWaiting` is the host's thread saying that it reads titles now:
// the TitleThread steps aside meanwhile.
struct PlaylistTitles {
    os::SlimLock asking;
    std::atomic<int32_t> hostWaiting{0};
    os::SlimLock lock;
    os::Window player;    // whose list the titles are; nullptr: none are known
    int32_t length;       // the list's length when they were read
    uint32_t generation;  // changes whenever what is known is forgotten
    int32_t knownCount;
    struct Known {
        int32_t entry;  // -1: none
        HostChar text[titleCapacity];  // as the player keeps it (the ANSI code page, or UTF-16); may be empty
    } slots[knownTitleCapacity];
};
extern PlaylistTitles playlistTitles;

// Keeps what is known when it is this player's list of this length, else forgets it all and starts this one.
void MatchTitlesTo(os::Window player, int32_t length);
void ForgetTitles();
// The entry's title when it is known for this player's list of this length.
bool KnownTitle(os::Window player, int32_t length, int32_t entry, HostChar (&text)[titleCapacity]);
bool TitleKnown(os::Window player, int32_t length, int32_t entry);
// Where a title just read may be kept: in its slot whatever the slot holds (the entries around the current one,
// which the menu lists), or only where no other entry's title is (jump's search of a list longer than the
// titles kept, which must not push out those the menu shows).
enum class NoteWhere { AnySlot, FreeSlot };
// Notes a title just read. A title known before that reads differently now means the list has changed under
// the same length: everything else known is forgotten (false). A title for another list is not kept.
bool NoteTitle(os::Window player, int32_t length, int32_t entry, const HostChar* text,
               NoteWhere where = NoteWhere::AnySlot);
int32_t KnownTitleCount();
uint32_t TitlesGeneration();

// The host's thread reads titles for as long as it lives: the TitleThread waits meanwhile.
class HostReadsTitles {
public:
    HostReadsTitles() { playlistTitles.hostWaiting.fetch_add(1, std::memory_order_relaxed); }
    HostReadsTitles(const HostReadsTitles&) = delete;
    HostReadsTitles& operator=(const HostReadsTitles&) = delete;
    ~HostReadsTitles() { playlistTitles.hostWaiting.fetch_sub(1, std::memory_order_relaxed); }
};

}  // namespace quaver
