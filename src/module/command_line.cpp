#include "module/command_line.h"

#include "host/host.h"
#include "host/settings.h"
#include "player/add_queue.h"
#include "player/command_words.h"
#include "player/player.h"
#include "player/word_actions.h"

namespace quaver {

namespace {

// Host's thread only: the outcome of the last command line, until the next one.
uint32_t lastStatus = commandStatus::None;

uint32_t StatusOf(CommandResult result) {
    switch (result) {
    case CommandResult::Sent: return commandStatus::Sent;
    case CommandResult::NoPlayer: return commandStatus::NoPlayer;
    case CommandResult::StartFailed: return commandStatus::StartFailed;
    case CommandResult::Adding: return commandStatus::Adding;
    case CommandResult::Unanswered:
    case CommandResult::Refused:
    case CommandResult::NotTaken: break;
    }
    return commandStatus::NotAnswered;
}

// Words whose values only the player can check: a missing one is started before they are checked.
bool NeedsPlayerToCheck(const CommandWords& words) {
    for (int i = 0; i < words.count; ++i)
        if (!word::IsPlayerCommand(words.commands[i])) return true;
    return false;
}

}  // namespace

uint32_t LastCommandStatus() {
    // An add under way when the line ended goes on in the AddThread: its state tells the rest.
    if (lastStatus != commandStatus::Adding) return lastStatus;
    switch (ReadAddProgress().state) {
    case addState::Adding: return commandStatus::Adding;
    case addState::Done: return commandStatus::Sent;
    default: return commandStatus::NotAnswered;
    }
}

bool SendCommandWords(const HostChar* text) {
    CommandWords words;
    ReadCommandWords(text, words);
    lastStatus = commandStatus::Refused;
    switch (words.result) {
    case CommandWords::Result::Blank: lastStatus = commandStatus::None; return false;
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
    ForgetOwedAnswer();
    // Plain commands start the player as keys in the panel would; a value only the player can check needs it
    // before anything is sent.
    const bool startNow = settings.startPlayer[1] == 0 || NeedsPlayerToCheck(words);
    const os::Window player = FindOrStartPlayer(startNow);
    const bool startFailed = !player && startNow && settings.startPlayer[0];
    // What only the player and the file panel can tell is checked before anything is sent, too.
    if (!CheckWordsWithPlayer(words, player)) return true;
    for (int i = 0; i < words.count; ++i) {
        const CommandResult result = SendWord(words, i);
        lastStatus = result == CommandResult::NoPlayer && startFailed ? commandStatus::StartFailed : StatusOf(result);
        // The first word not taken ends the line: without a player it has beeped once, and the later words are
        // not sent out of order to a player that turns up meanwhile; a player that did not answer would make
        // each later word wait its full time-out.
        if (result != CommandResult::Sent) break;
    }
    return true;
}

}  // namespace quaver
