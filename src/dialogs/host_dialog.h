// A dialog as the host shows it, expanded from one of the module's tables: the classic host's records, which
// it writes the user's choices back into, or the wide host's lines, whose texts it copies and whose states are
// asked for before the dialog is let go. The dialogs above work with item indices and states alone.
#pragma once

#include <cstdint>

#include "dialogs/dialog_items.h"
#include "host/host_api.h"
#include "host/host_text.h"
#if QUAVER_WIDE
#include "host/wide_api.h"
#endif

namespace quaver {

constexpr int dialogItemCapacity = 22;  // the largest table's items

// Which dialog it is, for a host that names each one.
enum class DialogId { About, Config };

class HostDialog {
public:
    // Expands count items of the table (at most dialogItemCapacity). With widen, item 0's frame grows until
    // every other item's text fits inside it.
    HostDialog(const DialogInitItem* table, int count, bool widen);
    HostDialog(const HostDialog&) = delete;
    HostDialog& operator=(const HostDialog&) = delete;

    // A check box's or radio button's state: before Show as it opens, after it as the user left it.
    bool On(int item) const;
    void Set(int item, bool on);
    void Disable(int item);
    // The right edge of item 0, the frame, once widened.
    int32_t FrameRight() const;

    // Shows it centred, width by height, and returns the index of the item that closed it, or a negative value.
    // handler (may be null) hears the host's events in the classic interface's terms: a check box or radio
    // button changed, or a button chosen (dialogMessage::ItemChanged), and it answers them through
    // SendToDialog and DefaultDialogEvent.
    int Show(DialogId id, int width, int height, const HostChar* helpTopic, DialogHandler handler);

private:
    int count_ = 0;
#if QUAVER_WIDE
    static constexpr int literalCapacity = 64;
    wide::DialogLine lines_[dialogItemCapacity];
    // The table's own texts in UTF-16; language texts are the host's own, which it keeps while the module is
    // loaded.
    wchar_t literals_[dialogItemCapacity][literalCapacity];
#else
    HostDialogItem items_[dialogItemCapacity];
#endif
};

// A message to the dialog whose handler is running: close it (dialogMessage::Close, the result in parameter1),
// enable an item (EnableItem: parameter1 the item, parameter2 1 or 0), redraw it (Redraw).
intptr_t SendToDialog(void* dialog, int message, int parameter1, intptr_t parameter2);
// What the host does with an event the handler leaves alone.
intptr_t DefaultDialogEvent(void* dialog, int message, int parameter1, intptr_t parameter2);

}  // namespace quaver
