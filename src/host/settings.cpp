#include "host/settings.h"

#include <cstring>

#include "host/screen.h"

namespace quaver {

Settings settings;
const uint8_t defaultPalette[paletteEntryCount] = {0x7F, 0x7F, 0x70, 0x2E, 0x1F, 0x78, 0x7E, 0x1F};

namespace {
// Host colour numbers behind the palette entries up to the pressed button face; the others are derived.
constexpr int hostColourOfEntry[palettePressedButton + 1] = {23, 24, 21, 29, 30};

// The store's values: name, the switch bytes they fill (bit 0, bit 1 of a two-bit value; a one-bit switch is
// on for any value but 0), and whether an opening of the panel loads them, with which default.
struct StoredRow {
    const char* name;
    uint8_t* bit0;
    uint8_t* bit1;
    bool loadedAtOpening;
    uint32_t openingDefault;
};
constexpr StoredRow storedRows[] = {
    {"IgnoreFarPalette", nullptr, nullptr, false, 0},
    {"AutostartWinamp", &settings.startPlayer[0], &settings.startPlayer[1], true, 1},
    {"WideTrackNumber", &settings.wideTrackNumber, nullptr, true, 0},
    {"DrawUglyButtons", &settings.asciiButtons, nullptr, true, 0},
    {"DispCloseButton", &settings.showCloseButton, nullptr, true, 1},
    {"DispVolumeCtrl", &settings.showVolumeControl, nullptr, true, 0},
    {"DispRepeatShfl", &settings.showRepeatShuffle, nullptr, true, 1},
    {"DispWinampVer", &settings.showVersion[0], &settings.showVersion[1], true, 3},
    {"TimeFormat", &settings.timeFormat, nullptr, false, 0},
    {"ScrollMode", nullptr, nullptr, false, 0},
};
constexpr int storedRowCount = static_cast<int>(sizeof storedRows / sizeof storedRows[0]);
static_assert(storedRowCount == static_cast<int>(Stored::ScrollMode) + 1, "one row per stored value");

const StoredRow& RowOf(Stored value) { return storedRows[static_cast<int>(value)]; }
}  // namespace

uint32_t ReadStored(Stored value, uint32_t defaultValue) { return ReadSetting(RowOf(value).name, defaultValue); }

void LoadDisplaySettings() {
    const SettingsVisit visit;
    for (const StoredRow& row : storedRows) {
        if (!row.loadedAtOpening) continue;
        const uint32_t value = ReadSetting(row.name, row.openingDefault);
        if (row.bit1) {
            *row.bit0 = Bit(value, 0);
            *row.bit1 = Bit(value, 1);
        } else {
            *row.bit0 = value != 0;
        }
    }
}

bool StoreSettings(uint32_t ownPalette, uint32_t scrollBits) {
    StoredSetting values[storedRowCount];
    for (int i = 0; i < storedRowCount; ++i) {
        const StoredRow& row = storedRows[i];
        values[i].name = row.name;
        values[i].value = row.bit0 ? *row.bit0 + (row.bit1 ? 2u * *row.bit1 : 0u) : 0u;
    }
    values[static_cast<int>(Stored::OwnPalette)].value = ownPalette;
    values[static_cast<int>(Stored::ScrollMode)].value = scrollBits;
    return WriteSettings(values, storedRowCount);
}

void DerivePaletteEntries(uint8_t (&entries)[paletteEntryCount]) {
    const uint8_t frame = entries[paletteFrame];
    const uint8_t background = frame & 0xF0;
    entries[paletteIndicator] = static_cast<uint8_t>(background | (entries[paletteButtonFace] & 0x0F));
    entries[palettePressedIndicator] = entries[palettePressedButton];
    entries[paletteButtonShadow] = static_cast<uint8_t>(background | (frame < 0x80 ? 8 : 7));
}

void LoadPalette() {
    bool ownPalette = false;
    {
        const SettingsVisit visit;
        ownPalette = ReadStored(Stored::OwnPalette, 0) != 0;
        if (ownPalette && !ReadStoredPalette(settings.palette))
            std::memcpy(settings.palette, defaultPalette, sizeof settings.palette);
    }
    if (ownPalette) return;
    for (int entry = 0; entry <= palettePressedButton; ++entry)
        settings.palette[entry] = HostColour(hostColourOfEntry[entry], defaultPalette[entry]);
    DerivePaletteEntries(settings.palette);
}

}  // namespace quaver
