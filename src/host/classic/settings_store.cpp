// The classic build's settings store: 32-bit and binary registry values under the settings path, the key opened
// and closed for every access.
#include <cstring>

#include "host/host.h"
#include "host/settings.h"
#include "os/os.h"

namespace quaver {

namespace {

// An empty path means the settings key could not be named: nothing is read or written then.
bool HaveSettingsKey() { return hostLink.settingsKeyPath[0] != '\0'; }

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

SettingsVisit::SettingsVisit() = default;
SettingsVisit::~SettingsVisit() = default;

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

bool ReadValue(const char* name, void* buffer, uint32_t* size) { return ReadTypedValue(name, buffer, size, nullptr); }

uint32_t ReadSetting(const char* name, uint32_t defaultValue) {
    uint32_t value = 0;  // a shorter value leaves the high bytes zero
    uint32_t size = sizeof value;
    uint32_t type = os::RegDword;
    if (!ReadTypedValue(name, &value, &size, &type)) return defaultValue;
    // A text where a number belongs is no number: "1" must not read as 0x31.
    return IsText(type) ? defaultValue : value;
}

bool ReadStoredPalette(uint8_t (&palette)[paletteEntryCount]) {
    uint32_t size = sizeof palette;
    uint32_t type = os::RegBinary;
    // Colours are bytes: a text of eight characters is no palette, as a text is no number.
    return ReadTypedValue("Palette", palette, &size, &type) && type == os::RegBinary && size == sizeof palette;
}

}  // namespace quaver
