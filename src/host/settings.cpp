#include "host/settings.h"

#include <cstring>

#include "host/host.h"
#include "os/os.h"

namespace quaver {

Settings settings;
const uint8_t defaultPalette[paletteEntryCount] = {0x7F, 0x7F, 0x70, 0x2E, 0x1F, 0x78, 0x7E, 0x1F};

namespace {
// Host colour numbers behind the palette entries up to the pressed button face; the others are derived.
constexpr int hostColourOfEntry[palettePressedButton + 1] = {23, 24, 21, 29, 30};
constexpr int hostColourCommand = 4;

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

// An empty path means the settings key could not be named: nothing is read or written then.
bool HaveSettingsKey() { return hostLink.settingsKeyPath[0] != '\0'; }
}  // namespace

void WriteSetting(const char* name, uint32_t value) {
    if (!HaveSettingsKey()) return;
    os::RegistryKey key = nullptr;
    if (!os::RegCreateKeyForWrite(hostLink.settingsKeyPath, &key)) return;
    os::RegSetDwordValue(key, name, value);
    os::RegCloseKey(key);
}

bool WriteSettings(const StoredSetting* values, int count) {
    if (!HaveSettingsKey()) return false;
    os::RegistryKey key = nullptr;
    if (!os::RegCreateKeyForWrite(hostLink.settingsKeyPath, &key)) return false;
    bool allWritten = true;
    for (int i = 0; i < count; ++i)
        allWritten = os::RegSetDwordValue(key, values[i].name, values[i].value) && allWritten;
    os::RegCloseKey(key);
    return allWritten;
}

namespace {
bool ReadTypedValue(const char* name, void* buffer, uint32_t* size, uint32_t* type) {
    if (!HaveSettingsKey()) return false;
    os::RegistryKey key = nullptr;
    if (!os::RegOpenKeyForQuery(hostLink.settingsKeyPath, &key)) return false;
    const bool read = os::RegQueryValue(key, name, buffer, size, type);
    os::RegCloseKey(key);
    return read;
}

bool IsText(uint32_t type) { return type == os::RegSz || type == os::RegExpandSz || type == os::RegMultiSz; }
}  // namespace

bool ReadValue(const char* name, void* buffer, uint32_t* size) { return ReadTypedValue(name, buffer, size, nullptr); }

uint32_t ReadSetting(const char* name, uint32_t defaultValue) {
    uint32_t value = 0;  // a shorter value leaves the high bytes zero
    uint32_t size = sizeof value;
    uint32_t type = os::RegDword;
    if (!ReadTypedValue(name, &value, &size, &type)) return defaultValue;
    // A text where a number belongs is no number: "1" must not read as 0x31.
    return IsText(type) ? defaultValue : value;
}

uint32_t ReadStored(Stored value, uint32_t defaultValue) { return ReadSetting(RowOf(value).name, defaultValue); }

void LoadDisplaySettings() {
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
    if (ReadStored(Stored::OwnPalette, 0) != 0) {
        uint32_t size = sizeof settings.palette;
        uint32_t type = os::RegBinary;
        // Colours are bytes: a text of eight characters is no palette, as a text is no number.
        if (!ReadTypedValue("Palette", settings.palette, &size, &type) || type != os::RegBinary ||
            size != sizeof settings.palette)
            std::memcpy(settings.palette, defaultPalette, sizeof settings.palette);
        return;
    }
    const HostServices& host = hostLink.services;
    for (int entry = 0; entry <= palettePressedButton; ++entry) {
        const intptr_t colour = host.HostControl
                                    ? host.HostControl(host.moduleNumber, hostColourCommand, hostColourOfEntry[entry])
                                    : defaultPalette[entry];
        settings.palette[entry] = static_cast<uint8_t>(colour & 0xFF);
    }
    DerivePaletteEntries(settings.palette);
}

}  // namespace quaver
