#include "panel/player_queries.h"

namespace quaver {

PlayerQueries::PlayerQueries(os::Window player, uint32_t budgetMs)
    : player_(player), started_(os::GetTickCount()), budget_(budgetMs) {}

bool PlayerQueries::Send(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t& result) {
    if (!answering_) return false;
    const uint32_t spent = os::GetTickCount() - started_;  // unsigned: harmless across the counter's wrap
    // A hung player is given up at once (abort-if-hung); a slow one gets what is left of the budget.
    answering_ = spent < budget_ && os::SendMessageTimeout(player_, message, wParam, lParam, os::SmtoAbortIfHung,
                                                           budget_ - spent, &result);
    return answering_;
}

bool PlayerQueries::Ask(Query query, int32_t& answer) {
    intptr_t result = 0;
    if (!Send(os::WmUser, query.wParam, query.lParam, result)) return false;
    answer = static_cast<int32_t>(result);  // the player answers in 32 bits
    return true;
}

bool PlayerQueries::AskTitle(char (&buffer)[titleBufferCapacity], int32_t& length) {
    // Terminated before asking, so that a player that copies nothing leaves an empty text.
    buffer[0] = '\0';
    buffer[titleBufferCapacity - 1] = '\0';
    intptr_t result = 0;
    if (!Send(os::WmGetText, titleQueryLimit, reinterpret_cast<intptr_t>(buffer), result)) return false;
    length = ReceivedTitleLength(result, buffer, titleQueryLimit);
    return true;
}

}  // namespace quaver
