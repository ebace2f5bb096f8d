// Language texts of any length and bytes, longer than a dialog item holds and with NUL inside, for every
// message the module shows: the error boxes, the player's start notice, the fallback start command, and every
// item of the About box and the configuration dialog, expanded with and without widening. Item texts are
// always terminated inside their 512 bytes and are the language text, cut; the frame never gets narrower.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "dialogs/about_box.h"
#include "dialogs/config_dialog.h"
#include "dialogs/dialog_items.h"
#include "fake_host.h"
#include "fake_os.h"
#include "fuzz_input.h"
#include "host/host.h"
#include "host/settings.h"
#include "player/player.h"

using namespace quaver;
using fuzz::Require;

namespace {

constexpr size_t longestText = 4096;

// A text as the fuzzer gives it, or a pattern from it repeated to any length up to a few KB.
std::string TakeLanguageText(fuzz::FuzzInput& in) {
    const uint8_t form = in.Take<uint8_t>();
    if (form % 2 == 0) return in.TakeText(700);
    const size_t length = in.TakeBelow(longestText + 1);
    std::string pattern = in.TakeText(16);
    if (pattern.empty()) pattern = "&x";
    std::string text;
    while (text.size() < length) text += pattern;
    text.resize(length);
    return text;
}

// What the module sees of a text: up to its first NUL.
std::string Seen(const std::string& text) { return std::string(text.c_str()); }

std::string TextOf(const DialogText& text) {
    return text.literal ? text.literal : Seen(fake::host().messages.at(text.message));
}

// Cells a dialog text takes on screen, worked out here from the host's rule rather than with the module's
// own count: one '&' (the hot-key marker) takes none, however many there are.
int32_t CellsOnScreen(const std::string& text) {
    return static_cast<int32_t>(text.size()) - (text.find('&') != std::string::npos ? 1 : 0);
}

void ExpandTable(const DialogInitItem* table, int count, bool widen) {
    HostDialogItem items[configItemCount];
    std::memset(items, 0xA5, sizeof items);  // no terminator by chance
    ExpandDialogItems(table, items, count, widen);
    int32_t widest = 0;
    for (int i = 0; i < count; ++i) {
        const char* end = static_cast<const char*>(std::memchr(items[i].data, '\0', sizeof items[i].data));
        Require(end != nullptr, "an item's text is terminated inside its 512 bytes");
        const std::string expected = TextOf(table[i].text).substr(0, sizeof items[i].data - 1);
        Require(std::string(items[i].data) == expected, "an item's text is its language text, cut to fit");
        if (i > 0) widest = std::max(widest, CellsOnScreen(items[i].data));
    }
    Require(items[0].x2 >= table[0].x2, "the frame never gets narrower");
    const int32_t fitted = std::max<int32_t>(table[0].x2, table[0].x1 + 7 + widest);
    Require(items[0].x2 == (widen ? fitted : table[0].x2), "the frame is widened to the widest text exactly when asked");
}

void ErrorBoxes() {
    for (int code : {message::CreateEventFailed, message::CreateThreadFailed, message::ConsoleModeFailed,
                     message::HostTooOld}) {
        ShowErrorBox(code);
        const fake::MessageBoxCall& box = fake::host().messageBoxes.back();
        Require(box.lines.size() == 3 && box.lines[1] == Seen(fake::host().messages.at(code)) &&
                    box.lines[2] == Seen(fake::host().messages.at(message::ErrorButton)),
                "the error box shows the error's text and the button's");
    }
}

// No registered open command: the start notice is shown and the fallback text is the command line.
void StartWithoutRegisteredCommand() {
    settings.startPlayer[0] = 1;
    FindOrStartPlayer(true);
    const fake::MessageBoxCall& notice = fake::host().messageBoxes.back();
    Require(notice.lines.size() == 2 && notice.lines[1] == Seen(fake::host().messages.at(message::PlayerStarting)),
            "the start notice shows its text");
    Require(fake::world().processesStarted.size() == 1, "one start from the fallback command");
    const std::string& started = fake::world().processesStarted.back();
    Require(started.size() < startCommandCapacity, "the command line is terminated inside its buffer");
    Require(started == Seen(fake::host().messages.at(message::PlayerCommandLine)).substr(0, startCommandCapacity - 1),
            "the command line is the fallback text, cut");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fake::Reset();
    fake::StartModule();
    {
        std::lock_guard lock(fake::Mutex());
        fake::world().manualClock = true;  // the waits for a started player pass at once
    }
    fuzz::FuzzInput in(data, size);
    for (int number = 0; number < message::Count; ++number) fake::host().messages[number] = TakeLanguageText(in);

    ErrorBoxes();
    StartWithoutRegisteredCommand();
    for (bool widen : {false, true}) {
        ExpandTable(aboutItems, aboutItemCount, widen);
        ExpandTable(configItems, configItemCount, widen);
    }
    // The configuration dialog as the host is handed it.
    Configure(0);
    const fake::DialogCall& dialog = fake::host().dialogs.back();
    for (const HostDialogItem& item : dialog.items)
        Require(std::memchr(item.data, '\0', sizeof item.data) != nullptr, "a handed-over item is terminated");
    Require(dialog.x2 == dialog.items[0].x2 + 4, "the dialog is as wide as its widened frame");
    return 0;
}
