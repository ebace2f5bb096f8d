#include "panel_harness.h"

#include "panel_pictures.h"

#include <cstring>
#include <map>

#include "fake_host.h"
#include "fake_os.h"
#include "host/settings.h"
#include "panel/geometry.h"
#include "panel/refresh.h"
#include "player/player.h"

namespace fake {

PanelHarness::PanelHarness(const PanelLook& look) {
    using namespace quaver;
    Reset();
    ResizeConsole(look.consoleWidth, look.consoleHeight);
    StartModule();
    DrawUglyButtons = look.uglyButtons;
    WideTrackNumber = look.wideTrackNumber;
    DispCloseButton = look.closeButton;
    DispVolumeCtrl = look.volumeControl;
    DispRepeatShfl = look.repeatShuffle;
    TimeFormat = look.timeFormat;
    std::memcpy(palette, testPalette, sizeof palette);

    consoleInput = os::GetStdHandle(os::StdInputHandle);
    consoleOutput = os::GetStdHandle(os::StdOutputHandle);
    consoleWidth = look.consoleWidth;
    consoleHeight = look.consoleHeight;
    const PanelGeometry geometry = ComputePanelGeometry(consoleWidth, consoleHeight, look.wideTrackNumber);
    panelWidth = geometry.panelWidth;
    trackLabelX = geometry.trackLabelX;
    timeLabelCentre = geometry.timeLabelCentre;
    infoLineX = geometry.infoLineX;
    titleFieldLength = geometry.titleFieldLength;

    modifierState = 0;
    leftButtonHeld = false;
    commandKey = 0;
    startRefusedKey = 0;
    pendingInputCode = panelCode::Nothing;
    ResetRefreshPicture();
    activeWidget = nullptr;
    heldCommand = 0;
    volumeChangeTick = 0;
    displayActiveEvent = os::CreateEvent(true, false);
    os::InitializeCriticalSection(drawingLock);

    widgets.EnterInTable();
    panelPlacement = &placement;
    BuildWidgets();
    widgets.volumeUp.visible = look.volumeControl;
    widgets.volumeDown.visible = look.volumeControl;
    widgets.shuffle.visible = look.repeatShuffle;
    widgets.repeatIndicator.visible = look.repeatShuffle;
    widgets.closeGlyph.visible = look.closeButton;
    placement.x = geometry.x;
    placement.y = geometry.y;
    placement.shown = 1;  // on the screen as far as input goes; a test draws it when it needs the picture
}

PanelHarness::~PanelHarness() {
    using namespace quaver;
    if (placement.savedArea) host().services.RestoreScreenArea(placement.savedArea);
    for (Widget*& widget : widgetTable) widget = nullptr;
    activeWidget = nullptr;
    panelPlacement = nullptr;
    heldCommand = 0;
    os::DeleteCriticalSection(drawingLock);
    os::CloseHandle(displayActiveEvent);
    displayActiveEvent = nullptr;
}

bool PanelHarness::displayActive() const {
    return os::WaitForSingleObject(quaver::displayActiveEvent, 0) == os::WaitObject0;
}

Cell PaintedCell(int32_t x, int32_t y) {
    return Cell{static_cast<char>('a' + (x + 3 * y) % 26), static_cast<uint16_t>(0x18 + (x + y) % 0xE0)};
}

void PaintHostScreen() {
    std::lock_guard hostLock(HostMutex());
    std::lock_guard worldLock(Mutex());
    World& console = world();
    for (int32_t y = 0; y < console.height; ++y)
        for (int32_t x = 0; x < console.width; ++x)
            console.screen[static_cast<size_t>(y * console.width + x)] = PaintedCell(x, y);
    host().back = console.screen;
}

std::string AttributesOfRow(int32_t y, int32_t x, int32_t count) {
    std::string attributes;
    for (int32_t column = x; column < x + count; ++column)
        attributes += static_cast<char>(CellAt(column, y).attribute);
    return attributes;
}

std::string Oem(const std::string& utf8) { return pictures::Oem(utf8); }

}  // namespace fake
