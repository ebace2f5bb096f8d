// The wide build's settings store: the host's own, one file per module and user, under the module's GUID.
// Numbers are the store's 64-bit numbers, "Palette" its bytes; the classic build's value names and defaults.
// The store stays locked while a handle is open, so every visit opens it, reads or writes, and frees it.
#include <cstring>

#include "host/settings.h"
#include "host/wide/wide_link.h"

namespace quaver {

namespace {

wide::Handle const noHandle = reinterpret_cast<wide::Handle>(static_cast<intptr_t>(-1));
constexpr int nameCapacity = 32;

// The visit in progress: the store's handle (null when it could not be opened) and how many visits share it.
// Host's thread only.
struct OpenStore {
    wide::Handle handle;
    int visits;
};
OpenStore openStore;

wide::Handle Open() {
    if (!wideHost.startup.SettingsControl) return nullptr;
    wide::StoreRequest request{};
    request.size = sizeof request;
    request.module = wideId::module;
    if (!wideHost.startup.SettingsControl(noHandle, wide::settingsCommand::Create, wide::roamingStore, &request))
        return nullptr;
    return request.handle;
}

bool Free(wide::Handle handle) {
    return wideHost.startup.SettingsControl(handle, wide::settingsCommand::Free, 0, nullptr) != 0;
}

// The value names are ASCII.
void WideName(const char* name, wchar_t (&wide)[nameCapacity]) {
    int i = 0;
    for (; i < nameCapacity - 1 && name[i]; ++i) wide[i] = static_cast<wchar_t>(name[i]);
    wide[i] = 0;
}

wide::StoreValue ValueRecord(const wchar_t* name, int type) {
    wide::StoreValue value{};
    value.size = sizeof value;
    value.key = 0;
    value.name = name;
    value.type = type;
    return value;
}

}  // namespace

SettingsVisit::SettingsVisit() {
    if (openStore.visits++ == 0) openStore.handle = Open();
}

SettingsVisit::~SettingsVisit() {
    if (--openStore.visits > 0) return;
    if (openStore.handle) Free(openStore.handle);
    openStore.handle = nullptr;
}

uint32_t ReadSetting(const char* name, uint32_t defaultValue) {
    const SettingsVisit visit;
    if (!openStore.handle) return defaultValue;
    wchar_t wideName[nameCapacity];
    WideName(name, wideName);
    // The store leaves the record as it was when the name is missing: the default is in it already.
    wide::StoreValue value = ValueRecord(wideName, wide::storeType::Number);
    value.number = defaultValue;
    if (!wideHost.startup.SettingsControl(openStore.handle, wide::settingsCommand::Get, 0, &value))
        return defaultValue;
    return static_cast<uint32_t>(value.number);
}

bool ReadStoredPalette(uint8_t (&palette)[paletteEntryCount]) {
    const SettingsVisit visit;
    if (!openStore.handle) return false;
    wchar_t wideName[nameCapacity];
    WideName("Palette", wideName);
    wide::StoreValue value = ValueRecord(wideName, wide::storeType::Bytes);
    if (!wideHost.startup.SettingsControl(openStore.handle, wide::settingsCommand::Get, 0, &value) ||
        value.bytes.size != sizeof palette || !value.bytes.address)
        return false;
    // The bytes belong to the handle: copied before the visit ends.
    std::memcpy(palette, value.bytes.address, sizeof palette);
    return true;
}

bool WriteSettings(const StoredSetting* values, int count) {
    // A visit of its own, whatever else is open: the writes reach the disk when its handle is freed, and a
    // failure there is a failure to store.
    const wide::Handle handle = Open();
    if (!handle) return false;
    bool allWritten = true;
    for (int i = 0; i < count; ++i) {
        wchar_t wideName[nameCapacity];
        WideName(values[i].name, wideName);
        wide::StoreValue value = ValueRecord(wideName, wide::storeType::Number);
        value.number = values[i].value;
        allWritten = wideHost.startup.SettingsControl(handle, wide::settingsCommand::Set, 0, &value) != 0 && allWritten;
    }
    return Free(handle) && allWritten;
}

}  // namespace quaver
