// Carrying out the command line's words that ask more of the player than one command.
#pragma once

#include "os/os.h"
#include "player/command_words.h"
#include "player/player.h"

namespace quaver {

// The error box: the message, then the word as the user wrote it, in quotes.
void ShowWordError(int message, const char* word, int length);

// What only the player and the file panel can tell, checked before anything is sent: a track beyond the
// list, a jump whose text no title holds (a jump found becomes a track), an add from a panel without real
// files. Shows the error box for the first that fails and returns false. Without a player nothing is
// checked: the first word then finds none.
bool CheckWordsWithPlayer(CommandWords& words, os::Window player);

// Sends word i as the player's commands and messages.
CommandResult SendWord(const CommandWords& words, int i);

}  // namespace quaver
