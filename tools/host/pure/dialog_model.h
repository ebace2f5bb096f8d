// The host's dialogs without the console: where each item lies, which item has the focus, what a key or a
// click does to the items, and how the dialog looks. The model keeps its own copy of the items, made from
// either interface's records (ItemsFromClassic, ItemsFromWide); the dialog engine hands the states back as
// each interface wants them.
//
// Item types: 0 text, 2 single frame and 3 double frame (its text is the title), 7 button, 8 check box, 9 radio
// button; other types are neither drawn nor focusable. A '&' in a text marks the next character as the item's
// hot key and is not shown, unless the item shows ampersands. A separator is a text item drawn as a line
// across the frame, with its text centred on it; a group mark starts a group of radio buttons; centred
// buttons on one row are centred as a group.
#pragma once

#include <string>
#include <vector>

#include "host/host_api.h"
#include "host/wide_api.h"
#include "pure/screen_buffer.h"

namespace host {

namespace dialog {
constexpr int32_t Text = 0, SingleFrame = 2, Frame = 3, Button = 7, CheckBox = 8, RadioButton = 9;
// The classic interface's item flags.
constexpr uint32_t Separator = 0x200, Group = 0x400, Centred = 0x4000, NoBrackets = 0x8000,
                   DoubleSeparator = 0x10000, Disabled = 0x80000000u;
// Messages between the host and a classic dialog handler.
constexpr int Close = 1, EnableItem = 2, Redraw = 14;  // to the host
constexpr int ItemChanged = 4097, Closing = 4111;     // to the handler
constexpr char16_t RadioMark = u'•';
}  // namespace dialog

// One item as the dialog keeps it, whichever interface it came from.
struct DialogItem {
    int32_t type = dialog::Text;
    long long x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // the module's numbers, relative to the dialog
    int selected = 0;                          // check boxes and radio buttons: 1 on
    std::string text;                          // UTF-8, hot-key marker included
    bool separator = false;
    bool doubleSeparator = false;
    bool group = false;
    bool centred = false;
    bool noBrackets = false;
    bool showAmpersand = false;
    bool disabled = false;
    bool hidden = false;
    bool noFocus = false;
    bool defaultButton = false;
    bool focus = false;
};

// A classic module's items: their texts in the OEM code page, up to their terminator or the field's end.
std::vector<DialogItem> ItemsFromClassic(const HostDialogItem* items, int count);
// The states a classic module reads back from its own array: selected, focus and the disabled flag.
void WriteBackToClassic(const std::vector<DialogItem>& from, HostDialogItem* to, int count);
// A wide module's items: copied, texts and all (they are never written back).
std::vector<DialogItem> ItemsFromWide(const wide::DialogLine* items, size_t count);

// What the user's key or click asks the dialog to do.
struct DialogAction {
    enum Kind {
        None,     // nothing (or only the focus moved)
        Changed,  // a check box or radio button took `state`
        Chosen,   // a button was chosen
        Cancel,   // Esc
    };
    Kind kind = None;
    int item = -1;
    int state = 0;
    bool operator==(const DialogAction&) const = default;
};

// Keys the dialog knows, already told apart from the console's events.
enum class DialogKey { Tab, BackTab, Up, Down, Left, Right, Space, Enter, Escape, Character };

class DialogModel {
public:
    // x1 or y1 below zero: a dialog of x2 by y2 cells centred on the screen, capped at the screen's size;
    // otherwise the screen cells from (x1, y1) to (x2, y2). Either way the dialog is cut to the screen and
    // every item to the dialog, whatever the numbers.
    DialogModel(std::vector<DialogItem> items, long long x1, long long y1, long long x2, long long y2,
                int screenWidth, int screenHeight);

    // Centres the dialog again (after the console changed its size), and lays the items out again (after a
    // text changed).
    void Place(int screenWidth, int screenHeight);

    const Rect& Area() const { return area_; }  // the dialog on the screen
    Rect AreaWithShadow() const;                // what drawing the dialog changes
    int Count() const { return static_cast<int>(items_.size()); }
    const std::vector<DialogItem>& Items() const { return items_; }
    const DialogItem& Item(int index) const { return items_[static_cast<size_t>(index)]; }

    // The cells an item covers on the screen, after layout and clipping; empty for items that are not drawn.
    Rect ItemRect(int index) const;
    // The text an item shows (hot-key marker removed), and its hot key (0 for none), lower case.
    std::string ShownText(int index) const;
    char HotKey(int index) const;

    int32_t TypeOf(int index) const;  // the item's type; -1 out of range
    bool Enabled(int index) const;
    bool Focusable(int index) const;  // an enabled, shown check box, radio button or button that takes the focus
    int Focus() const { return focus_; }  // -1 when nothing can take the focus
    void SetFocus(int index);             // ignored unless Focusable

    // Enables (true) or disables an item; the focus leaves an item that becomes disabled. Returns whether
    // the item was enabled before; false for an index out of range.
    bool Enable(int index, bool enabled);
    // Sets a check box's or radio button's state as the module asks, without the group's rules; the old state.
    int SetState(int index, int state);
    // Gives an item a new text (UTF-8) and lays the dialog out again; false for an index out of range.
    bool SetText(int index, std::string text);

    // The radio buttons that belong together with `index` (first and last index, inclusive).
    void GroupOf(int index, int* first, int* last) const;

    // What a key does: moves the focus, or activates an item (see Activate).
    DialogAction Key(DialogKey key, char character = 0);
    // A left click on the cell: focuses and activates the item there.
    DialogAction Click(int x, int y);
    // Space on an item, or a click: a check box flips, a radio button is selected (its group's others are
    // cleared; selecting the selected one changes nothing), a button is chosen. Disabled items do nothing.
    DialogAction Activate(int index);

    // The default button (marked so, enabled), else -1.
    int DefaultButton() const;

    void Draw(ScreenBuffer& screen) const;

private:
    // An item's cells before clipping: the module's numbers may reach past int's range once added up.
    struct Span {
        long long left, top, right, bottom;
    };

    void Layout();
    int FrameIndex() const;  // the first frame item, or -1
    int NextFocusable(int from, int step) const;
    bool Clickable(int index) const;

    std::vector<DialogItem> items_;
    long long x1_, y1_, x2_, y2_;
    Rect area_;
    std::vector<Span> spans_;
    std::vector<Rect> rects_;  // spans cut to the dialog
    int focus_ = -1;
};

}  // namespace host
