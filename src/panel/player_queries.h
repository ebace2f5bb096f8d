// The refresh pass's questions to the player. They are asked without drawingLock, so a slow player holds up
// nothing but the pass itself; each question still has a time-out, so that closing the panel never waits long
// for the pass, and once one goes unanswered (or the panel is closing) the rest of the pass is not asked.
#pragma once

#include <cstdint>

#include "host/host_text.h"
#include "os/os.h"
#include "panel/title_layout.h"
#include "player/commands.h"

namespace quaver {

// The longest one question waits for its answer.
constexpr uint32_t queryTimeout = 250;

class PlayerQueries {
public:
    // stop (may be none) ends the asking as soon as it is set.
    PlayerQueries(os::Window player, os::Handle stop);
    PlayerQueries(const PlayerQueries&) = delete;
    PlayerQueries& operator=(const PlayerQueries&) = delete;

    // False when the player did not answer in time, has gone, or the panel is closing.
    bool Ask(Query query, int32_t& answer);
    // The player's window title (the ANSI code page, or UTF-16 in the wide build) and its length as far as the
    // buffer really holds text.
    bool AskTitle(HostChar (&buffer)[titleBufferCapacity], int32_t& length);
    // At least one question of this pass was answered.
    bool answeredAny() const { return answeredAny_; }

private:
    bool Send(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t& result);
    // Before a question: false once one went unanswered or the panel is closing. After it: notes the outcome.
    bool MayAsk();
    bool Answered(bool answered);

    os::Window player_;
    os::Handle stop_;
    bool answering_ = true;
    bool answeredAny_ = false;
};

}  // namespace quaver
