// Any console buffer size, 0, negative and the 16-bit extremes included, and size reads that fail: the panel
// is placed on the console (or at column or row 0 where it does not fit), and its shadow reads only cells of
// the console, both where the geometry and DrawPanel are given the size directly and through a whole opening.
#include <cstddef>
#include <cstdint>
#include <limits>

#include "fake_host.h"
#include "fake_os.h"
#include "fuzz_input.h"
#include "host/settings.h"
#include "panel/frame.h"
#include "panel/geometry.h"
#include "panel/open_panel.h"
#include "panel/panel.h"
#include "panel/widgets.h"

using namespace quaver;
using fuzz::Require;

namespace {

constexpr int16_t extremeSizes[] = {0, 1, -1, 2, std::numeric_limits<int16_t>::min(),
                                    std::numeric_limits<int16_t>::min() + 1, std::numeric_limits<int16_t>::max(),
                                    std::numeric_limits<int16_t>::max() - 1};

// Sizes near the panel's own are where rounding and the shadow's narrowing happen.
int16_t TakeSize(fuzz::FuzzInput& in, int16_t panelSize) {
    switch (in.Take<uint8_t>() % 4) {
    case 0: return in.Take<int16_t>();
    case 1: return static_cast<int16_t>(panelSize - 4 + static_cast<int>(in.TakeBelow(12)));
    case 2: return extremeSizes[in.TakeBelow(sizeof extremeSizes / sizeof extremeSizes[0])];
    default: return static_cast<int16_t>(in.TakeBelow(300));
    }
}

// Where the panel goes on a console of that size: on it, or at the edge where it does not fit.
void RequirePlacedOnConsole(int64_t x, int64_t y, uint32_t width, int64_t consoleColumns, int64_t consoleRows) {
    Require(x == 0 || (x > 0 && x + width <= consoleColumns), "the panel's columns are on the console, or at 0");
    Require(y == 0 || (y > 0 && y + panelHeight + 1 <= consoleRows), "the panel and its shadow row are on the console, or at 0");
}

// Records every console cell the shadow reads; it must be on the console and in the shadow's place.
struct ShadowReads {
    int32_t columns, rows;
    PanelPlacement placement;
    bool outsideConsole = false;
    bool outsideShadow = false;

    void Read(int32_t x, int32_t y) {
        outsideConsole |= x < 0 || y < 0 || x >= columns || y >= rows;
        const int64_t left = placement.x, top = placement.y, width = openPanel.panelWidth;
        const bool right = x >= left + width && x < left + width + 2 && y > top && y < top + panelHeight;
        const bool below = y == top + panelHeight && x >= left + 2 && x < left + width + 2;
        outsideShadow |= !right && !below;
    }
};

void WatchReads(ShadowReads* reads) {
    std::lock_guard lock(fake::Mutex());
    fake::world().onCellRead = reads ? std::function<void(int32_t, int32_t)>([reads](int32_t x, int32_t y) {
        reads->Read(x, y);
    }) : nullptr;
}

// The geometry and the frame given the size as it is, whatever its sign, on a small console of the fake.
void DrawOnConsoleOfSize(int16_t columns, int16_t rows, bool wide, bool closeButton, int32_t emptyRun) {
    fake::Reset();
    fake::StartModule();
    const PanelGeometry geometry = ComputePanelGeometry(columns, rows, wide);
    RequirePlacedOnConsole(geometry.x, geometry.y, geometry.panelWidth, columns, rows);

    openPanel.consoleOutput = os::GetStdHandle(os::StdOutputHandle);
    openPanel.consoleWidth = columns;
    openPanel.consoleHeight = rows;
    openPanel.panelWidth = geometry.panelWidth;
    openPanel.trackLabelX = geometry.trackLabelX;
    settings.showCloseButton = closeButton;
    ShadowReads reads{columns, rows, PanelPlacement{geometry.x, geometry.y, nullptr, 1}};
    WatchReads(&reads);
    DrawPanel(reads.placement);
    DrawShadowRun(geometry.x, geometry.y, emptyRun);  // a run of no cells reads nothing
    WatchReads(nullptr);
    Require(!reads.outsideConsole, "the shadow reads only cells of the console");
    Require(!reads.outsideShadow, "the shadow reads only its own cells");
}

// A whole opening on a fake console of that size, whose size read may fail: where the panel is saved and
// drawn, and what its shadow reads. Only sizes the fake can hold as a screen.
void OpenOnConsoleOfSize(int16_t columns, int16_t rows, bool sizeReadFails, bool wide, bool closeButton) {
    fake::Reset();
    fake::ResizeConsole(columns, rows);
    {
        std::lock_guard lock(fake::Mutex());
        fake::world().bufferSizeFails = sizeReadFails;
        fake::world().inputWaitFails = true;  // the panel closes as soon as it is shown
        fake::world().manualClock = true;     // the worker threads never really sleep
    }
    fake::SetDword(fake::testSettingsKey, "AutostartWinamp", 0);
    fake::SetDword(fake::testSettingsKey, "WideTrackNumber", wide);
    fake::SetDword(fake::testSettingsKey, "DispCloseButton", closeButton);
    fake::StartModule();
    ShadowReads reads{columns, rows, {}};
    // The panel's place is known only once it is saved; the shadow is read after that.
    {
        std::lock_guard lock(fake::HostMutex());
        fake::host().onSaveScreenArea = [&reads](int x1, int y1, int, int) {
            if (reads.placement.shown) return;
            reads.placement = PanelPlacement{x1, y1, nullptr, 1};
        };
    }
    WatchReads(&reads);
    OpenPanel();
    WatchReads(nullptr);

    Require(reads.placement.shown, "the panel was shown");
    RequirePlacedOnConsole(reads.placement.x, reads.placement.y, openPanel.panelWidth, columns, rows);
    Require(!reads.outsideConsole, "the shadow reads only cells of the console");
    Require(!reads.outsideShadow, "the shadow reads only its own cells");
    Require(fake::world().liveThreads == 0 && fake::world().threadsClosedWhileRunning == 0 &&
                fake::host().savedAreasLive == 0,
            "the opening cleaned up");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput in(data, size);
    const uint8_t flags = in.Take<uint8_t>();
    const bool sizeReadFails = flags & 1, wide = flags & 2, closeButton = flags & 4;
    const int16_t columns = TakeSize(in, static_cast<int16_t>(wide ? widePanelWidth : narrowPanelWidth));
    const int16_t rows = TakeSize(in, centringHeight);
    DrawOnConsoleOfSize(columns, rows, wide, closeButton, -static_cast<int32_t>(in.Take<uint16_t>()));
    constexpr int64_t largestScreen = 1 << 20;  // cells the fake allocates for its screen
    if (int64_t{columns} * rows <= largestScreen) OpenOnConsoleOfSize(columns, rows, sizeReadFails, wide, closeButton);
    return 0;
}
