#include "player/word_actions.h"

#include <cstring>

#include "host/host.h"
#include "player/commands.h"
#include "player/panel_paths.h"
#include "player/playlist.h"

namespace quaver {

namespace {

constexpr int shownMessageLength = 160;
constexpr int shownWordLength = 40;  // a longer word is cut in the error box
constexpr uint32_t refusalBeep = 0x40;

bool AskOnce(os::Window player, uintptr_t wParam, intptr_t lParam, int32_t& answer) {
    PlaylistReader reader(player);
    return reader.Ask(wParam, lParam, answer);
}

// The first entry after the current one, wrapping, whose title holds the text (OEM, as typed); -1 for none.
int32_t FindTitle(os::Window player, const char* text, int length) {
    char wanted[commandTextCapacity];
    os::OemToCharBuff(text, wanted, static_cast<uint32_t>(length));
    PlaylistReader reader(player);
    int32_t count = 0;
    int32_t current = 0;
    if (!reader.Ask(query::PlaylistLength.wParam, query::PlaylistLength.lParam, count) || count <= 0) return -1;
    if (!reader.Ask(query::ListPosition.wParam, query::ListPosition.lParam, current) || current < 0) current = 0;
    char title[titleCapacity];
    for (int32_t step = 1; step <= count; ++step) {
        const int32_t index = static_cast<int32_t>((static_cast<int64_t>(current) + step) % count);
        if (reader.ReadTitle(index, title) && TitleContains(title, wanted, length)) return index;
    }
    return -1;
}

bool GetActivePanel(PanelState& state) {
    const HostServices& host = hostLink.services;
    std::memset(&state, 0, sizeof state);
    return host.PanelControl && host.PanelControl(panelControl::activePanel, panelControl::GetState, &state) &&
           HoldsRealFiles(state);
}

CommandResult AddPanelFiles(os::Window player) {
    PanelState state;
    if (!GetActivePanel(state)) return CommandResult::Unanswered;
    int32_t playing = 0;
    int32_t lengthBefore = 0;
    if (!AskOnce(player, query::PlayingState.wParam, query::PlayingState.lParam, playing) ||
        !AskOnce(player, query::PlaylistLength.wParam, query::PlaylistLength.lParam, lengthBefore))
        return CommandResult::Unanswered;
    bool added = false;
    const int count = AddedItemCount(state);
    for (int i = 0; i < count; ++i) {
        char oem[pathCapacity];
        char path[pathCapacity];
        if (!PathOfItem(state, state.selectedItems[i], oem)) continue;
        const uint32_t size = static_cast<uint32_t>(std::strlen(oem)) + 1;
        os::OemToCharBuff(oem, path, size);
        const CommandResult sent = SendPlayerPath(player, path, size);
        if (sent != CommandResult::Sent) return sent;
        added = true;
    }
    // A player that was not playing starts with the first of them.
    if (added && playing != playingState::Playing) return PlayEntry(player, lengthBefore);
    return CommandResult::Sent;
}

CommandResult Seek(os::Window player, uint32_t code, int32_t milliseconds) {
    if (code == word::SeekBy) {
        int32_t position = 0;
        if (!AskOnce(player, query::Position.wParam, query::Position.lParam, position))
            return CommandResult::Unanswered;
        const int64_t target = static_cast<int64_t>(position < 0 ? 0 : position) + milliseconds;
        milliseconds = target < 0 ? 0 : target > INT32_MAX ? INT32_MAX : static_cast<int32_t>(target);
    }
    return SendPlayerMessage(player, static_cast<uintptr_t>(milliseconds), playlistMessage::Seek);
}

}  // namespace

void ShowWordError(int message, const char* word, int length) {
    const int shownLength = length < shownWordLength ? length : shownWordLength;
    // The word lies inside the host's text and is not terminated: its length bounds what is formatted.
    char line[shownMessageLength + shownWordLength + 8];
    FormatText(line, "%.*s \"%.*s\"", shownMessageLength, GetLangString(message), shownLength, word);
    ShowErrorText(line);
}

bool CheckWordsWithPlayer(CommandWords& words, os::Window player) {
    if (!player) return true;
    int32_t length = -1;
    for (int i = 0; i < words.count; ++i) {
        const uint32_t code = words.commands[i];
        if (code == word::Jump) {
            const int32_t found = FindTitle(player, words.jumpText, words.jumpTextLength);
            if (found < 0) {
                ShowWordError(message::NoTitleContains, words.jumpText, words.jumpTextLength);
                return false;
            }
            words.commands[i] = word::Track;
            words.values[i] = found;
        } else if (code == word::Track) {
            if (length < 0 && !AskOnce(player, query::PlaylistLength.wParam, query::PlaylistLength.lParam, length))
                length = -1;
            if (length >= 0 && words.values[i] >= length) {
                ShowWordError(message::BadWordValue, words.sources[i], words.sourceLengths[i]);
                return false;
            }
        } else if (code == word::Add) {
            PanelState state;
            if (!GetActivePanel(state)) {
                ShowErrorBox(message::PanelNotRealFiles);
                return false;
            }
        }
    }
    return true;
}

CommandResult SendWord(const CommandWords& words, int i) {
    const uint32_t code = words.commands[i];
    if (word::IsPlayerCommand(code)) return SendPlayerCommand(code);
    const os::Window player = FindPlayer();
    if (!player) {
        os::MessageBeep(refusalBeep);
        return CommandResult::NoPlayer;
    }
    const int32_t value = words.values[i];
    switch (code) {
    case word::Track: return PlayEntry(player, value);
    case word::Jump: {  // not found before: no player was there to ask
        const int32_t found = FindTitle(player, words.jumpText, words.jumpTextLength);
        return found < 0 ? CommandResult::Unanswered : PlayEntry(player, found);
    }
    case word::SeekTo:
    case word::SeekBy: return Seek(player, code, value);
    case word::Volume: return SendPlayerMessage(player, static_cast<uintptr_t>(value), playlistMessage::Volume);
    case word::Add: return AddPanelFiles(player);
    default: return CommandResult::Unanswered;
    }
}

}  // namespace quaver
