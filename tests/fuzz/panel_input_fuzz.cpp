// Any sequence of console input records (keys with any modifiers, mouse presses, moves and releases on and
// off the widgets, focus changes, other event types, failed reads) read by the open panel and acted on as the
// input loop does. After every record: at most one widget is held by a key, a command is repeated only for a
// repeating widget held down with the mouse, and everything drawn lies on the panel or its shadow.
#include <cstddef>
#include <cstdint>

#include "fake_host.h"
#include "fake_os.h"
#include "fuzz_input.h"
#include "host/settings.h"
#include "panel/panel.h"
#include "panel/run_panel.h"
#include "panel/widgets.h"
#include "panel_area.h"
#include "panel_harness.h"
#include "player/player.h"
#include "scripted_player.h"

using namespace quaver;
using fuzz::Require;

namespace {

constexpr int longestScript = 200;  // records per input

// The keys the panel knows, so that most key records mean something; any other code comes through as well.
constexpr uint16_t knownKeys[] = {0x5A, 0x64, 0x58, 0x65, 0x43, 0x56, 0x42, 0x66, 0x4C, 0x60, 0x25, 0x67, 0x27,
                                  0x69, 0x26, 0x68, 0x28, 0x62, 0x70, 0x20, 0x0D, 0x53, 0x52, 0x73, 16,   17,
                                  18,   27,   0x45, 0x33, 0};

os::InputRecord TakeKey(fuzz::FuzzInput& in) {
    os::InputRecord record{};
    record.eventType = os::KeyEventType;
    const uint8_t form = in.Take<uint8_t>();
    record.key.keyDown = form & 1;
    record.key.repeatCount = 1;
    record.key.virtualKey =
        (form & 2) ? in.Take<uint16_t>() : knownKeys[in.TakeBelow(sizeof knownKeys / sizeof knownKeys[0])];
    // Alt, Ctrl and Shift on either side, and the lock and enhanced bits that must not matter.
    const uint8_t state = in.Take<uint8_t>();
    record.key.controlKeyState = (state & 0x1Fu) | ((state & 0x60u) << 1) | ((state & 0x80u) << 1);
    return record;
}

// Mostly on or next to a widget, otherwise anywhere around the panel or at the coordinates' extremes.
os::InputRecord TakeMouse(fuzz::FuzzInput& in, const PanelPlacement& placement) {
    os::InputRecord record{};
    record.eventType = os::MouseEventType;
    const uint8_t form = in.Take<uint8_t>();
    if (form & 1) {
        const Widget& widget = *openPanel.widgets[in.TakeBelow(widgetCount)];
        record.mouse.x = static_cast<int16_t>(placement.x + widget.x - 1 + static_cast<int>(in.TakeBelow(widget.length + 2)));
        record.mouse.y = static_cast<int16_t>(placement.y + widget.y - 1 + static_cast<int>(in.TakeBelow(3)));
    } else if (form & 2) {
        record.mouse.x = static_cast<int16_t>(placement.x + in.Take<int8_t>() / 2);
        record.mouse.y = static_cast<int16_t>(placement.y + in.Take<int8_t>() / 8);
    } else {
        record.mouse.x = in.Take<int16_t>();
        record.mouse.y = in.Take<int16_t>();
    }
    record.mouse.buttonState = in.Take<uint8_t>();  // left, right, middle and more
    record.mouse.eventFlags = in.Take<uint8_t>() & 7u;  // moved, double click, wheel
    return record;
}

os::InputRecord TakeOther(fuzz::FuzzInput& in) {
    os::InputRecord record{};
    record.eventType = in.Take<uint16_t>();
    record.key.keyDown = true;
    record.key.virtualKey = knownKeys[0];
    return record;
}

void Offer(fuzz::FuzzInput& in, const PanelPlacement& placement) {
    switch (in.Take<uint8_t>() % 8) {
    case 0:
    case 1:
    case 2: fake::PushInput(TakeKey(in)); break;
    case 3:
    case 4:
    case 5: fake::PushInput(TakeMouse(in, placement)); break;
    case 6: fake::PushFocus(in.TakeBool()); break;
    default:
        if (in.TakeBool()) {
            std::lock_guard lock(fake::Mutex());
            fake::world().inputReadFailures = 1;
        }
        fake::PushInput(TakeOther(in));
        break;
    }
}

void RequireWidgetsConsistent() {
    int heldByKey = 0;
    bool heldCommandOwned = playerLink.heldCommand == 0;
    for (const Widget* widget : openPanel.widgets) {
        heldByKey += widget->engaged && !widget->mouseHeld;
        heldCommandOwned |= widget->repeat && widget->engaged && widget->mouseHeld && widget->pressed &&
                            widget->command == playerLink.heldCommand;
    }
    Require(heldByKey <= 1, "at most one widget is held by a key");
    Require(heldCommandOwned, "a command repeats only while its repeating widget is held down with the mouse");
    fuzz::RequireWidgetLengths();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput in(data, size);
    const uint8_t switches = in.Take<uint8_t>();
    fake::PanelLook look;
    look.wideTrackNumber = switches & 1;
    look.uglyButtons = (switches >> 1) & 1;
    look.closeButton = (switches >> 2) & 1;
    look.volumeControl = (switches >> 3) & 1;
    look.repeatShuffle = (switches >> 4) & 1;
    look.timeFormat = (switches >> 5) & 1;
    fake::PanelHarness panel(look);
    {
        std::lock_guard lock(fake::Mutex());
        fake::world().manualClock = true;  // the 55 ms of a release pass at once
    }
    panelInput.modifiers = in.Take<uint8_t>() & 7u;  // whatever the previous opening left
    settings.startPlayer[0] = (switches >> 6) & 1;
    settings.startPlayer[1] = (switches >> 7) & 1;
    fake::PlayerAnswers answers;
    if (in.TakeBool()) fake::ShowScriptedPlayer(&answers);

    panel.placement.shown = 0;
    SetPanelShown(panel.placement, true);
    for (int record = 0; record < longestScript && !in.empty(); ++record) {
        Offer(in, panel.placement);
        const uint32_t code = ReadPanelInput();
        // The loop would end on this code; the script goes on to see what the rest of the input does.
        if (code != panelCode::Close) ActOnInputCode(code, panel.placement);
        fuzz::RequireDrawnOnPanel(fuzz::TakeDrawing(), panel.placement);
        RequireWidgetsConsistent();
    }
    SetPanelShown(panel.placement, false);
    fake::RemovePlayer();
    return 0;
}
