#include "host/command_line.h"

#include "host/host.h"
#include "host/settings.h"
#include "player/command_words.h"
#include "player/player.h"
#include "player/word_actions.h"

namespace quaver {

bool SendCommandWords(const char* text) {
    CommandWords words;
    ReadCommandWords(text, words);
    switch (words.result) {
    case CommandWords::Result::Blank: return false;
    case CommandWords::Result::TooLong: ShowErrorBox(message::CommandTooLong); return true;
    case CommandWords::Result::UnknownWord:
        ShowWordError(message::UnknownCommandWord, words.unknownWord, words.unknownWordLength);
        return true;
    case CommandWords::Result::BadValue:
        ShowWordError(message::BadWordValue, words.unknownWord, words.unknownWordLength);
        return true;
    case CommandWords::Result::Commands: break;
    }
    // As the panel would: its settings read, the player started as the opening panel starts it, then each
    // command sent as a key sends it (which starts the player when that is left to commands).
    LoadDisplaySettings();
    if (!CheckWordsWithPlayer(words, FindOrStartPlayer(settings.startPlayer[1] == 0))) return true;
    for (int i = 0; i < words.count; ++i) {
        const CommandResult result = SendWord(words, i);
        // No player, and none could be started: it has beeped once. The later words are dropped rather than
        // sent out of order to a player that turns up meanwhile, or each made to wait for a start again.
        if (result == CommandResult::NoPlayer || result == CommandResult::StartFailed) break;
    }
    return true;
}

}  // namespace quaver
