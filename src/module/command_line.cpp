#include "module/command_line.h"

#include "host/host.h"
#include "host/settings.h"
#include "player/command_words.h"
#include "player/player.h"

namespace quaver {

namespace {

constexpr int shownMessageLength = 160;
constexpr int shownWordLength = 40;  // a longer word is cut in the error box

void ShowUnknownWord(const CommandWords& words) {
    const int wordLength = words.unknownWordLength < shownWordLength ? words.unknownWordLength : shownWordLength;
    // The word lies inside the host's text and is not terminated: its length bounds what is formatted.
    char line[shownMessageLength + shownWordLength + 8];
    FormatText(line, "%.*s \"%.*s\"", shownMessageLength, GetLangString(message::UnknownCommandWord), wordLength,
               words.unknownWord);
    ShowErrorText(line);
}

}  // namespace

bool SendCommandWords(const char* text) {
    CommandWords words;
    ReadCommandWords(text, words);
    switch (words.result) {
    case CommandWords::Result::Blank: return false;
    case CommandWords::Result::TooLong: ShowErrorBox(message::CommandTooLong); return true;
    case CommandWords::Result::UnknownWord: ShowUnknownWord(words); return true;
    case CommandWords::Result::Commands: break;
    }
    // As the panel would: its settings read, the player started as the opening panel starts it, then each
    // command sent as a key sends it (which starts the player when that is left to commands).
    LoadDisplaySettings();
    FindOrStartPlayer(settings.startPlayer[1] == 0);
    for (int i = 0; i < words.count; ++i) {
        const CommandResult result = SendPlayerCommand(words.commands[i]);
        // No player, and none could be started: it has beeped once. The later words are dropped rather than
        // sent out of order to a player that turns up meanwhile, or each made to wait for a start again.
        if (result == CommandResult::NoPlayer || result == CommandResult::StartFailed) break;
    }
    return true;
}

}  // namespace quaver
