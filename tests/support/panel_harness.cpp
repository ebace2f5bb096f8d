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
    settings.asciiButtons = look.uglyButtons;
    settings.wideTrackNumber = look.wideTrackNumber;
    settings.showCloseButton = look.closeButton;
    settings.showVolumeControl = look.volumeControl;
    settings.showRepeatShuffle = look.repeatShuffle;
    settings.timeFormat = look.timeFormat;
    std::memcpy(settings.palette, testPalette, sizeof settings.palette);

    openPanel.consoleInput = os::GetStdHandle(os::StdInputHandle);
    openPanel.consoleOutput = os::GetStdHandle(os::StdOutputHandle);
    openPanel.consoleWidth = look.consoleWidth;
    openPanel.consoleHeight = look.consoleHeight;
    const PanelGeometry geometry =
        ComputePanelGeometry(openPanel.consoleWidth, openPanel.consoleHeight, look.wideTrackNumber);
    openPanel.panelWidth = geometry.panelWidth;
    openPanel.trackLabelX = geometry.trackLabelX;
    openPanel.timeLabelCentre = geometry.timeLabelCentre;
    openPanel.infoLineX = geometry.infoLineX;
    openPanel.titleFieldLength = geometry.titleFieldLength;

    panelInput = PanelInputState{};
    ResetRefreshPicture();
    playerLink.heldCommand = 0;
    playerLink.volumeChangeTick = 0;
    openPanel.displayActiveEvent = os::CreateEvent(true, false);
    os::InitializeCriticalSection(openPanel.drawingLock);

    widgets.EnterInTable();
    openPanel.placement = &placement;
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
    for (Widget*& widget : openPanel.widgets) widget = nullptr;
    openPanel.placement = nullptr;
    playerLink.heldCommand = 0;
    os::DeleteCriticalSection(openPanel.drawingLock);
    os::CloseHandle(openPanel.displayActiveEvent);
    openPanel.displayActiveEvent = nullptr;
}

bool PanelHarness::displayActive() const {
    return os::WaitForSingleObject(quaver::openPanel.displayActiveEvent, 0) == os::WaitObject0;
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
