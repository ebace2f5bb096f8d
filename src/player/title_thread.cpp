// The TitleThread: every title of the playlist read while the panel is open, so that the menu shows them all
// and jump finds them; then a check now and then that the list is still the one they were read from.
#include "player/playlist.h"
#include "player/playlist_titles.h"

namespace quaver {

namespace {

bool Stopped(os::Handle stop) { return stop && os::WaitForSingleObject(stop, 0) == os::WaitObject0; }

// Titles wait while the user works the player: the host's thread reads titles itself (the menu's near
// entries, jump), or a button is being held.
bool UserFirst() {
    return playlistTitles.hostWaiting.load(std::memory_order_relaxed) > 0 ||
           playerLink.heldCommand.load(std::memory_order_relaxed) != 0;
}

void StepAside(os::Handle stop) {
    while (UserFirst() && !Stopped(stop)) os::Sleep(5);
}

// Starts reading this list outwards from its current entry.
void StartList(TitleRounds& rounds, TitleReader& reader, int32_t length) {
    int32_t current = 0;
    if (!reader.Ask(query::ListPosition, current) || current < 0 || current >= length) current = 0;
    MatchTitlesTo(reader.player(), length);
    rounds.player = reader.player();
    rounds.length = length;
    rounds.generation = TitlesGeneration();
    rounds.range = MenuRangeAround(length, current, knownTitleCapacity);
    rounds.centre = current;
    rounds.nextStep = 0;
}

// Every title known: a few read again, the current one among them. One that reads differently means the list
// changed under the same length, which forgets them all (and the next round starts over).
void CheckSample(TitleRounds& rounds, TitleReader& reader) {
    int32_t current = 0;
    if (!reader.Ask(query::ListPosition, current)) return;
    if (current >= 0 && current < rounds.length &&
        MenuRangeAround(rounds.length, current, knownTitleCapacity).first != rounds.range.first) {
        // A long list whose current entry moved far: the entries kept around it are read next.
        rounds.range = MenuRangeAround(rounds.length, current, knownTitleCapacity);
        rounds.centre = current;
        rounds.nextStep = 0;
        return;
    }
    HostChar title[titleCapacity];
    for (int32_t i = 0; i < titlesChecked; ++i) {
        // The current entry, then entries spread over the range that move on with every check.
        // The count of samples wraps with the range, so that days of checks never overflow it.
        const int32_t spread = rounds.range.count / (titlesChecked + 1) + 1;
        int32_t entry = current;
        if (i != 0 || current < 0 || current >= rounds.length) {
            entry = rounds.range.first +
                    static_cast<int32_t>(static_cast<int64_t>(rounds.sampled) * spread % rounds.range.count);
            rounds.sampled = (rounds.sampled + 1) % rounds.range.count;
        }
        if (ReadAndNoteTitle(reader, rounds.length, entry, title) == TitleReader::Title::Unanswered) return;
    }
}

}  // namespace

uint32_t ReadTitlesRound(TitleRounds& rounds, os::Handle stop) {
    StepAside(stop);
    const uint32_t started = os::GetTickCount();

    const os::Window player = FindPlayer();
    if (!player) {
        ForgetTitles();
        rounds.player = nullptr;
        return titleRetryPause;
    }
    // A player that owes a command an answer is asked nothing more than, now and then, a quick question.
    if (!ReadyForCommand(player, repeatProbeTimeout, commandProbeInterval)) return titleRetryPause;
    TitleReader reader(player, stop);
    int32_t length = 0;
    if (!reader.Ask(query::PlaylistLength, length)) return titleRetryPause;
    if (length <= 0) {
        ForgetTitles();
        rounds.player = nullptr;
        return titleRetryPause;
    }
    if (player != rounds.player || length != rounds.length || TitlesGeneration() != rounds.generation)
        StartList(rounds, reader, length);

    if (rounds.nextStep >= rounds.range.count) {
        CheckSample(rounds, reader);
        return rounds.nextStep >= rounds.range.count ? titleCheckPeriod : titleRoundPause;
    }
    HostChar title[titleCapacity];
    for (int32_t read = 0; read < titleRoundSize && rounds.nextStep < rounds.range.count;) {
        const int32_t entry = OutwardEntry(rounds.range, rounds.centre, rounds.nextStep);
        if (TitleKnown(player, length, entry)) {
            ++rounds.nextStep;
            continue;
        }
        if (ReadAndNoteTitle(reader, length, entry, title) == TitleReader::Title::Unanswered) return titleRetryPause;
        ++rounds.nextStep;
        ++read;
        // A player slow to answer gets most of its time left for the panel's questions and commands.
        const uint32_t took = os::GetTickCount() - started;
        if (took > titleQuickAnswer * (read + 2)) return took * titleSlowPlayerShare;
        if (UserFirst()) return titleRoundPause;
    }
    return titleRoundPause;
}

uint32_t OSAPI TitleThread(void* stop) {
    TitleRounds rounds{};
    for (;;) {
        const uint32_t pause = ReadTitlesRound(rounds, stop);
        if (os::WaitForSingleObject(stop, pause) != os::WaitTimeout) return 0;
    }
}

}  // namespace quaver
