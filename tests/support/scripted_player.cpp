#include "scripted_player.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "fake_os.h"
#include "os/os.h"

namespace fake {

namespace {

intptr_t AnswerQuery(const PlayerAnswers& answers, uintptr_t wParam, intptr_t lParam) {
    switch (lParam) {
    case 104: return answers.playing;
    case 125: return answers.listPosition;
    case 126: return wParam == 0 ? answers.sampleRate : wParam == 1 ? answers.bitRate : answers.channels;
    case 105: return wParam == 1 ? answers.trackLength : answers.position;
    case 250: return answers.shuffle;
    case 251: return answers.repeat;
    case 0: return answers.version;
    case 124: return answers.playlistLength;
    case 212: {
        const auto index = static_cast<int32_t>(wParam);
        return index < answers.playlistLength && index != answers.titleMissing ? TitleAddress(index) : 0;
    }
    case 122: return static_cast<intptr_t>(wParam) == -666 ? answers.volume : 0;
    default: return 0;
    }
}

intptr_t AnswerTitle(const PlayerAnswers& answers, uintptr_t size, intptr_t lParam) {
    char* buffer = reinterpret_cast<char*>(lParam);
    if (size == 0) return 0;
    if (answers.titleUnterminated) {
        std::memset(buffer, 'x', size);
        return answers.claimTitleLength ? answers.claimedTitleLength : static_cast<intptr_t>(size);
    }
    const size_t copied = std::min(answers.windowTitle.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, answers.windowTitle.data(), copied);
    buffer[copied] = '\0';
    return answers.claimTitleLength ? answers.claimedTitleLength : static_cast<intptr_t>(copied);
}

}  // namespace

void PlaceTitles(const std::vector<std::string>& titles, int first) {
    // One region from the start of the first title's page, as a player keeps its list.
    const uintptr_t start = TitleAddress(first) - TitleAddress(first) % 4096;
    const uintptr_t end = TitleAddress(first + static_cast<int>(titles.size()));
    std::string region((end - start + 4095) / 4096 * 4096, '\0');  // whole pages
    for (size_t i = 0; i < titles.size(); ++i)
        region.replace(TitleAddress(first + static_cast<int>(i)) - start, titles[i].size(), titles[i]);
    std::lock_guard lock(Mutex());
    world().playerMemory[start] = region;
}

void ShowScriptedPlayer(PlayerAnswers* answers) {
    // A plain pointer keeps the handler small enough for std::function to hold without allocating.
    ShowPlayer([answers](uint32_t message, uintptr_t wParam, intptr_t lParam) -> intptr_t {
        if (++answers->answered == answers->hangAfter) {
            std::lock_guard lock(Mutex());
            world().playerHung = true;
        }
        const bool changedNow = answers->changed && answers->changeAfter >= 0 &&
                                answers->answered > answers->changeAfter;
        const PlayerAnswers& from = changedNow ? *answers->changed : *answers;
        if (message == os::WmUser && lParam == 212 && from.msPerTitle) {
            std::lock_guard lock(Mutex());
            world().tick += from.msPerTitle;
        }
        if (message == os::WmUser && lParam == 212 && !from.titlesOnDemand.empty()) {
            if (wParam >= from.titlesOnDemand.size()) return 0;
            std::lock_guard lock(Mutex());
            // The buffer is readable past the title's terminator, as a real one is.
            std::string buffer = from.titlesOnDemand[wParam];
            buffer.resize(512, '\0');
            world().playerMemory[TitleAddress(0)] = buffer;
            return static_cast<intptr_t>(TitleAddress(0));
        }
        if (message == os::WmCopyData) {  // an appended file lengthens the list
            ++answers->playlistLength;
            if (answers->msPerAppend) fake::PlayerTakes(answers->msPerAppend);
            return 1;
        }
        if (message == os::WmUser) return AnswerQuery(from, wParam, lParam);
        if (message == os::WmGetText) return AnswerTitle(from, wParam, lParam);
        return 0;
    });
}

}  // namespace fake
