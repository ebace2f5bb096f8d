// The classic host's dialogs: its records, handed over whole and written back by the host.
#include "dialogs/host_dialog.h"

#include "host/host.h"

namespace quaver {

HostDialog::HostDialog(const DialogInitItem* table, int count, bool widen) {
    count_ = count < dialogItemCapacity ? count : dialogItemCapacity;
    ExpandDialogItems(table, items_, count_, widen);
}

bool HostDialog::On(int item) const { return items_[item].selected != 0; }

void HostDialog::Set(int item, bool on) { items_[item].selected = on ? 1 : 0; }

void HostDialog::Disable(int item) { items_[item].flags |= dialogItem::Disabled; }

int32_t HostDialog::FrameRight() const { return items_[0].x2; }

int HostDialog::Show(DialogId, int width, int height, const char* helpTopic, DialogHandler handler) {
    const HostServices& host = hostLink.services;
    if (!handler)
        return host.ShowDialog ? host.ShowDialog(host.moduleNumber, -1, -1, width, height, helpTopic, items_, count_)
                               : -1;
    if (!host.ShowDialogEx) return -1;
    return host.ShowDialogEx(host.moduleNumber, -1, -1, width, height, helpTopic, items_, count_, 0, 0, handler, 0);
}

intptr_t SendToDialog(void* dialog, int message, int parameter1, intptr_t parameter2) {
    if (!hostLink.services.SendDialogMessage) return 0;
    return hostLink.services.SendDialogMessage(dialog, message, parameter1, parameter2);
}

intptr_t DefaultDialogEvent(void* dialog, int message, int parameter1, intptr_t parameter2) {
    if (!hostLink.services.DefaultDialogHandler) return 0;
    return hostLink.services.DefaultDialogHandler(dialog, message, parameter1, parameter2);
}

}  // namespace quaver
