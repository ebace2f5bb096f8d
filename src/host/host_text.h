// The text the host takes and gives, and the player's and the file system's text as it travels through the
// module: in the classic build bytes (the OEM code page for the host, the ANSI one for the player), in the wide
// build UTF-16. Code that both builds share writes HostChar wherever such text flows, and takes the few texts it
// names itself from here. The panel's fixed glyphs are not such text: they stay code page 437 bytes in both
// builds, and the wide build's PutText turns them into their Unicode characters.
#pragma once

#include <cstdint>

namespace quaver {

#if QUAVER_WIDE
using HostChar = wchar_t;
#else
using HostChar = char;
#endif

// Texts of the module's own, in the host's characters.
namespace hostText {
#if QUAVER_WIDE
inline constexpr HostChar menuTitle[] = L"Quaver Control";
inline constexpr HostChar playerName[] = L"Winamp";
inline constexpr HostChar none[] = L"";
inline constexpr HostChar hotkeysTopic[] = L"Hotkeys";
inline constexpr HostChar configTopic[] = L"Config";
inline constexpr HostChar playlistTopic[] = L"Playlist";
// A host text of at most the given length, then the files sent and of how many.
inline constexpr HostChar textAndCount[] = L"%.*ls %d/%d";
// A host text of at most the given length, then a word of the given length in quotes.
inline constexpr HostChar textAndWord[] = L"%.*ls \"%.*ls\"";
// The playlist menu's bottom line: a host text, then the first and last entry listed and the list's length.
inline constexpr HostChar textAndRange[] = L"%.60ls %d-%d / %d";
// A host text of at most the given length, then a number.
inline constexpr HostChar textAndNumber[] = L"%.*ls %d";
// The title line's for a second after a volume command: the volume in percent.
inline constexpr HostChar volume[] = L"Volume: %d %%";
#else
inline constexpr HostChar menuTitle[] = "Quaver Control";
inline constexpr HostChar playerName[] = "Winamp";
inline constexpr HostChar none[] = "";
inline constexpr HostChar hotkeysTopic[] = "Hotkeys";
inline constexpr HostChar configTopic[] = "Config";
inline constexpr HostChar playlistTopic[] = "Playlist";
inline constexpr HostChar textAndCount[] = "%.*s %d/%d";
inline constexpr HostChar textAndWord[] = "%.*s \"%.*s\"";
inline constexpr HostChar textAndRange[] = "%.60s %d-%d / %d";
inline constexpr HostChar textAndNumber[] = "%.*s %d";
inline constexpr HostChar volume[] = "Volume: %d %%";
#endif
}  // namespace hostText

// The length of a host text, at most limit.
inline int32_t HostTextLength(const HostChar* text, int32_t limit) {
    int32_t length = 0;
    while (length < limit && text[length]) ++length;
    return length;
}

// The player's text (a title it keeps) as the host shows it, and the host's text (a word typed) as the player
// compares it: count characters, in place or not. The classic build moves between the ANSI and the OEM code
// page; in the wide build both are UTF-16 already.
void PlayerTextToHost(const HostChar* from, HostChar* to, uint32_t count);
void HostTextToPlayer(const HostChar* from, HostChar* to, uint32_t count);

}  // namespace quaver
