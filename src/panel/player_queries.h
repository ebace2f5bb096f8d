// The refresh pass's questions to the player. They are asked while drawingLock is held, so a player that
// stops answering must not hold up every widget drawn on the host's thread: all questions of one pass share a
// time budget, and once one goes unanswered the rest of the pass is not asked.
#pragma once

#include <cstdint>

#include "os/os.h"
#include "panel/title_layout.h"
#include "player/commands.h"

namespace quaver {

// The longest a pass waits for the player in all; a pass then holds drawingLock for not much longer.
constexpr uint32_t passQueryBudget = 200;

class PlayerQueries {
public:
    PlayerQueries(os::Window player, uint32_t budgetMs);
    PlayerQueries(const PlayerQueries&) = delete;
    PlayerQueries& operator=(const PlayerQueries&) = delete;

    // False when the player did not answer within what is left of the budget, or has gone.
    bool Ask(Query query, int32_t& answer);
    // The player's window title (ANSI code page) and its length as far as the buffer really holds text.
    bool AskTitle(char (&buffer)[titleBufferCapacity], int32_t& length);
    bool answering() const { return answering_; }

private:
    bool Send(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t& result);

    os::Window player_;
    uint32_t started_;
    uint32_t budget_;
    bool answering_ = true;
};

}  // namespace quaver
