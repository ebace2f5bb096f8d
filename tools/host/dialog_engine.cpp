// The host's dialogs in the console: the dialog model (pure/dialog_model.h) drawn into the back buffer, fed
// with the console's keys and clicks, and talking to the module's handler or dialog procedure.
#include "dialog_engine.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "console.h"
#include "pure/dialog_model.h"
#include "pure/text.h"
#include "services.h"

namespace host {

namespace {

struct OpenDialog {
    enum class Kind { Classic, Wide };
    OpenDialog(Kind kind, DialogModel model, std::string helpTopic)
        : kind(kind), model(std::move(model)), helpTopic(std::move(helpTopic)) {}

    Kind kind;
    DialogModel model;
    std::string helpTopic;  // UTF-8; empty: F1 shows nothing
    // classic: the module's array, which carries the states as they change, and the help by module number
    intptr_t moduleNumber = 0;
    DialogHandler handler = nullptr;
    HostDialogItem* classicItems = nullptr;
    int classicCount = 0;
    // wide: where the help lies, the procedure, and the item texts handed out as pointers
    HelpSource help;
    wide::DialogProc proc = nullptr;
    void* parameter = nullptr;
    std::vector<std::wstring> texts;
    bool running = false;
    bool closing = false;
    int result = -1;
};

// Dialogs known to the host: a classic one while it is shown, a wide one from DialogInit to DialogFree.
std::vector<OpenDialog*> openDialogs;

OpenDialog* Find(void* handle, OpenDialog::Kind kind) {
    const auto found = std::find(openDialogs.begin(), openDialogs.end(), static_cast<OpenDialog*>(handle));
    return found == openDialogs.end() || (*found)->kind != kind ? nullptr : *found;
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

intptr_t CallProc(OpenDialog& dialog, intptr_t message, intptr_t parameter1, void* parameter2) {
    return dialog.proc ? dialog.proc(&dialog, message, parameter1, parameter2)
                       : DefaultWideDialogProc(&dialog, message, parameter1, parameter2);
}

std::vector<int> States(const DialogModel& model) {
    std::vector<int> states;
    for (const DialogItem& item : model.Items()) states.push_back(item.selected);
    return states;
}

void Dispatch(OpenDialog& dialog, const DialogAction& action, const std::vector<int>& before) {
    if (action.kind == DialogAction::Cancel) {
        RequestClose(dialog, -1);
        return;
    }
    if (action.kind == DialogAction::None) return;
    if (dialog.kind == OpenDialog::Kind::Classic) {
        WriteBackToClassic(dialog.model.Items(), dialog.classicItems, dialog.classicCount);
        dialog.handler(&dialog, dialog::ItemChanged, action.item, action.state);
        return;
    }
    const bool accepted = CallProc(dialog, wide::dialogMessage::ButtonClicked, action.item,
                                   reinterpret_cast<void*>(static_cast<intptr_t>(action.state))) != 0;
    if (action.kind == DialogAction::Chosen) {
        if (accepted && !dialog.closing) RequestClose(dialog, action.item);
    } else if (!accepted) {
        // Refused: every state goes back to what it was before the key or click.
        for (int i = 0; i < dialog.model.Count(); ++i) dialog.model.SetState(i, before[static_cast<size_t>(i)]);
    }
}

// Whether the dialog may close now with its result: the classic handler hears it, the wide procedure decides.
bool MayClose(OpenDialog& dialog) {
    if (dialog.kind == OpenDialog::Kind::Classic) {
        dialog.handler(&dialog, dialog::Closing, dialog.result, 0);
        return true;
    }
    return CallProc(dialog, wide::dialogMessage::Closing, dialog.result, nullptr) != 0;
}

void ShowItsHelp(const OpenDialog& dialog) {
    if (dialog.kind == OpenDialog::Kind::Classic)
        ShowModuleHelp(dialog.moduleNumber, OemFromUtf8(dialog.helpTopic).c_str());
    else
        ShowHelp(dialog.help, dialog.helpTopic);
}

int Run(OpenDialog& dialog) {
    Console& console = TheConsole();
    dialog.model.Place(console.Width(), console.Height());
    const Rect covered = dialog.model.AreaWithShadow();
    void* under = console.SaveArea(covered.left, covered.top, covered.right, covered.bottom);
    dialog.running = true;
    dialog.closing = false;
    dialog.result = -1;
    if (dialog.kind == OpenDialog::Kind::Wide)
        CallProc(dialog, wide::dialogMessage::Initialised, dialog.model.Focus(), dialog.parameter);

    while (true) {
        if (dialog.closing) {
            if (MayClose(dialog)) break;
            dialog.closing = false;
        }
        Draw(dialog);
        INPUT_RECORD record;
        if (!console.ReadInput(&record)) {
            // No console to read: the dialog ends as cancelled, whatever the module would say.
            RequestClose(dialog, -1);
            MayClose(dialog);
            break;
        }
        const std::vector<int> before = States(dialog.model);
        if (record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown) {
            const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
            if (key.wVirtualKeyCode == VK_F1 && !dialog.helpTopic.empty()) {
                ShowItsHelp(dialog);
                continue;
            }
            DialogKey dialogKey;
            char character = 0;
            if (ReadKey(key, &dialogKey, &character)) Dispatch(dialog, dialog.model.Key(dialogKey, character), before);
        } else if (record.EventType == MOUSE_EVENT && IsPress(record.Event.MouseEvent)) {
            const COORD at = record.Event.MouseEvent.dwMousePosition;
            Dispatch(dialog, dialog.model.Click(at.X, at.Y), before);
        } else if (record.EventType == WINDOW_BUFFER_SIZE_EVENT && console.Remeasure()) {
            dialog.model.Place(console.Width(), console.Height());
        }
    }
    if (dialog.kind == OpenDialog::Kind::Classic)
        WriteBackToClassic(dialog.model.Items(), dialog.classicItems, dialog.classicCount);
    dialog.running = false;
    console.RestoreArea(under);
    return dialog.result;
}

int RunClassicDialog(intptr_t moduleNumber, int x1, int y1, int x2, int y2, const char* helpTopic,
                     HostDialogItem* items, int itemCount, DialogHandler handler) {
    if (!IsModuleNumber(moduleNumber) || !items || itemCount <= 0) return -1;
    Console& console = TheConsole();
    OpenDialog dialog(OpenDialog::Kind::Classic,
                      DialogModel(ItemsFromClassic(items, itemCount), x1, y1, x2, y2, console.Width(), console.Height()),
                      helpTopic ? Utf8FromOem(helpTopic) : std::string());
    dialog.moduleNumber = moduleNumber;
    dialog.handler = handler ? handler : DefaultDialogHandler;
    dialog.classicItems = items;
    dialog.classicCount = itemCount;
    openDialogs.push_back(&dialog);
    const int result = Run(dialog);
    openDialogs.erase(std::find(openDialogs.begin(), openDialogs.end(), &dialog));
    return result;
}

// A module's text request: the record's size is the module's, and must cover this host's.
const wide::TextRequest* Request(void* parameter) {
    const auto* request = static_cast<const wide::TextRequest*>(parameter);
    return request && request->size >= sizeof(wide::TextRequest) ? request : nullptr;
}

}  // namespace

int HOSTAPI ShowDialog(intptr_t moduleNumber, int x1, int y1, int x2, int y2, const char* helpTopic,
                       HostDialogItem* items, int itemCount) {
    return RunClassicDialog(moduleNumber, x1, y1, x2, y2, helpTopic, items, itemCount, nullptr);
}

int HOSTAPI ShowDialogEx(intptr_t moduleNumber, int x1, int y1, int x2, int y2, const char* helpTopic,
                         HostDialogItem* items, int itemCount, unsigned /*flags*/, unsigned /*reserved*/,
                         DialogHandler handler, intptr_t /*handlerParameter*/) {
    return RunClassicDialog(moduleNumber, x1, y1, x2, y2, helpTopic, items, itemCount, handler);
}

intptr_t HOSTAPI SendDialogMessage(void* handle, int message, int parameter1, intptr_t parameter2) {
    OpenDialog* dialog = Find(handle, OpenDialog::Kind::Classic);
    if (!dialog) return 0;
    switch (message) {
    case dialog::Close:
        RequestClose(*dialog, parameter1);
        return 1;
    case dialog::EnableItem: {
        const intptr_t was = dialog->model.Enable(parameter1, parameter2 != 0) ? 1 : 0;
        WriteBackToClassic(dialog->model.Items(), dialog->classicItems, dialog->classicCount);
        return was;
    }
    case dialog::Redraw:
        Draw(*dialog);
        return 1;
    default:
        return 0;
    }
}

intptr_t HOSTAPI DefaultDialogHandler(void* handle, int message, int parameter1, intptr_t /*parameter2*/) {
    OpenDialog* dialog = Find(handle, OpenDialog::Kind::Classic);
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

wide::Handle InitWideDialog(long long x1, long long y1, long long x2, long long y2, const wchar_t* helpTopic,
                            const HelpSource& help, const wide::DialogLine* items, size_t count, wide::DialogProc proc,
                            void* parameter) {
    if (!items || count == 0 || MessagesGoToStandardError()) return wide::failedDialog;
    Console& console = TheConsole();
    auto* dialog = new OpenDialog(OpenDialog::Kind::Wide,
                                  DialogModel(ItemsFromWide(items, count), x1, y1, x2, y2, console.Width(),
                                              console.Height()),
                                  helpTopic ? Utf8FromWide(helpTopic) : std::string());
    dialog->help = help;
    dialog->proc = proc;
    dialog->parameter = parameter;
    dialog->texts.resize(count);
    openDialogs.push_back(dialog);
    return dialog;
}

intptr_t HOSTAPI RunWideDialog(wide::Handle handle) {
    OpenDialog* dialog = Find(handle, OpenDialog::Kind::Wide);
    if (!dialog || dialog->running) return -1;
    return Run(*dialog);
}

void HOSTAPI FreeWideDialog(wide::Handle handle) {
    OpenDialog* dialog = Find(handle, OpenDialog::Kind::Wide);
    if (!dialog || dialog->running) return;
    openDialogs.erase(std::find(openDialogs.begin(), openDialogs.end(), dialog));
    delete dialog;
}

intptr_t HOSTAPI SendWideDialogMessage(wide::Handle handle, intptr_t message, intptr_t parameter1, void* parameter2) {
    namespace msg = wide::dialogMessage;
    OpenDialog* dialog = Find(handle, OpenDialog::Kind::Wide);
    if (!dialog) return 0;
    DialogModel& model = dialog->model;
    const bool anItem = parameter1 >= 0 && parameter1 < model.Count();
    const int item = anItem ? static_cast<int>(parameter1) : -1;
    const auto number = reinterpret_cast<intptr_t>(parameter2);
    switch (message) {
    case msg::Close:
        if (!dialog->running) return 0;
        RequestClose(*dialog, static_cast<int>(parameter1));
        return 1;
    case msg::Enable:
        if (!anItem) return 0;
        if (number < 0) return model.Enabled(item) ? 1 : 0;
        return model.Enable(item, number != 0) ? 1 : 0;
    case msg::Redraw:
        if (dialog->running) Draw(*dialog);
        return 1;
    case msg::SetFocus:
        if (!anItem || !model.Focusable(item)) return 0;
        model.SetFocus(item);
        return 1;
    case msg::GetFocus:
        return model.Focus();
    case msg::GetCheck:
        return anItem ? model.Item(item).selected : 0;
    case msg::SetCheck:
        return anItem ? model.SetState(item, number != 0) : 0;
    case msg::GetText: {
        if (!anItem) return 0;
        const std::wstring text = WideFromUtf8(model.Item(item).text);
        const wide::TextRequest* request = Request(parameter2);
        if (request && request->text) {
            const size_t copied = std::min(text.size(), request->length);
            std::copy_n(text.data(), copied, request->text);
            request->text[copied] = L'\0';
        }
        return static_cast<intptr_t>(text.size());
    }
    case msg::SetText:
    case msg::SetTextPointer: {
        if (!anItem) return 0;
        std::wstring text;
        if (message == msg::SetTextPointer) {
            if (parameter2) text = static_cast<const wchar_t*>(parameter2);
        } else {
            const wide::TextRequest* request = Request(parameter2);
            if (!request || !request->text) return 0;
            text.assign(request->text, wcsnlen(request->text, request->length ? request->length : SIZE_MAX));
        }
        model.SetText(item, Utf8FromWide(text));
        return static_cast<intptr_t>(text.size());
    }
    case msg::ItemText:
        if (!anItem) return 0;
        dialog->texts[static_cast<size_t>(item)] = WideFromUtf8(model.Item(item).text);
        return reinterpret_cast<intptr_t>(dialog->texts[static_cast<size_t>(item)].c_str());
    default:
        return 0;
    }
}

intptr_t HOSTAPI DefaultWideDialogProc(wide::Handle handle, intptr_t message, intptr_t, void*) {
    if (!Find(handle, OpenDialog::Kind::Wide)) return 0;
    // A click is taken and a closing allowed unless the module's procedure says otherwise.
    return message == wide::dialogMessage::ButtonClicked || message == wide::dialogMessage::Closing ? 1 : 0;
}

}  // namespace host
