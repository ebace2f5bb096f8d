#include "player/playlist.h"

#include <cstring>

#include "player/commands.h"
#include "player/player_address.h"
#include "player/playlist_titles.h"

namespace quaver {

namespace {
constexpr uintptr_t pageSize = 4096;
}  // namespace

TitleReader::TitleReader(os::Window player, os::Handle stop) : player_(player), stop_(stop) {}

bool TitleReader::Send(uintptr_t wParam, intptr_t lParam, intptr_t& result) {
    result = 0;
    if (!answering_ || !player_) return false;
    if (stop_ && os::WaitForSingleObject(stop_, 0) == os::WaitObject0) return answering_ = false;
    answering_ = os::SendMessageTimeout(player_, os::WmUser, wParam, lParam, os::SmtoAbortIfHung,
                                        playlistQueryTimeout, &result);
    return answering_;
}

bool TitleReader::Ask(Query query, int32_t& answer) {
    intptr_t result = 0;
    const bool answered = Send(query.wParam, query.lParam, result);
    answer = static_cast<int32_t>(result);  // the player answers in 32 bits
    return answered;
}

bool TitleReader::ReadText(uintptr_t address, char (&title)[titleCapacity]) {
    constexpr uint32_t wanted = titleCapacity - 1;
    // Up to the end of the address's page first: a title that ends just before unreadable memory is still
    // read, where one read across the page end would fail whole.
    const uint32_t inPage = static_cast<uint32_t>(pageSize - address % pageSize);
    const uint32_t first = inPage < wanted ? inPage : wanted;
    if (!os::ReadProcessMemory(process_.get(), address, title, first)) return false;
    title[first] = '\0';
    if (first < wanted && !std::memchr(title, 0, first))
        // The rest, when the next page is there; a title cut at an unreadable page keeps what was read.
        if (os::ReadProcessMemory(process_.get(), address + first, title + first, wanted - first)) title[wanted] = '\0';
    return true;
}

TitleReader::Title TitleReader::ReadTitle(int32_t entry, char (&title)[titleCapacity]) {
    title[0] = '\0';
    if (!processTried_) {
        processTried_ = true;
        process_.reset(os::OpenWindowProcessForReading(player_));
        playerBits_ = os::WindowProcessBits(player_);
    }
    // The question and the read of its answer together: another of our threads asking meanwhile would have
    // a player that keeps one buffer rewrite it under us.
    os::SlimLockGuard asking(playlistTitles.asking);
    intptr_t answer = 0;
    if (!Send(static_cast<uintptr_t>(entry), playlistMessage::TitleAddress, answer)) return Title::Unanswered;
    // The answer is the player's own pointer, of the player's width.
    uint64_t address = 0;
    if (!process_ || !TitleAddressOf(answer, playerBits_, static_cast<int>(sizeof(void*) * 8), address) ||
        !ReadText(static_cast<uintptr_t>(address), title)) {
        title[0] = '\0';
        return Title::Unreadable;
    }
    return Title::Read;
}

TitleReader::Title ReadAndNoteTitle(TitleReader& reader, int32_t length, int32_t entry, char (&title)[titleCapacity]) {
    const TitleReader::Title read = reader.ReadTitle(entry, title);
    // An entry whose title cannot be read is known as one without: it shows `Track N`, and is not asked again.
    if (read != TitleReader::Title::Unanswered) NoteTitle(reader.player(), length, entry, title);
    return read;
}

bool AskListPlace(TitleReader& reader, int32_t& length, int32_t& current) {
    length = 0;
    current = 0;
    if (!reader.Ask(query::PlaylistLength, length)) return false;
    if (length <= 0) return true;
    if (!reader.Ask(query::ListPosition, current) || current < 0 || current >= length) current = 0;
    MatchTitlesTo(reader.player(), length);
    return true;
}

// ---- the menu --------------------------------------------------------------------------------------------------

namespace {

void FillLines(os::Window player, PlaylistMenu& menu) {
    for (int i = 0; i < menu.range.count; ++i) {
        const int32_t entry = menu.range.first + i;
        char title[titleCapacity];
        char shown[titleCapacity];
        const bool known = KnownTitle(player, menu.length, entry, title);
        if (known) os::CharToOemBuff(title, shown, static_cast<uint32_t>(std::strlen(title)) + 1);
        FillMenuLine(menu.items[i], entry + 1, known ? shown : nullptr);
    }
}

}  // namespace

MenuReading ReadPlaylistMenu(os::Window player, PlaylistMenu& menu) {
    HostReadsTitles reading;
    TitleReader reader(player);
    int32_t length = 0;
    int32_t current = 0;
    if (!AskListPlace(reader, length, current)) return MenuReading::Unanswered;
    if (length <= 0) return MenuReading::Empty;
    menu.length = length;
    menu.range = MenuRangeAround(length, current, menuEntryCapacity);

    // The entries around the current one are read afresh: the user looks there first, and a title that reads
    // differently from the one known tells that the list has changed under the same length.
    const int32_t near = 2 * menuNearEntries + 1;
    const uint32_t started = os::GetTickCount();
    char title[titleCapacity];
    int32_t step = 0;
    for (int pass = 0; pass < 2; ++pass) {  // once more when a change found forgot the ones read before it
        const uint32_t generation = TitlesGeneration();
        for (step = 0; step < near && step < menu.range.count && os::GetTickCount() - started < menuNearBudget; ++step)
            if (ReadAndNoteTitle(reader, length, OutwardEntry(menu.range, current, step), title) ==
                TitleReader::Title::Unanswered)
                break;
        if (TitlesGeneration() == generation) break;
    }
    // Then whatever else a little more time allows, outwards; the TitleThread reads the rest meanwhile.
    for (; step < menu.range.count && os::GetTickCount() - started < menuReadingBudget; ++step) {
        const int32_t entry = OutwardEntry(menu.range, current, step);
        if (TitleKnown(player, length, entry)) continue;
        if (ReadAndNoteTitle(reader, length, entry, title) == TitleReader::Title::Unanswered) break;
    }

    FillLines(player, menu);
    const int selected = current - menu.range.first;
    if (selected >= 0 && selected < menu.range.count) menu.items[selected].selected = 1;
    return MenuReading::Ready;
}

CommandResult PlayEntry(os::Window player, int32_t index) {
    const CommandResult chosen = SendPlayerMessage(player, static_cast<uintptr_t>(index), playlistMessage::SetPosition);
    return chosen == CommandResult::Sent ? SendPlayerCommand(command::Play, false) : chosen;
}

}  // namespace quaver
