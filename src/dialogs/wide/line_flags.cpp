#include "dialogs/wide/line_flags.h"

#include "dialogs/dialog_items.h"

namespace quaver {

namespace {

struct FlagPair {
    uint32_t classic;
    wide::Flags wide;
};

// A button drawn without brackets has no counterpart: the wide host draws its own buttons. The separator
// above the buttons is a separator already.
constexpr FlagPair flagPairs[] = {
    {dialogItem::Separator, wide::dialogLineFlag::Separator},
    {dialogItem::Group, wide::dialogLineFlag::Group},
    {dialogItem::Centred, wide::dialogLineFlag::Centred},
    {dialogItem::Disabled, wide::dialogLineFlag::Disabled},
};

}  // namespace

wide::Flags WideLineFlags(uint32_t classicFlags) {
    wide::Flags flags = 0;
    for (const FlagPair& pair : flagPairs)
        if (classicFlags & pair.classic) flags |= pair.wide;
    return flags;
}

}  // namespace quaver
