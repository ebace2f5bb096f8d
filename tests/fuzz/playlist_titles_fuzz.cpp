// Whatever a player answers for its titles (any address, 0, the same buffer for every entry) and whatever of
// its memory can be read (regions of any bytes, titles that run into a page end): every title read is the text
// at its address up to its terminator, cut to fit and always terminated, and every menu line is "N. " and a
// terminated title or `Track N`.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>

#include "fake_host.h"
#include "fake_os.h"
#include "fuzz_input.h"
#include "player/playlist.h"
#include "player/playlist_titles.h"

using namespace quaver;
using fuzz::Require;

namespace {

constexpr uintptr_t pageSize = 4096;
constexpr int entries = 24;

PlaylistMenu menu;  // as large as the module's

// What the text at address is, as far as the regions hold it: the bytes up to the first zero, or up to where
// readable memory ends.
std::string TextAt(const std::map<uintptr_t, std::string>& memory, uintptr_t address) {
    auto region = memory.upper_bound(address);
    if (region == memory.begin()) return {};
    --region;
    const uintptr_t offset = address - region->first;
    if (offset >= region->second.size()) return {};
    const std::string rest = region->second.substr(offset);
    return rest.substr(0, rest.find('\0'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput in(data, size);
    fake::Reset();
    fake::StartModule();
    fake::world().manualClock = true;
    ForgetTitles();
    ForgetOwedAnswer();

    // Regions of the player's memory, as a process has them: runs of one to three whole pages, apart.
    std::map<uintptr_t, std::string> memory;
    const int regions = 1 + static_cast<int>(in.TakeBelow(4));
    for (int i = 0; i < regions; ++i) {
        const uintptr_t start = (0x100 + 8 * static_cast<uintptr_t>(i) + in.TakeBelow(4)) * pageSize;
        const size_t length = (1 + in.TakeBelow(3)) * pageSize;
        std::string bytes = in.TakeText(length);
        bytes.resize(length, static_cast<char>(in.Take<uint8_t>()));
        memory[start] = bytes;
    }
    // The answer for each entry: an address in or near a region, one just before a region's end, or any number.
    intptr_t answers[entries];
    for (intptr_t& answer : answers) {
        const uint32_t kind = in.TakeBelow(4);
        auto region = memory.begin();
        std::advance(region, in.TakeBelow(static_cast<uint32_t>(memory.size())));
        if (kind == 0) answer = static_cast<intptr_t>(region->first + in.TakeBelow(static_cast<uint32_t>(region->second.size())));
        else if (kind == 1) answer = static_cast<intptr_t>(region->first + region->second.size() - 1 - in.TakeBelow(8));
        else if (kind == 2) answer = 0;
        else answer = in.Take<intptr_t>();
    }
    {
        std::lock_guard lock(fake::Mutex());
        fake::world().playerMemory = memory;
    }
    const int32_t length = 1 + static_cast<int32_t>(in.TakeBelow(entries));
    const int32_t current = static_cast<int32_t>(in.TakeBelow(entries + 2)) - 1;
    fake::ShowPlayer([&](uint32_t message, uintptr_t wParam, intptr_t lParam) -> intptr_t {
        if (message != os::WmUser) return 0;
        if (lParam == query::PlaylistLength.lParam) return length;
        if (lParam == query::ListPosition.lParam) return current;
        if (lParam == playlistMessage::TitleAddress) return wParam < entries ? answers[wParam] : 0;
        return 0;
    });

    TitleReader reader(fake::world().player);
    for (int32_t entry = 0; entry < length; ++entry) {
        char title[titleCapacity];
        std::memset(title, 'x', sizeof title);
        const TitleReader::Title read = reader.ReadTitle(entry, title);
        Require(read != TitleReader::Title::Unanswered, "the player answered");
        Require(std::memchr(title, 0, sizeof title) != nullptr, "a title is always terminated");
        if (read == TitleReader::Title::Read) {
            Require(answers[entry] != 0, "no title read for an address of 0");
            const std::string expected = TextAt(memory, static_cast<uintptr_t>(answers[entry])).substr(0, titleCapacity - 1);
            Require(expected == title, "the title is the text at its address, cut to fit");
        } else {
            Require(title[0] == '\0', "an unreadable title is empty");
        }
    }

    Require(ReadPlaylistMenu(fake::world().player, menu) == MenuReading::Ready, "the menu is read");
    for (int i = 0; i < menu.range.count; ++i) {
        const HostMenuItem& item = menu.items[i];
        Require(std::memchr(item.text, 0, sizeof item.text) != nullptr, "a line is always terminated");
        const std::string number = std::to_string(menu.range.first + i + 1) + ". ";
        Require(std::strncmp(item.text, number.c_str(), number.size()) == 0, "a line starts with its number");
    }
    fake::RemovePlayer();
    return 0;
}
