// Drawing through the host: the panel's text into the host's screen buffer, made visible by a flush, and
// screen areas saved and restored around what the module draws over. A host that left a service out simply
// draws nothing.
#pragma once

#include <cstdint>

#include "host/host_text.h"

namespace quaver {

// The panel's own text: code page 437 bytes, which the wide build draws as their Unicode characters. colour is
// a console attribute (background in the high nibble).
void PutText(int x, int y, int colour, const char* text);
// Text in the host's characters: what the player or the console hands over.
void PutHostText(int x, int y, int colour, const HostChar* text);
// Makes everything drawn so far visible.
void FlushOutput();

void* SaveScreenArea(int x1, int y1, int x2, int y2);
void RestoreScreenArea(void* area);
// The whole screen around a notice: restored even when the host handed back no saved area for it.
void* SaveWholeScreen();
void RestoreWholeScreen(void* saved);

// The host's colour by its number (21 dialog text, 23 dialog box, 24 its title, 29 and 30 the highlighted
// buttons) as a console attribute; fallback when the host cannot say.
uint8_t HostColour(int number, uint8_t fallback);

}  // namespace quaver
