// The wide host's dialogs: lines whose texts the host copies as the dialog is made and never writes back, so the
// user's choices are asked for after the dialog has run and before it is let go.
#include "dialogs/host_dialog.h"

#include <cstring>

#include "dialogs/wide/line_flags.h"
#include "host/host.h"
#include "host/wide/code_page_437.h"
#include "host/wide/wide_link.h"

namespace quaver {

namespace {

// The handler of the dialog being shown: one dialog at a time, on the host's thread.
DialogHandler shownHandler = nullptr;

// Columns of the frame that no item text can use: its sides, the margins and a check box's mark.
constexpr intptr_t frameAllowance = 7;

int32_t VisibleCells(const wchar_t* text) {
    int32_t length = 0;
    bool marker = false;
    for (; text[length]; ++length) marker = marker || text[length] == L'&';
    return marker ? length - 1 : length;
}

bool HoldsState(int type) { return type == dialogItem::CheckBox || type == dialogItem::RadioButton; }

// The button clicks and state changes go to the dialog's handler, in the classic interface's terms; the host
// does the rest, the closing included.
intptr_t HOSTAPI DialogEvents(wide::Handle dialog, intptr_t message, intptr_t parameter1, void* parameter2) {
    if (message == wide::dialogMessage::ButtonClicked && shownHandler)
        return shownHandler(dialog, dialogMessage::ItemChanged, static_cast<int>(parameter1),
                            reinterpret_cast<intptr_t>(parameter2));
    return wideHost.startup.DefDlgProc ? wideHost.startup.DefDlgProc(dialog, message, parameter1, parameter2) : 0;
}

// Clears the handler however Show ends.
struct ShownHandler {
    explicit ShownHandler(DialogHandler handler) { shownHandler = handler; }
    ShownHandler(const ShownHandler&) = delete;
    ShownHandler& operator=(const ShownHandler&) = delete;
    ~ShownHandler() { shownHandler = nullptr; }
};

}  // namespace

HostDialog::HostDialog(const DialogInitItem* table, int count, bool widen) {
    count_ = count < dialogItemCapacity ? count : dialogItemCapacity;
    for (int i = 0; i < count_; ++i) {
        const DialogInitItem& from = table[i];
        wide::DialogLine& to = lines_[i];
        std::memset(&to, 0, sizeof to);
        to.type = from.type;
        to.x1 = from.x1;
        to.y1 = from.y1;
        to.x2 = from.x2;
        to.y2 = from.y2;
        to.selected = static_cast<intptr_t>(from.selected);
        // Focus and the default button are flags here.
        to.flags = WideLineFlags(from.flags);
        if (from.focus) to.flags |= wide::dialogLineFlag::Focus;
        if (from.isDefault) to.flags |= wide::dialogLineFlag::DefaultButton;
        if (from.text.literal) {
            WidenCodePage437(from.text.literal, literals_[i], literalCapacity);
            to.text = literals_[i];
        } else {
            to.text = GetLangString(from.text.message);
        }

        if (!widen || i == 0) continue;
        wide::DialogLine& frame = lines_[0];
        const intptr_t room = frame.x2 - frame.x1 - frameAllowance;
        const intptr_t visible = VisibleCells(to.text);
        if (visible > room) frame.x2 += visible - room;
    }
}

bool HostDialog::On(int item) const { return lines_[item].selected != 0; }

void HostDialog::Set(int item, bool on) { lines_[item].selected = on ? 1 : 0; }

void HostDialog::Disable(int item) { lines_[item].flags |= wide::dialogLineFlag::Disabled; }

int32_t HostDialog::FrameRight() const { return static_cast<int32_t>(lines_[0].x2); }

int HostDialog::Show(DialogId id, int width, int height, const wchar_t* helpTopic, DialogHandler handler) {
    const wide::StartupRecord& host = wideHost.startup;
    if (!host.DialogInit || !host.DialogRun || !host.DialogFree || !host.SendDlgMessage) return -1;
    const wide::Guid& dialogId = id == DialogId::About ? wideId::aboutDialog : wideId::configDialog;
    const ShownHandler shown(handler);
    const wide::Handle dialog = host.DialogInit(&wideId::module, &dialogId, -1, -1, width, height, helpTopic, lines_,
                                                static_cast<size_t>(count_), 0, 0, DialogEvents, nullptr);
    if (dialog == wide::failedDialog || !dialog) return -1;
    const int result = static_cast<int>(host.DialogRun(dialog));
    // The host wrote nothing back: the states are asked for while the dialog still exists.
    for (int i = 0; i < count_; ++i)
        if (HoldsState(lines_[i].type))
            lines_[i].selected = host.SendDlgMessage(dialog, wide::dialogMessage::GetCheck, i, nullptr) != 0;
    host.DialogFree(dialog);
    return result;
}

intptr_t SendToDialog(void* dialog, int message, int parameter1, intptr_t parameter2) {
    if (!wideHost.startup.SendDlgMessage) return 0;
    return wideHost.startup.SendDlgMessage(dialog, message, parameter1, reinterpret_cast<void*>(parameter2));
}

intptr_t DefaultDialogEvent(void* dialog, int message, int parameter1, intptr_t parameter2) {
    if (!wideHost.startup.DefDlgProc) return 0;
    return wideHost.startup.DefDlgProc(dialog, message, parameter1, reinterpret_cast<void*>(parameter2));
}

}  // namespace quaver
