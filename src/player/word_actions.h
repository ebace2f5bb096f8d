// Carrying out the command line's words that ask more of the player than one command.
#pragma once

#include "os/os.h"
#include "player/command_words.h"
#include "player/player.h"

namespace quaver {

// The error box: the message, then the word as the user wrote it, in quotes.
void ShowWordError(int message, const HostChar* word, int length);

enum class TitleSearch {
    Found,
    NotFound,    // every title was read, and none holds the text
    Incomplete,  // not every title could be read (the player did not answer or gave no title, Esc, time)
};
// The first entry after the current one, wrapping, whose title holds the text (as typed), from the titles
// known and the player's answers. Reads on until it finds it or has read every title; Esc in the console,
// or searchTimeLimit, stops it early. After searchNoticeAfter it shows a notice until it ends.
TitleSearch SearchTitles(os::Window player, const HostChar* text, int length, int32_t& found);
constexpr uint32_t searchTimeLimit = 60000;  // ms
constexpr uint32_t searchNoticeAfter = 500;  // ms
constexpr int32_t searchCheckEvery = 16;     // titles between two looks at the clock and the console

// An add that ended before every file reached the player is told once, at the next entry into the module.
void ReportEndedAdd();

// What only the player and the file panel can tell, checked before anything is sent: a track beyond the
// list, a jump whose text no title holds (a jump found becomes a track), an add from a panel without real
// files or with nothing the player can take (which queues the files). Shows the error box for the first that
// fails and returns false. Without a player nothing is checked: the first word then finds none.
bool CheckWordsWithPlayer(CommandWords& words, os::Window player);

// Sends word i as the player's commands and messages.
CommandResult SendWord(const CommandWords& words, int i);

}  // namespace quaver
