#include "panel/player_queries.h"

namespace quaver {

PlayerQueries::PlayerQueries(os::Window player, os::Handle stop) : player_(player), stop_(stop) {}

bool PlayerQueries::Send(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t& result) {
    if (!answering_) return false;
    if (stop_ && os::WaitForSingleObject(stop_, 0) == os::WaitObject0) {
        answering_ = false;
        return false;
    }
    // A hung player is given up at once (abort-if-hung); a slow one gets the time-out.
    answering_ = os::SendMessageTimeout(player_, message, wParam, lParam, os::SmtoAbortIfHung, queryTimeout, &result);
    answeredAny_ = answeredAny_ || answering_;
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
