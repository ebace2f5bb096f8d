#include "panel/player_queries.h"

namespace quaver {

PlayerQueries::PlayerQueries(os::Window player, os::Handle stop) : player_(player), stop_(stop) {}

bool PlayerQueries::MayAsk() {
    if (!answering_) return false;
    if (stop_ && os::WaitForSingleObject(stop_, 0) == os::WaitObject0) answering_ = false;
    return answering_;
}

bool PlayerQueries::Answered(bool answered) {
    answering_ = answered;
    answeredAny_ = answeredAny_ || answered;
    return answered;
}

bool PlayerQueries::Send(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t& result) {
    if (!MayAsk()) return false;
    // A hung player is given up at once (abort-if-hung); a slow one gets the time-out.
    return Answered(
        os::SendMessageTimeout(player_, message, wParam, lParam, os::SmtoAbortIfHung, queryTimeout, &result));
}

bool PlayerQueries::Ask(Query query, int32_t& answer) {
    intptr_t result = 0;
    if (!Send(os::WmUser, query.wParam, query.lParam, result)) return false;
    answer = static_cast<int32_t>(result);  // the player answers in 32 bits
    return true;
}


}  // namespace quaver
