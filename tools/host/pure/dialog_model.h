// The host's dialogs without the console: where each item lies, which item has the focus, what a key or a
// click does to the items, and how the dialog looks. Works on the caller's HostDialogItem array in place,
// so check box and radio button states, the disabled flag and the focus are the caller's as they change.
//
// Item types: 0 text, 3 double frame (its text is the dialog's title), 7 button, 8 check box, 9 radio
// button; other types are neither drawn nor focusable. Flags: 0x200 separator across the frame (0x10000
// with it: a double line), 0x400 a radio button that starts a group, 0x4000 centred (buttons with it on one
// row are centred as a group), 0x8000 a button drawn as its text alone, 0x80000000 disabled. A '&' in a
// text marks the next character as the item's hot key; the '&' itself is not shown.
#pragma once

#include <string>
#include <vector>

#include "host/host_api.h"
#include "pure/screen_buffer.h"

namespace host {

namespace dialog {
constexpr int32_t Text = 0, Frame = 3, Button = 7, CheckBox = 8, RadioButton = 9;
constexpr uint32_t Separator = 0x200, Group = 0x400, Centred = 0x4000, NoBrackets = 0x8000,
                   DoubleSeparator = 0x10000, Disabled = 0x80000000u;
// Messages between the host and a dialog handler.
constexpr int Close = 1, EnableItem = 2, Redraw = 14;  // to the host
constexpr int ItemChanged = 4097, Closing = 4111;     // to the handler
constexpr char RadioMark = '\x07';                    // the code page's bullet
}  // namespace dialog

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
    // every item to the dialog, whatever the numbers. `items` must stay valid while the model is used.
    DialogModel(HostDialogItem* items, int count, int x1, int y1, int x2, int y2, int screenWidth,
                int screenHeight);

    // Centres the dialog again (after the console changed its size).
    void Place(int screenWidth, int screenHeight);

    const Rect& Area() const { return area_; }  // the dialog on the screen
    Rect AreaWithShadow() const;                // what drawing the dialog changes
    int Count() const { return count_; }

    // The cells an item covers on the screen, after layout and clipping; empty for items that are not drawn.
    Rect ItemRect(int index) const;
    // The text an item shows (hot-key marker removed), and its hot key (0 for none), lower case.
    std::string ShownText(int index) const;
    char HotKey(int index) const;

    int32_t TypeOf(int index) const;  // the item's type; -1 out of range
    bool Enabled(int index) const;
    bool Focusable(int index) const;  // an enabled check box, radio button or button
    int Focus() const { return focus_; }  // -1 when nothing can take the focus
    void SetFocus(int index);             // ignored unless Focusable

    // Enables (true) or disables an item; the focus leaves an item that becomes disabled. Returns whether
    // the item was enabled before; false for an index out of range.
    bool Enable(int index, bool enabled);

    // The radio buttons that belong together with `index` (first and last index, inclusive).
    void GroupOf(int index, int* first, int* last) const;

    // What a key does: moves the focus, or activates an item (see Activate).
    DialogAction Key(DialogKey key, char character = 0);
    // A left click on the cell: focuses and activates the item there.
    DialogAction Click(int x, int y);
    // Space on an item, or a click: a check box flips, a radio button is selected (its group's others are
    // cleared; selecting the selected one changes nothing), a button is chosen. Disabled items do nothing.
    DialogAction Activate(int index);

    // The default button (defaultButton set, enabled), else -1.
    int DefaultButton() const;

    void Draw(ScreenBuffer& screen) const;

private:
    // An item's cells before clipping: the module's numbers may reach past int's range once added up.
    struct Span {
        long long left, top, right, bottom;
    };

    HostDialogItem& Item(int index) const { return items_[index]; }
    void Layout();
    int FrameIndex() const;  // the first frame item, or -1
    int NextFocusable(int from, int step) const;

    HostDialogItem* items_;
    int count_;
    int x1_, y1_, x2_, y2_;
    Rect area_;
    std::vector<Span> spans_;
    std::vector<Rect> rects_;  // spans cut to the dialog
    int focus_ = -1;
};

}  // namespace host
