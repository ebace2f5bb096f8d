#include "dialogs/dialog_items.h"

#include <cstring>

#include "host/host.h"

namespace quaver {

namespace {

// Columns of the frame that no item text can use: its sides, the margins and a check box's mark.
constexpr int32_t frameAllowance = 7;

const char* TextOf(const DialogText& text) { return text.literal ? text.literal : GetLangString(text.message); }

// Copies at most what data can hold with its terminator: a long language text is cut, never overruns.
void CopyText(char (&data)[sizeof(HostDialogItem::data)], const char* text) {
    const size_t length = text ? strnlen(text, sizeof data - 1) : 0;
    if (length) std::memcpy(data, text, length);
    data[length] = '\0';
}

}  // namespace

int VisibleLength(const char* text) {
    const int length = static_cast<int>(std::strlen(text));
    return std::strchr(text, '&') ? length - 1 : length;
}

void ExpandDialogItems(const DialogInitItem* initItems, HostDialogItem* hostItems, int count, bool widen) {
    for (int i = 0; i < count; ++i) {
        const DialogInitItem& from = initItems[i];
        HostDialogItem& to = hostItems[i];
        to.type = from.type;
        to.x1 = from.x1;
        to.y1 = from.y1;
        to.x2 = from.x2;
        to.y2 = from.y2;
        to.focus = from.focus;
        // The whole slot first: on 64-bit selected fills only its lower half.
        to.address = 0;
        to.selected = static_cast<int32_t>(from.selected);
        to.flags = from.flags;
        to.defaultButton = from.isDefault;
        CopyText(to.data, TextOf(from.text));

        if (!widen || i == 0) continue;
        HostDialogItem& frame = hostItems[0];
        const int32_t room = frame.x2 - frame.x1 - frameAllowance;
        const int32_t visible = VisibleLength(to.data);
        if (visible > room) frame.x2 += visible - room;
    }
}

}  // namespace quaver
