#include "panel/playlist_menu.h"

#include "host/host.h"
#include "host/settings.h"
#include "panel/console_output.h"
#include "player/commands.h"
#include "player/playlist.h"

namespace quaver {

namespace {

constexpr uint32_t refusalBeep = 0x40;

// The host's thread alone fills and reads it, while the menu is being built or shown: 20,000 lines of
// 140 bytes are too many for its stack, and the module allocates nothing.
PlaylistMenu playlistMenu;

void ShowChoice(os::Window player) {
    const HostServices& host = hostLink.services;
    char bottom[120] = {};
    const MenuRange range = playlistMenu.range;
    if (range.count < playlistMenu.length)
        FormatText(bottom, "%.60s %d-%d / %d", GetLangString(message::PlaylistWindow), range.first + 1,
                   range.first + range.count, playlistMenu.length);
    const int chosen = host.ShowMenu(host.moduleNumber, -1, -1, 0, menuFlag::ShowAmpersand | menuFlag::WrapCursor,
                                     playerName, bottom[0] ? bottom : nullptr, playlistHelpTopic, nullptr, nullptr,
                                     playlistMenu.items, range.count);
    if (chosen >= 0 && chosen < range.count && PlayEntry(player, range.first + chosen) != CommandResult::Sent)
        os::MessageBeep(refusalBeep);
}

}  // namespace

void RunPlaylistMenu(PanelPlacement& placement) {
    // As any command: a missing player is started when the settings leave that to commands, and one that owes
    // an answer is refused at once.
    const os::Window player = FindOrStartPlayer(settings.startPlayer[1] != 0);
    if (!player || !hostLink.services.ShowMenu || !ReadyForCommand(player, commandProbeTimeout, commandProbeInterval)) {
        os::MessageBeep(refusalBeep);
        return;
    }
    LetGoOfPanelInput();
    SetDisplayActive(false);
    switch (ReadPlaylistMenu(player, playlistMenu)) {
    case MenuReading::Ready: ShowChoice(player); break;
    case MenuReading::Unanswered:
        NoteUnanswered(player);  // the keys queued behind J are refused at once
        os::MessageBeep(refusalBeep);
        break;
    case MenuReading::Empty: os::MessageBeep(refusalBeep); break;
    }
    // Keys and clicks meant for the menu, the release of the click that opened it among them, are not
    // the panel's.
    os::FlushConsoleInputBuffer(openPanel.consoleInput);
    // The menu's own restore may leave anything behind it: the panel is put back whole.
    SetPanelShown(placement, false);
    SetPanelShown(placement, true);
    FlushOutput();
}

}  // namespace quaver
