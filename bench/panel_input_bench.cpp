// From a console input record to the player command being sent: the panel's reader, the widget that takes
// the event and the input loop's hand-over to the player link, against the fake console, host and player.
#include <benchmark/benchmark.h>

#include "fake_host.h"
#include "fake_os.h"
#include "panel/panel.h"
#include "panel/run_panel.h"
#include "panel_harness.h"

using namespace quaver;

namespace {

constexpr uint16_t leftKey = 0x25, altKey = 18, eKey = 0x45;

// The fake records every message and sleep; keep those records from growing without bound.
void ForgetRecords() {
    std::lock_guard lock(fake::Mutex());
    fake::world().sent.clear();
    fake::world().sleeps.clear();
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
    int64_t n = 0;
    for (auto _ : state) {
        fake::PushKey(leftKey, true);
        benchmark::DoNotOptimize(ReadAndAct(panel));
        if ((++n & 4095) == 0) ForgetRecords();
    }
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
    int64_t n = 0;
    for (auto _ : state) {
        fake::PushKey(eKey, true, os::LeftAltPressed);
        benchmark::DoNotOptimize(ReadAndAct(panel));
        if ((++n & 4095) == 0) ForgetRecords();
    }
    state.SetItemsProcessed(n);
}
BENCHMARK(AltEToCommand);

// A click on the play button: the press is drawn pressed (and flushed) and sends the command; the release
// that follows is not timed.
void ClickToCommand(benchmark::State& state) {
    fake::PanelHarness panel;
    fake::world().manualClock = true;
    fake::ShowPlayer([](uint32_t, uintptr_t, intptr_t) -> intptr_t { return 0; });
    const int16_t x = panel.column(1, 2), y = panel.row(1);
    int64_t n = 0;
    for (auto _ : state) {
        fake::PushMouse(x, y, os::LeftButtonPressed);
        benchmark::DoNotOptimize(ReadAndAct(panel));
        state.PauseTiming();
        fake::PushMouse(x, y, 0);
        ReadAndAct(panel);
        if ((++n & 1023) == 0) {
            ForgetRecords();
            ForgetDraws();
        }
        state.ResumeTiming();
    }
    state.SetItemsProcessed(n);
}
BENCHMARK(ClickToCommand);

}  // namespace
