#include "player/word_actions.h"

#include <cstring>

#include "host/host.h"
#include "host/screen.h"
#include "player/add_queue.h"
#include "player/commands.h"
#include "player/panel_files.h"
#include "player/playlist.h"
#include "player/playlist_titles.h"

namespace quaver {

namespace {

constexpr int shownMessageLength = 160;
constexpr int shownWordLength = 40;  // a longer word is cut in the error box
constexpr uint16_t escapeKey = 27;
constexpr uint32_t refusalBeep = 0x40;

bool AskOnce(os::Window player, Query query, int32_t& answer) {
    TitleReader reader(player);
    return reader.Ask(query, answer);
}

// An Esc waiting in the console: the user stops a long search. It is left there for the host.
bool EscQueued() {
    os::InputRecord queued[16];
    uint32_t count = 0;
    if (!os::PeekConsoleInput(os::GetStdHandle(os::StdInputHandle), queued, 16, &count)) return false;
    for (uint32_t i = 0; i < count; ++i)
        if (queued[i].eventType == os::KeyEventType && queued[i].key.keyDown && queued[i].key.virtualKey == escapeKey)
            return true;
    return false;
}

// The search's notice, shown once it has taken a while, over a saved screen that is put back when it ends.
class SearchNotice {
public:
    SearchNotice() = default;
    SearchNotice(const SearchNotice&) = delete;
    SearchNotice& operator=(const SearchNotice&) = delete;
    ~SearchNotice() {
        if (shown_) RestoreWholeScreen(screen_);
    }
    void Show() {
        if (shown_) return;
        shown_ = true;
        screen_ = SaveWholeScreen();
        const HostChar* const lines[2] = {hostText::menuTitle, GetLangString(message::SearchingPlaylist)};
        ShowHostMessage(messageBox::Plain, lines, 2, 0);
    }

private:
    bool shown_ = false;
    void* screen_ = nullptr;
};

// A second add while one is under way: the user may stop it.
void AskToStopAdding() {
    const AddProgress progress = ReadAddProgress();
    HostChar text[shownMessageLength + 32];
    FormatHostText(text, hostText::textAndCount, shownMessageLength, GetLangString(message::AddUnderWay), progress.sent,
                   progress.count);
    const HostChar* const lines[4] = {hostText::menuTitle, text, GetLangString(message::StopAdding),
                                      GetLangString(message::GoOnAdding)};
    if (ShowHostMessage(messageBox::Plain, lines, 4, 2) == 0) addQueue.stopAsked.store(true, std::memory_order_relaxed);
}

CommandResult AddPanelFiles(os::Window player) {
    if (AddUnderWay()) {
        AskToStopAdding();
        return CommandResult::Refused;
    }
    ReportPathsNotTaken();  // as when the words were checked
    int32_t queued = 0;
    if (!QueueActivePanelFiles(queued, true)) return CommandResult::Unanswered;  // it did when the words were checked
    addQueue.count.store(queued, std::memory_order_relaxed);
    int32_t playing = 0;
    if (!AskOnce(player, query::PlayingState, playing)) return CommandResult::Unanswered;
    // A stopped player starts with the first of them; a playing or paused one keeps its place.
    const CommandResult result = StartAdding(player, playing == playingState::Stopped);
    ReportPathsNotTaken();
    return result;
}

CommandResult Seek(os::Window player, const CommandWords& words, int i) {
    int32_t milliseconds = words.values[i];
    if (words.commands[i] == word::SeekBy) {
        int32_t position = 0;
        if (!AskOnce(player, query::Position, position)) return CommandResult::Unanswered;
        const int64_t target = static_cast<int64_t>(position < 0 ? 0 : position) + milliseconds;
        milliseconds = target < 0 ? 0 : target > INT32_MAX ? INT32_MAX : static_cast<int32_t>(target);
    }
    intptr_t answer = 0;
    const CommandResult sent =
        SendPlayerMessage(player, static_cast<uintptr_t>(milliseconds), playlistMessage::Seek, &answer);
    if (sent != CommandResult::Sent || answer == playlistMessage::seekDone) return sent;
    ShowWordError(answer == playlistMessage::seekNotPlaying ? message::SeekNotPlaying : message::SeekPastEnd,
                  words.sources[i], words.sourceLengths[i]);
    return CommandResult::NotTaken;
}

}  // namespace

TitleSearch SearchTitles(os::Window player, const HostChar* text, int length, int32_t& found) {
    HostChar wanted[commandTextCapacity];
    HostTextToPlayer(text, wanted, static_cast<uint32_t>(length));
    HostReadsTitles reading;
    TitleReader reader(player);
    int32_t count = 0;
    int32_t current = 0;
    if (!AskListPlace(reader, count, current)) return TitleSearch::Incomplete;
    if (count <= 0) return TitleSearch::NotFound;

    SearchNotice notice;
    const uint32_t started = os::GetTickCount();
    bool everyTitleRead = true;
    HostChar title[titleCapacity];
    for (int32_t step = 1; step <= count; ++step) {
        const int32_t entry = static_cast<int32_t>((static_cast<int64_t>(current) + step) % count);
        if (!KnownTitle(player, count, entry, title)) {
            const TitleReader::Title read = ReadAndNoteTitle(reader, count, entry, title, NoteWhere::FreeSlot);
            if (read == TitleReader::Title::Unanswered) return TitleSearch::Incomplete;
            everyTitleRead = everyTitleRead && read == TitleReader::Title::Read;
        }
        if (title[0] && TitleContains(title, wanted, length)) {
            found = entry;
            return TitleSearch::Found;
        }
        if (step % searchCheckEvery != 0) continue;
        const uint32_t elapsed = os::GetTickCount() - started;
        if (elapsed >= searchTimeLimit || EscQueued()) return TitleSearch::Incomplete;
        if (elapsed >= searchNoticeAfter) notice.Show();
    }
    // An entry that could not be read might have held it: that is no answer.
    return everyTitleRead ? TitleSearch::NotFound : TitleSearch::Incomplete;
}

void ShowWordError(int message, const HostChar* word, int length) {
    const int shownLength = length < shownWordLength ? length : shownWordLength;
    // The word lies inside the host's text and is not terminated: its length bounds what is formatted.
    HostChar line[shownMessageLength + shownWordLength + 8];
    FormatHostText(line, hostText::textAndWord, shownMessageLength, GetLangString(message), shownLength, word);
    ShowErrorText(line);
}

void ReportEndedAdd() {
    ReportPathsNotTaken();
    const AddProgress progress = ReadAddProgress();
    if (addQueue.endReported || (progress.state != addState::Stopped && progress.state != addState::Failed)) return;
    addQueue.endReported = true;
    HostChar text[shownMessageLength + 32];
    FormatHostText(text, hostText::textAndCount, shownMessageLength, GetLangString(message::AddEnded), progress.sent,
                   progress.count);
    ShowErrorText(text);
}

bool CheckWordsWithPlayer(CommandWords& words, os::Window player) {
    if (!player) return true;
    int32_t length = -1;
    for (int i = 0; i < words.count; ++i) {
        const uint32_t code = words.commands[i];
        if (code == word::Jump) {
            int32_t found = -1;
            const TitleSearch search = SearchTitles(player, words.jumpText, words.jumpTextLength, found);
            if (search != TitleSearch::Found) {
                ShowWordError(search == TitleSearch::NotFound ? message::NoTitleContains : message::NotEveryTitleRead,
                              words.jumpText, words.jumpTextLength);
                return false;
            }
            words.commands[i] = word::Track;
            words.values[i] = found;
        } else if (code == word::Track) {
            if (length < 0 && !AskOnce(player, query::PlaylistLength, length)) length = -1;
            if (length >= 0 && words.values[i] >= length) {
                ShowWordError(message::BadWordValue, words.sources[i], words.sourceLengths[i]);
                return false;
            }
        } else if (code == word::Add && !AddUnderWay()) {
            ReportPathsNotTaken();  // of an add that ended since the entry: its paths are about to be replaced
            int32_t queued = 0;
            if (!QueueActivePanelFiles(queued, false)) {
                ShowWordError(message::PanelNotRealFiles, words.sources[i], words.sourceLengths[i]);
                return false;
            }
            if (queued == 0) {
                ShowWordError(message::NothingToAdd, words.sources[i], words.sourceLengths[i]);
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
    case word::Jump: {  // not found when the words were checked: there was no player to ask then
        int32_t found = -1;
        return SearchTitles(player, words.jumpText, words.jumpTextLength, found) == TitleSearch::Found
                   ? PlayEntry(player, found)
                   : CommandResult::NotTaken;
    }
    case word::SeekTo:
    case word::SeekBy: return Seek(player, words, i);
    case word::Volume: return SendPlayerMessage(player, static_cast<uintptr_t>(value), playlistMessage::Volume);
    case word::Add: return AddPanelFiles(player);
    default: return CommandResult::Unanswered;
    }
}

}  // namespace quaver
