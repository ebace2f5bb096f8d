#include "player/playlist.h"

#include <cstring>

#include "player/commands.h"
#include "player/player_address.h"

namespace quaver {

PlaylistReader::PlaylistReader(os::Window player) : player_(player), started_(os::GetTickCount()) {}

bool PlaylistReader::Send(uintptr_t wParam, intptr_t lParam, intptr_t& result) {
    result = 0;
    if (!answering_ || !player_) return false;
    answering_ = os::SendMessageTimeout(player_, os::WmUser, wParam, lParam, os::SmtoAbortIfHung,
                                        playlistQueryTimeout, &result);
    return answering_;
}

bool PlaylistReader::Ask(uintptr_t wParam, intptr_t lParam, int32_t& answer) {
    intptr_t result = 0;
    const bool answered = Send(wParam, lParam, result);
    answer = static_cast<int32_t>(result);
    return answered;
}

bool PlaylistReader::ReadFromPages(uintptr_t address, char (&title)[titleCapacity]) {
    constexpr uint32_t wanted = titleCapacity - 1;
    uint32_t copied = 0;
    while (copied < wanted) {
        const uintptr_t at = address + copied;
        const uintptr_t start = at - at % pageSize;
        if (!pageHeld_ || pageStart_ != start) {
            pageHeld_ = os::ReadProcessMemory(process_.get(), start, page_, pageSize);
            pageStart_ = start;
            // A title cut where readable memory ends keeps what was read.
            if (!pageHeld_) {
                title[copied] = '\0';
                return copied > 0;
            }
        }
        const uint32_t inPage = static_cast<uint32_t>(pageSize - (at - start));
        const uint32_t count = wanted - copied < inPage ? wanted - copied : inPage;
        std::memcpy(title + copied, page_ + (at - start), count);
        copied += count;
        if (std::memchr(title + copied - count, 0, count)) break;
    }
    return true;
}

bool PlaylistReader::ReadAlone(uintptr_t address, char (&title)[titleCapacity]) {
    constexpr uint32_t wanted = titleCapacity - 1;
    const uint32_t inPage = static_cast<uint32_t>(pageSize - address % pageSize);
    const uint32_t first = inPage < wanted ? inPage : wanted;
    if (!os::ReadProcessMemory(process_.get(), address, title, first)) return false;
    title[first] = '\0';
    if (first < wanted && !std::memchr(title, 0, first))
        // The rest, when the next page is there; a title cut at an unreadable page keeps what was read.
        if (os::ReadProcessMemory(process_.get(), address + first, title + first, wanted - first)) title[wanted] = '\0';
    return true;
}

bool PlaylistReader::ReadText(uintptr_t address, char (&title)[titleCapacity]) {
    title[titleCapacity - 1] = '\0';
    // A page that cannot be read whole (memory that is not the system's pages, as a test's) is read title by
    // title instead.
    return ReadFromPages(address, title) || ReadAlone(address, title);
}

bool PlaylistReader::ReadTitle(int32_t index, char (&title)[titleCapacity]) {
    if (os::GetTickCount() - started_ >= titleReadBudget) return false;
    if (!processTried_) {
        processTried_ = true;
        process_.reset(os::OpenWindowProcessForReading(player_));
        playerBits_ = os::WindowProcessBits(player_);
    }
    if (!process_) return false;
    // The answer is the player's own pointer, of the player's width.
    intptr_t answer = 0;
    uint64_t address = 0;
    if (!Send(static_cast<uintptr_t>(index), playlistMessage::TitleAddress, answer) ||
        !TitleAddressOf(answer, playerBits_, static_cast<int>(sizeof(void*) * 8), address))
        return false;
    return ReadText(static_cast<uintptr_t>(address), title);
}

namespace {

// Titles are read outwards from the current entry, this many on one side and then on the other, so that what
// the menu shows first is read first when time runs out, and neighbours still share their pages.
constexpr int readingRun = 64;

void FillLine(PlaylistReader& reader, PlaylistMenu& menu, int i) {
    char title[titleCapacity];
    char shown[titleCapacity];
    const int32_t index = menu.range.first + i;
    const bool read = reader.ReadTitle(index, title);
    if (read) os::CharToOemBuff(title, shown, static_cast<uint32_t>(std::strlen(title)) + 1);
    FillMenuLine(menu.items[i], index + 1, read ? shown : nullptr);
}

}  // namespace

bool ReadPlaylistMenu(os::Window player, PlaylistMenu& menu) {
    PlaylistReader reader(player);
    int32_t length = 0;
    int32_t current = 0;
    if (!reader.Ask(query::PlaylistLength.wParam, query::PlaylistLength.lParam, length) || length <= 0) return false;
    if (!reader.Ask(query::ListPosition.wParam, query::ListPosition.lParam, current)) current = 0;
    menu.length = length;
    menu.range = MenuRangeAround(length, current, menuEntryCapacity);
    const int count = menu.range.count;
    int selected = current - menu.range.first;
    const bool currentListed = selected >= 0 && selected < count;
    if (!currentListed) selected = 0;
    int after = selected;   // the next line to read downwards
    int before = selected;  // one past the next line to read upwards
    while (after < count || before > 0) {
        for (int run = 0; run < readingRun && after < count; ++run) FillLine(reader, menu, after++);
        for (int run = 0; run < readingRun && before > 0; ++run) FillLine(reader, menu, --before);
    }
    if (currentListed) menu.items[selected].selected = 1;
    return true;
}

CommandResult PlayEntry(os::Window player, int32_t index) {
    const CommandResult chosen = SendPlayerMessage(player, static_cast<uintptr_t>(index), playlistMessage::SetPosition);
    return chosen == CommandResult::Sent ? SendPlayerCommand(command::Play, false) : chosen;
}

}  // namespace quaver
