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

void LoadDisplaySettings() {
    settings.asciiButtons = ReadSetting("DrawUglyButtons", 0) != 0;
    settings.showCloseButton = ReadSetting("DispCloseButton", 1) != 0;
    settings.showVolumeControl = ReadSetting("DispVolumeCtrl", 0) != 0;
    settings.showRepeatShuffle = ReadSetting("DispRepeatShfl", 1) != 0;
    settings.wideTrackNumber = ReadSetting("WideTrackNumber", 0) != 0;
    const uint32_t autostart = ReadSetting("AutostartWinamp", 1);
    settings.startPlayer[0] = Bit(autostart, 0);
    settings.startPlayer[1] = Bit(autostart, 1);
    const uint32_t version = ReadSetting("DispWinampVer", 3);
    settings.showVersion[0] = Bit(version, 0);
    settings.showVersion[1] = Bit(version, 1);
}

void DerivePaletteEntries(uint8_t (&entries)[paletteEntryCount]) {
    const uint8_t frame = entries[paletteFrame];
    const uint8_t background = frame & 0xF0;
    entries[paletteIndicator] = static_cast<uint8_t>(background | (entries[paletteButtonFace] & 0x0F));
    entries[palettePressedIndicator] = entries[palettePressedButton];
    entries[paletteButtonShadow] = static_cast<uint8_t>(background | (frame < 0x80 ? 8 : 7));
}

void LoadPalette() {
    if (ReadSetting("IgnoreFarPalette", 0) != 0) {
        uint32_t size = sizeof settings.palette;
        if (!ReadValue("Palette", settings.palette, &size) || size != sizeof settings.palette)
            std::memcpy(settings.palette, defaultPalette, sizeof settings.palette);
        return;
    }
    for (int entry = 0; entry <= palettePressedButton; ++entry) {
        const intptr_t colour = hostLink.services.HostControl
                                    ? hostLink.services.HostControl(hostLink.services.moduleNumber, hostColourCommand,
                                                               hostColourOfEntry[entry])
                                    : defaultPalette[entry];
        settings.palette[entry] = static_cast<uint8_t>(colour & 0xFF);
    }
    DerivePaletteEntries(settings.palette);
}

}  // namespace quaver
