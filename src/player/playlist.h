// The player's playlist: its length and titles, read through its messages and, for a title, from the
// player's own memory; the menu of its entries; playing one of them.
#pragma once

#include <cstdint>

#include "host/host_api.h"
#include "os/os.h"
#include "player/player.h"
#include "player/playlist_lines.h"

namespace quaver {

// ms a question about the playlist may take before it is given up.
constexpr uint32_t playlistQueryTimeout = 250;
// ms all titles of one reading may take together; entries not read by then have no title.
constexpr uint32_t titleReadBudget = 2000;

// One reading of the playlist: every question bounded, and none asked once one went unanswered.
class PlaylistReader {
public:
    explicit PlaylistReader(os::Window player);
    PlaylistReader(const PlaylistReader&) = delete;
    PlaylistReader& operator=(const PlaylistReader&) = delete;

    // False when the player did not answer in time (then and for every later question).
    bool Ask(uintptr_t wParam, intptr_t lParam, int32_t& answer);
    // Entry index's title as the player keeps it (ANSI code page); false when it cannot be read or the
    // reading's time is spent.
    bool ReadTitle(int32_t index, char (&title)[titleCapacity]);

    static constexpr uintptr_t pageSize = 4096;

private:
    bool Send(uintptr_t wParam, intptr_t lParam, intptr_t& result);
    bool ReadText(uintptr_t address, char (&title)[titleCapacity]);
    bool ReadFromPages(uintptr_t address, char (&title)[titleCapacity]);
    bool ReadAlone(uintptr_t address, char (&title)[titleCapacity]);

    os::Window player_;
    os::UniqueHandle process_;
    // The player's titles lie close together: one read of their page serves many, where each read of
    // another process's memory costs about as much as a message.
    char page_[pageSize];
    uintptr_t pageStart_ = 0;
    bool pageHeld_ = false;
    bool processTried_ = false;
    int playerBits_ = 0;  // the player process's width, asked with the process
    bool answering_ = true;
    uint32_t started_;
};

// The menu of one playlist: its lines, which entries they are, and how long the list is.
struct PlaylistMenu {
    HostMenuItem items[menuEntryCapacity];
    MenuRange range;
    int32_t length;
};

// Fills the menu from the player, the current entry selected. False when the player does not say how long
// its list is.
bool ReadPlaylistMenu(os::Window player, PlaylistMenu& menu);

// Makes entry index current and plays it.
CommandResult PlayEntry(os::Window player, int32_t index);

}  // namespace quaver
