#include "host/settings.h"

#include <cstring>

#include "host/host.h"
#include "os/os.h"

namespace quaver {

uint8_t TimeFormat;
uint8_t IgnoreFarPalette;
uint8_t DispWinampVer[2];
uint8_t DispRepeatShfl;
uint8_t DispVolumeCtrl;
uint8_t DrawUglyButtons;
uint8_t AutostartWinamp[2];
uint8_t DispCloseButton;
uint8_t WideTrackNumber;

uint8_t palette[8];
const uint8_t defaultPalette[8] = {0x7F, 0x7F, 0x70, 0x2E, 0x1F, 0x78, 0x7E, 0x1F};

namespace {
// Host colour numbers behind palette entries 0 to 4.
constexpr int hostColourOfEntry[5] = {23, 24, 21, 29, 30};
constexpr int hostColourCommand = 4;

// An empty path means the settings key could not be named: nothing is read or written then.
bool HaveSettingsKey() { return settingsKeyPath[0] != '\0'; }
}  // namespace

void WriteSetting(const char* name, uint32_t value) {
    if (!HaveSettingsKey()) return;
    os::RegistryKey key = nullptr;
    if (!os::RegCreateKeyForWrite(settingsKeyPath, &key)) return;
    os::RegSetDwordValue(key, name, value);
    os::RegCloseKey(key);
}

bool WriteSettings(const StoredSetting* settings, int count) {
    if (!HaveSettingsKey()) return false;
    os::RegistryKey key = nullptr;
    if (!os::RegCreateKeyForWrite(settingsKeyPath, &key)) return false;
    bool allWritten = true;
    for (int i = 0; i < count; ++i)
        allWritten = os::RegSetDwordValue(key, settings[i].name, settings[i].value) && allWritten;
    os::RegCloseKey(key);
    return allWritten;
}

namespace {
bool ReadTypedValue(const char* name, void* buffer, uint32_t* size, uint32_t* type) {
    if (!HaveSettingsKey()) return false;
    os::RegistryKey key = nullptr;
    if (!os::RegOpenKeyForQuery(settingsKeyPath, &key)) return false;
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
    DrawUglyButtons = ReadSetting("DrawUglyButtons", 0) != 0;
    DispCloseButton = ReadSetting("DispCloseButton", 1) != 0;
    DispVolumeCtrl = ReadSetting("DispVolumeCtrl", 0) != 0;
    DispRepeatShfl = ReadSetting("DispRepeatShfl", 1) != 0;
    WideTrackNumber = ReadSetting("WideTrackNumber", 0) != 0;
    const uint32_t autostart = ReadSetting("AutostartWinamp", 1);
    AutostartWinamp[0] = Bit(autostart, 0);
    AutostartWinamp[1] = Bit(autostart, 1);
    const uint32_t version = ReadSetting("DispWinampVer", 3);
    DispWinampVer[0] = Bit(version, 0);
    DispWinampVer[1] = Bit(version, 1);
}

void DerivePaletteEntries(uint8_t (&entries)[8]) {
    const uint8_t background = entries[0] & 0xF0;
    entries[6] = static_cast<uint8_t>(background | (entries[3] & 0x0F));
    entries[7] = entries[4];
    entries[5] = static_cast<uint8_t>(background | (entries[0] < 0x80 ? 8 : 7));
}

void LoadPalette() {
    if (ReadSetting("IgnoreFarPalette", 0) != 0) {
        uint32_t size = sizeof palette;
        if (!ReadValue("Palette", palette, &size) || size != sizeof palette)
            std::memcpy(palette, defaultPalette, sizeof palette);
        return;
    }
    for (int entry = 0; entry < 5; ++entry) {
        const intptr_t colour = hostServices.HostControl
                                    ? hostServices.HostControl(hostServices.moduleNumber, hostColourCommand,
                                                               hostColourOfEntry[entry])
                                    : defaultPalette[entry];
        palette[entry] = static_cast<uint8_t>(colour & 0xFF);
    }
    DerivePaletteEntries(palette);
}

}  // namespace quaver
