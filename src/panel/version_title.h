// The panel title that carries the player's version, " Quaver vX.Y Control ".
#pragma once

#include <cstdint>

namespace quaver {

constexpr int versionTitleCapacity = 40;

struct PlayerVersionNumber {
    int32_t major;
    int32_t minor;
};

// Splits the player's version value: major = value >> 12 (keeping the sign); the minor is made of the
// lower hexadecimal digits with the two lowest exchanged, either as its two leading digits
// (minorAsTwoDigits) or with up to two trailing zero digits dropped.
PlayerVersionNumber SplitPlayerVersion(int32_t value, bool minorAsTwoDigits);

// Formats the title in upper-case hexadecimal and returns its length.
int FormatVersionTitle(char (&title)[versionTitleCapacity], PlayerVersionNumber version);

// Column of a panel title of the given length: centred in the top border, one further right when the close
// button takes the border's left end. Never left of the panel's edge.
int16_t PanelTitleColumn(uint32_t panelWidth, int32_t length, bool closeButton);

}  // namespace quaver
