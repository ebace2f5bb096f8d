// The host's dialogs in the console: the dialog model (pure/dialog_model.h) drawn into the back buffer,
// fed with the console's keys and clicks, and talking to the module's handler.
//
// Events to the handler: 4097 (item, new state) when a check box or radio button changed or a button
// was chosen (state 0), 4111 (result) once the dialog closes, -1 when no item closed it. Choosing a button
// closes the dialog only through DefaultDialogHandler, which a handler calls for what it leaves alone;
// ShowDialog uses DefaultDialogHandler as its handler. Closing is final: 4111's answer is not asked for.
#include "dialog_engine.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "console.h"
#include "help_viewer.h"
#include "pure/dialog_model.h"
#include "services.h"

namespace host {

namespace {

struct OpenDialog {
    DialogModel model;
    intptr_t moduleNumber;
    const char* helpTopic;
    DialogHandler handler;
    bool closing = false;
    int result = -1;
};

// Dialogs on the screen, innermost last. A handle is only ever used when it is found here, so a module's
// stale or made-up handle cannot reach freed memory.
std::vector<OpenDialog*> openDialogs;

OpenDialog* Find(void* handle) {
    const auto found = std::find(openDialogs.begin(), openDialogs.end(), static_cast<OpenDialog*>(handle));
    return found == openDialogs.end() ? nullptr : *found;
}

void Draw(OpenDialog& dialog) {
    Console& console = TheConsole();
    {
        Console::Drawing drawing(console);
        dialog.model.Draw(drawing.Screen());
    }
    console.Flush();
}

void RequestClose(OpenDialog& dialog, int result) {
    dialog.closing = true;
    dialog.result = result;
}

bool IsPress(const MOUSE_EVENT_RECORD& mouse) {
    return (mouse.dwButtonState & FROM_LEFT_1ST_BUTTON_PRESSED) != 0 &&
           (mouse.dwEventFlags & (MOUSE_MOVED | MOUSE_WHEELED | MOUSE_HWHEELED)) == 0;
}

// The dialog's reading of a key; false for keys it does not use.
bool ReadKey(const KEY_EVENT_RECORD& key, DialogKey* dialogKey, char* character) {
    const bool shift = (key.dwControlKeyState & SHIFT_PRESSED) != 0;
    const bool ctrl = (key.dwControlKeyState & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED)) != 0;
    switch (key.wVirtualKeyCode) {
    case VK_TAB: *dialogKey = shift ? DialogKey::BackTab : DialogKey::Tab; return true;
    case VK_UP: *dialogKey = DialogKey::Up; return true;
    case VK_DOWN: *dialogKey = DialogKey::Down; return true;
    case VK_LEFT: *dialogKey = DialogKey::Left; return true;
    case VK_RIGHT: *dialogKey = DialogKey::Right; return true;
    case VK_SPACE: *dialogKey = DialogKey::Space; return true;
    case VK_RETURN: *dialogKey = DialogKey::Enter; return true;
    case VK_ESCAPE: *dialogKey = DialogKey::Escape; return true;
    default: break;
    }
    // Hot keys: the letter alone or with Alt, by its key so that Alt's missing character does not matter.
    const WORD code = key.wVirtualKeyCode;
    if (ctrl || !((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9'))) return false;
    *dialogKey = DialogKey::Character;
    *character = static_cast<char>(code);
    return true;
}

void Dispatch(OpenDialog& dialog, const DialogAction& action) {
    switch (action.kind) {
    case DialogAction::Changed:
    case DialogAction::Chosen:
        dialog.handler(&dialog, dialog::ItemChanged, action.item, action.state);
        break;
    case DialogAction::Cancel:
        RequestClose(dialog, -1);
        break;
    case DialogAction::None:
        break;
    }
}

int RunDialog(intptr_t moduleNumber, int x1, int y1, int x2, int y2, const char* helpTopic, HostDialogItem* items,
              int itemCount, DialogHandler handler) {
    if (!IsModuleNumber(moduleNumber) || !items || itemCount <= 0) return -1;
    Console& console = TheConsole();
    OpenDialog dialog{DialogModel(items, itemCount, x1, y1, x2, y2, console.Width(), console.Height()),
                      moduleNumber, helpTopic, handler ? handler : DefaultDialogHandler};
    const Rect covered = dialog.model.AreaWithShadow();
    void* under = console.SaveArea(covered.left, covered.top, covered.right, covered.bottom);
    openDialogs.push_back(&dialog);

    while (!dialog.closing) {
        Draw(dialog);
        INPUT_RECORD record;
        if (!console.ReadInput(&record)) {
            RequestClose(dialog, -1);
            break;
        }
        if (record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown) {
            const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
            if (key.wVirtualKeyCode == VK_F1 && helpTopic && *helpTopic) {
                ShowModuleHelp(moduleNumber, helpTopic);
                continue;
            }
            DialogKey dialogKey;
            char character = 0;
            if (ReadKey(key, &dialogKey, &character)) Dispatch(dialog, dialog.model.Key(dialogKey, character));
        } else if (record.EventType == MOUSE_EVENT && IsPress(record.Event.MouseEvent)) {
            const COORD at = record.Event.MouseEvent.dwMousePosition;
            Dispatch(dialog, dialog.model.Click(at.X, at.Y));
        } else if (record.EventType == WINDOW_BUFFER_SIZE_EVENT && console.Remeasure()) {
            dialog.model.Place(console.Width(), console.Height());
        }
    }

    dialog.handler(&dialog, dialog::Closing, dialog.result, 0);
    openDialogs.erase(std::find(openDialogs.begin(), openDialogs.end(), &dialog));
    console.RestoreArea(under);
    return dialog.result;
}

}  // namespace

int HOSTAPI ShowDialog(intptr_t moduleNumber, int x1, int y1, int x2, int y2, const char* helpTopic,
                       HostDialogItem* items, int itemCount) {
    return RunDialog(moduleNumber, x1, y1, x2, y2, helpTopic, items, itemCount, nullptr);
}

int HOSTAPI ShowDialogEx(intptr_t moduleNumber, int x1, int y1, int x2, int y2, const char* helpTopic,
                         HostDialogItem* items, int itemCount, unsigned /*flags*/, unsigned /*reserved*/,
                         DialogHandler handler, intptr_t /*handlerParameter*/) {
    return RunDialog(moduleNumber, x1, y1, x2, y2, helpTopic, items, itemCount, handler);
}

intptr_t HOSTAPI SendDialogMessage(void* handle, int message, int parameter1, intptr_t parameter2) {
    OpenDialog* dialog = Find(handle);
    if (!dialog) return 0;
    switch (message) {
    case dialog::Close:
        RequestClose(*dialog, parameter1);
        return 1;
    case dialog::EnableItem:
        return dialog->model.Enable(parameter1, parameter2 != 0) ? 1 : 0;
    case dialog::Redraw:
        Draw(*dialog);
        return 1;
    default:
        return 0;
    }
}

intptr_t HOSTAPI DefaultDialogHandler(void* handle, int message, int parameter1, intptr_t /*parameter2*/) {
    OpenDialog* dialog = Find(handle);
    if (!dialog) return 0;
    switch (message) {
    case dialog::ItemChanged:
        // A chosen button closes the dialog with its index; a changed check box or radio button stands.
        if (dialog->model.TypeOf(parameter1) == dialog::Button && !dialog->closing) RequestClose(*dialog, parameter1);
        return 1;
    case dialog::Closing:
        return 1;
    default:
        return 0;
    }
}

}  // namespace host
