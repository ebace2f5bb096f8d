// One refresh pass of the live display against a player that answers at once: its cost, the console cells
// it writes, and the heap allocations it makes. The host's PutText is replaced by a counter that allocates
// nothing, and the fake OS's message record has its room reserved, so that every allocation counted during
// a pass would be the module's own.
#include <benchmark/benchmark.h>

#include <cstring>

#include "allocation_count.h"
#include "fake_host.h"
#include "fake_os.h"
#include "host/host.h"
#include "host/settings.h"
#include "panel/big_digits.h"
#include "panel/panel.h"
#include "panel/refresh.h"
#include "panel/stream_text.h"
#include "panel/title_layout.h"
#include "panel/title_line.h"
#include "panel/version_title.h"
#include "panel_harness.h"
#include "scripted_player.h"

using namespace quaver;

namespace {

struct Drawn {
    int64_t puts = 0;
    int64_t cells = 0;
    int64_t flushes = 0;
} drawn;

void HOSTAPI CountCells(int, int, int, const char* text) {
    if (!text) {
        ++drawn.flushes;
        return;
    }
    ++drawn.puts;
    drawn.cells += static_cast<int64_t>(std::strlen(text));
}

struct Asked {
    int64_t queries = 0;  // WM_USER
    int64_t titles = 0;   // WM_GETTEXT
};

// Counts the player queries sent so far, then forgets them.
void ForgetSent(Asked* asked = nullptr) {
    std::lock_guard lock(fake::Mutex());
    if (asked)
        for (const auto& sent : fake::world().sent) {
            asked->queries += sent.message == os::WmUser;
            asked->titles += sent.message == os::WmGetText;
        }
    fake::world().sent.clear();  // keeps its room
}

// The open panel, the display active, a player (or none) and the counting host.
class LiveDisplay {
public:
    LiveDisplay(bool withPlayer, int32_t mode) {
        settings.showVersion[0] = 1;
        settings.showVersion[1] = 0;
        liveDisplay.playerVersion = 0;
        liveDisplay.scrollMode = mode;
        ResetTitleScrolling();
        stop_ = os::CreateEvent(true, false);
        os::SetEvent(openPanel.displayActiveEvent);
        answers.windowTitle = "12. A title long enough to run through the whole field - Winamp";
        if (withPlayer) fake::ShowScriptedPlayer(&answers);
        {
            std::lock_guard lock(fake::Mutex());
            fake::world().sent.reserve(4096);
        }
        hostLink.services.PutText = CountCells;
        RunRefreshPass(stop_);  // the version is asked once
        ForgetSent();
        drawn = {};
    }
    ~LiveDisplay() { os::CloseHandle(stop_); }

    void Pass() { RunRefreshPass(stop_); }

    fake::PanelHarness panel;
    fake::PlayerAnswers answers;

private:
    os::Handle stop_ = nullptr;
};

void Report(benchmark::State& state, int64_t passes, uint64_t allocations, const Asked& asked) {
    const double n = passes ? static_cast<double>(passes) : 1.0;
    state.counters["cells/pass"] = static_cast<double>(drawn.cells) / n;
    state.counters["puts/pass"] = static_cast<double>(drawn.puts) / n;
    state.counters["flushes/pass"] = static_cast<double>(drawn.flushes) / n;
    state.counters["queries/pass"] = static_cast<double>(asked.queries) / n;
    state.counters["titles/pass"] = static_cast<double>(asked.titles) / n;
    state.counters["allocs/pass"] = static_cast<double>(allocations) / n;
    state.SetItemsProcessed(passes);
}

// A pass with the player playing; the argument is the scroll mode of the title line.
void RefreshPassWithPlayer(benchmark::State& state) {
    LiveDisplay display(true, static_cast<int32_t>(state.range(0)));
    Asked asked;
    uint64_t allocations = 0;
    int64_t passes = 0;
    for (auto _ : state) {
        const uint64_t before = bench::AllocationsSoFar();
        display.Pass();
        allocations += bench::AllocationsSoFar() - before;
        if ((++passes & 255) == 0) ForgetSent(&asked);  // 256 passes of messages fit the reserved room
    }
    ForgetSent(&asked);
    Report(state, passes, allocations, asked);
}
BENCHMARK(RefreshPassWithPlayer)->Arg(0)->Arg(1)->Arg(2);

// The idle display: no player window.
void RefreshPassWithoutPlayer(benchmark::State& state) {
    LiveDisplay display(false, 0);
    uint64_t allocations = 0;
    int64_t passes = 0;
    for (auto _ : state) {
        const uint64_t before = bench::AllocationsSoFar();
        display.Pass();
        allocations += bench::AllocationsSoFar() - before;
        ++passes;
    }
    Report(state, passes, allocations, Asked{});
}
BENCHMARK(RefreshPassWithoutPlayer);

// The pass's own computing without the OS and the host's drawing: digits, stream text, version title and
// title layout, as one pass makes them.
void PassContentOnly(benchmark::State& state) {
    fake::Reset();
    fake::StartModule();  // the host's formatter and comparison
    const char title[] = "12. A title long enough to run through the whole field - Winamp";
    ScrollState scroll{0, 13, 0, 0};
    uint64_t allocations = 0;
    int64_t passes = 0;
    for (auto _ : state) {
        const uint64_t before = bench::AllocationsSoFar();
        DigitRows rows;
        BlankDigitRows(rows);
        WriteTrackNumber(rows, 7);
        WriteClock(rows, static_cast<uint32_t>(passes % 6000), false);
        TerminateDigitRows(rows);
        char info[infoRowCells + 1];
        BlankInfoRow(info);
        char text[streamTextCapacity];
        PlaceStreamText(info, text, BuildStreamText(text, 44, 128, 2));
        char version[versionTitleCapacity];
        FormatVersionTitle(version, SplitPlayerVersion(0x5091, false));
        ShownTitle shown{};
        char field[titleLineCells];
        if (FindShownTitle(title, sizeof title - 1, shown))
            LayOutTitle(title + shown.start, shown.length, 30, scrollModeValue::RunningText, scroll, field);
        benchmark::DoNotOptimize(rows);
        benchmark::DoNotOptimize(info);
        benchmark::DoNotOptimize(field);
        allocations += bench::AllocationsSoFar() - before;
        ++passes;
    }
    state.counters["allocs/pass"] = static_cast<double>(allocations) / static_cast<double>(passes ? passes : 1);
    state.SetItemsProcessed(passes);
}
BENCHMARK(PassContentOnly);

}  // namespace
