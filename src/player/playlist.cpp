#include "player/playlist.h"

#include "player/commands.h"
#include "player/player_address.h"
#include "player/playlist_titles.h"

namespace quaver {

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

void TitleReader::OpenProcess() {
    if (processTried_) return;
    processTried_ = true;
    process_.reset(os::OpenWindowProcessForReading(player_));
    playerBits_ = os::WindowProcessBits(player_);
}

bool TitleReader::AddressOf(intptr_t answer, uintptr_t& address) const {
    // The answer is the player's own pointer, of the player's width.
    uint64_t wide = 0;
    if (!process_ || !TitleAddressOf(answer, playerBits_, static_cast<int>(sizeof(void*) * 8), wide)) return false;
    address = static_cast<uintptr_t>(wide);
    return true;
}

TitleReader::Title ReadAndNoteTitle(TitleReader& reader, int32_t length, int32_t entry, HostChar (&title)[titleCapacity],
                                    NoteWhere where) {
    const TitleReader::Title read = reader.ReadTitle(entry, title);
    // An entry whose title cannot be read is known as one without: it shows `Track N`, and is not asked again.
    if (read != TitleReader::Title::Unanswered) NoteTitle(reader.player(), length, entry, title, where);
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
        HostChar title[titleCapacity];
        HostChar shown[titleCapacity];
        const bool known = KnownTitle(player, menu.length, entry, title);
        if (known) PlayerTextToHost(title, shown, static_cast<uint32_t>(HostTextLength(title, titleCapacity)) + 1);
        SetMenuLine(menu, i, entry + 1, known ? shown : nullptr);
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
    HostChar title[titleCapacity];
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
    if (selected >= 0 && selected < menu.range.count) SelectMenuLine(menu, selected);
    return MenuReading::Ready;
}

CommandResult PlayEntry(os::Window player, int32_t index) {
    const CommandResult chosen = SendPlayerMessage(player, static_cast<uintptr_t>(index), playlistMessage::SetPosition);
    return chosen == CommandResult::Sent ? SendPlayerCommand(command::Play, false) : chosen;
}

}  // namespace quaver
