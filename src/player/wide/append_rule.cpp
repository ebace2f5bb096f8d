#include "player/wide/append_rule.h"

namespace quaver {

AfterWidePath AfterWideAppend(intptr_t answer, int ansiBytes, bool exact, int capacity) {
    if (answer != 0) return AfterWidePath::Taken;
    return exact && ansiBytes > 0 && ansiBytes < capacity ? AfterWidePath::SendAnsi : AfterWidePath::NotTaken;
}

}  // namespace quaver
