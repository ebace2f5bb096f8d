// From a console input record to the player command being sent: the panel's reader, the widget that takes
// the event and the input loop's hand-over to the player link, against the fake console, host and player.
#include <benchmark/benchmark.h>

#include "fake_host.h"
#include "fake_os.h"
#include "panel/panel.h"
#include "panel/run_panel.h"
#include "panel_harness.h"
#include "player/commands.h"

using namespace quaver;

namespace {

constexpr uint16_t leftKey = 0x25, altKey = 18, eKey = 0x45;

// Checks that the records read since the last check sent exactly `expected` commands, each of them `command`,
// and forgets what the fake recorded (its records would otherwise grow without bound). A miss marks the
// benchmark as failed: its time would not be the time of one record's command.
bool SentExactly(benchmark::State& state, uintptr_t command, int64_t expected) {
    int64_t commands = 0, right = 0;
    {
        std::lock_guard lock(fake::Mutex());
        for (const auto& sent : fake::world().sent) {
            if (sent.message != os::WmCommand) continue;
            ++commands;
            right += sent.wParam == command;
        }
        fake::world().sent.clear();
        fake::world().sleeps.clear();
    }
    if (commands == expected && right == expected) return true;
    state.SkipWithError("not exactly one command per input record");
    return false;
}

void ForgetDraws() {
    std::lock_guard lock(fake::HostMutex());
    fake::host().putTexts.clear();
}

uint32_t ReadAndAct(fake::PanelHarness& panel) {
    const uint32_t code = ReadPanelInput();
    ActOnInputCode(code, panel.placement);
    return code;
}

// A key held down: every repeat of the console's key becomes the rewind command again.
void KeyRepeatToCommand(benchmark::State& state) {
    fake::PanelHarness panel;
    fake::world().manualClock = true;
    fake::ShowPlayer([](uint32_t, uintptr_t, intptr_t) -> intptr_t { return 0; });
    fake::PushKey(leftKey, true);
    ReadAndAct(panel);
    if (!SentExactly(state, command::Rewind, 1)) return;
    int64_t n = 0;
    bool right = true;
    for (auto _ : state) {
        fake::PushKey(leftKey, true);
        benchmark::DoNotOptimize(ReadAndAct(panel));
        if ((++n & 4095) == 0 && !(right = SentExactly(state, command::Rewind, 4096))) break;
    }
    if (right) SentExactly(state, command::Rewind, n & 4095);
    state.SetItemsProcessed(n);
}
BENCHMARK(KeyRepeatToCommand);

// A global key the reader itself recognises.
void AltEToCommand(benchmark::State& state) {
    fake::PanelHarness panel;
    fake::world().manualClock = true;
    fake::ShowPlayer([](uint32_t, uintptr_t, intptr_t) -> intptr_t { return 0; });
    fake::PushKey(altKey, true);
    ReadAndAct(panel);
    if (!SentExactly(state, command::AltE, 0)) return;
    int64_t n = 0;
    bool right = true;
    for (auto _ : state) {
        fake::PushKey(eKey, true, os::LeftAltPressed);
        benchmark::DoNotOptimize(ReadAndAct(panel));
        if ((++n & 4095) == 0 && !(right = SentExactly(state, command::AltE, 4096))) break;
    }
    if (right) SentExactly(state, command::AltE, n & 4095);
    state.SetItemsProcessed(n);
}
BENCHMARK(AltEToCommand);

// A click on the play button, press and release timed together: the press is drawn pressed (and flushed) and
// sends the command, the release draws the button released after its 55 ms (at once on the manual clock).
// Pausing the timer around the release alone would cost more than the click.
void ClickToCommand(benchmark::State& state) {
    fake::PanelHarness panel;
    fake::world().manualClock = true;
    fake::ShowPlayer([](uint32_t, uintptr_t, intptr_t) -> intptr_t { return 0; });
    const int16_t x = panel.column(1, 2), y = panel.row(1);
    int64_t n = 0;
    bool right = true;
    for (auto _ : state) {
        fake::PushMouse(x, y, os::LeftButtonPressed);
        benchmark::DoNotOptimize(ReadAndAct(panel));
        fake::PushMouse(x, y, 0);
        benchmark::DoNotOptimize(ReadAndAct(panel));
        if ((++n & 1023) == 0) {
            ForgetDraws();
            if (!(right = SentExactly(state, command::Play, 1024))) break;
        }
    }
    if (right) SentExactly(state, command::Play, n & 1023);
    state.SetItemsProcessed(n);
}
BENCHMARK(ClickToCommand);

}  // namespace
