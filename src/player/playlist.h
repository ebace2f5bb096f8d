// The player's playlist: its length and titles, read through its messages and, for a title, from the
// player's own memory; the menu of its entries; playing one of them.
#pragma once

#include <cstdint>

#include "host/host_text.h"
#include "host/menu.h"
#include "os/os.h"
#include "player/commands.h"
#include "player/player.h"
#include "player/playlist_lines.h"
#include "player/playlist_titles.h"

namespace quaver {

// ms a question about the playlist may take before it is given up.
constexpr uint32_t playlistQueryTimeout = 250;

// The questions of one reading of the playlist: every one bounded, and none asked once one went unanswered
// or the stop event (when there is one) is set.
class TitleReader {
public:
    explicit TitleReader(os::Window player, os::Handle stop = nullptr);
    TitleReader(const TitleReader&) = delete;
    TitleReader& operator=(const TitleReader&) = delete;

    os::Window player() const { return player_; }
    // False when the player did not answer in time (then and for every later question).
    bool Ask(Query query, int32_t& answer);

    enum class Title {
        Read,        // the title as the player keeps it (ANSI code page, or UTF-16), possibly empty
        Unreadable,  // the player answered, but no title could be read where it pointed
        Unanswered,  // the player did not answer, or the reading was stopped
    };
    // The entry's title, read right after the player's own answer for it, so that a player answering from
    // one buffer that it rewrites for every question still gives each entry its own title. The classic build
    // asks for the ANSI title (212); the wide build for the UTF-16 one (213), and for the ANSI one only from a
    // player that does not answer that.
    Title ReadTitle(int32_t entry, HostChar (&title)[titleCapacity]);

private:
    bool Send(uintptr_t wParam, intptr_t lParam, intptr_t& result);
    // Opens the player's process for reading, once per reader.
    void OpenProcess();
    // The address an answer names, as this module may read it; false for none.
    bool AddressOf(intptr_t answer, uintptr_t& address) const;

    os::Window player_;
    os::Handle stop_;
    os::UniqueHandle process_;
    bool processTried_ = false;
    int playerBits_ = 0;  // the player process's width, asked with the process
    bool answering_ = true;
};

// The list's length and its current entry (the first when it names none in the list), with the titles known
// made this list's. False when the player did not answer.
bool AskListPlace(TitleReader& reader, int32_t& length, int32_t& current);

// Reads the entry's title into the titles known and gives it; Unanswered leaves them as they were.
TitleReader::Title ReadAndNoteTitle(TitleReader& reader, int32_t length, int32_t entry, HostChar (&title)[titleCapacity],
                                    NoteWhere where = NoteWhere::AnySlot);

// The menu of one playlist: its lines, which entries they are, and how long the list is.
struct PlaylistMenu {
    HostMenuLine items[menuEntryCapacity];
#if QUAVER_WIDE
    wchar_t texts[menuEntryCapacity][menuLineCapacity];  // what the items point at
#endif
    MenuRange range;
    int32_t length;
};
// Line `line` of the menu: "N. title", or "N. Track N" for a title that is not known (null or empty).
void SetMenuLine(PlaylistMenu& menu, int line, int number, const HostChar* title);
// The menu opens with its cursor on this line.
void SelectMenuLine(PlaylistMenu& menu, int line);

// The entries on either side of the current one whose titles the menu always reads afresh, unless the player
// takes so long that menuNearBudget ms are spent first.
constexpr int32_t menuNearEntries = 10;
constexpr uint32_t menuNearBudget = 700;
// ms from the start of its reading until which the menu goes on, after the near entries, with titles not known
// yet; the TitleThread reads the rest.
constexpr uint32_t menuReadingBudget = 150;

enum class MenuReading {
    Ready,
    Empty,       // the player has no list
    Unanswered,  // the player did not say how long its list is
};
// Fills the menu from the player, the current entry selected: the near entries read afresh (which also
// checks that the titles known are still the list's), a little more while time allows, the rest from what
// is known, `Track N` where nothing is.
MenuReading ReadPlaylistMenu(os::Window player, PlaylistMenu& menu);

// Makes entry index current and plays it.
CommandResult PlayEntry(os::Window player, int32_t index);

// The TitleThread: while the panel is open it reads every title of the list, outwards from the current entry,
// into the titles known, then checks now and then that the list is still the same. Its parameter is the
// panel's stop event.
uint32_t OSAPI TitleThread(void* stopEvent);

// What the TitleThread carries from one round to the next.
struct TitleRounds {
    os::Window player;
    int32_t length;
    uint32_t generation;
    MenuRange range;  // the entries it reads: the whole list, or as many as are kept around the current one
    int32_t centre;
    int32_t nextStep;  // of OutwardEntry
    int32_t sampled;   // the entries checked again so far, for picking the next
};
constexpr uint32_t titleRoundPause = 0;        // ms between rounds while titles are being read
constexpr uint32_t titleCheckPeriod = 2000;    // ms between checks once every title is known
constexpr uint32_t titleRetryPause = 1000;     // ms before asking again a player that did not answer, or none
constexpr int32_t titleRoundSize = 256;        // titles read in one round
constexpr int32_t titlesChecked = 3;           // entries read again in a check
// A round whose questions were answered slower than this many ms each on average ends there, followed by a pause
// of its time this many times over: such a player spends at most a fifth of its time on titles.
constexpr uint32_t titleQuickAnswer = 10;
constexpr uint32_t titleSlowPlayerShare = 4;
// One round of the TitleThread; the ms to wait before the next.
uint32_t ReadTitlesRound(TitleRounds& rounds, os::Handle stop);

}  // namespace quaver
