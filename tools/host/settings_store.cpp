#include "settings_store.h"

#include <windows.h>

#include <algorithm>
#include <list>
#include <string>
#include <vector>

#include "pure/text.h"
#include "pure/wide_records.h"

namespace host {

namespace {

// A value set or deleted through a handle, in the registry's form, written when the handle is freed.
struct HeldValue {
    size_t key;
    std::wstring name;
    DWORD type;  // REG_NONE: deleted
    std::vector<unsigned char> data;
};

// One open handle: its keys (index 0 the module's own), the values it holds back until Free, and what Get
// handed out, which lives until Free too.
struct OpenStore {
    std::vector<HKEY> keys;
    std::vector<HeldValue> held;
    std::list<std::wstring> texts;
    std::list<std::vector<unsigned char>> bytes;
};

wide::Guid owner{};
std::vector<OpenStore*> openStores;

OpenStore* Find(wide::Handle handle) {
    const auto found = std::find(openStores.begin(), openStores.end(), static_cast<OpenStore*>(handle));
    return found == openStores.end() ? nullptr : *found;
}

HKEY KeyOf(const OpenStore& store, size_t index) { return index < store.keys.size() ? store.keys[index] : nullptr; }

template <typename Record>
const Record* Checked(void* parameter) {
    const auto* record = static_cast<const Record*>(parameter);
    return record && record->size >= sizeof(Record) ? record : nullptr;
}

intptr_t Create(void* parameter, intptr_t which) {
    auto* request = static_cast<wide::StoreRequest*>(parameter);
    if (!request || request->size < sizeof *request || !(request->module == owner) || owner == wide::Guid{}) return 0;
    if (!openStores.empty()) return 0;  // locked by the handle that is open
    const std::wstring path = std::wstring(which == wide::localStore ? LocalSettingsRoot : SettingsRoot) + L"\\" +
                              WideFromUtf8(GuidText(request->module));
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return 0;
    auto* store = new OpenStore;
    store->keys.push_back(key);
    openStores.push_back(store);
    request->handle = store;
    return 1;
}

HeldValue* HeldOf(OpenStore& store, size_t key, const wchar_t* name) {
    for (HeldValue& value : store.held)
        if (value.key == key && value.name == name) return &value;
    return nullptr;
}

void Hold(OpenStore& store, size_t key, const wchar_t* name, DWORD type, const void* data, size_t size) {
    HeldValue* value = HeldOf(store, key, name);
    if (!value) value = &store.held.emplace_back(HeldValue{key, name, REG_NONE, {}});
    value->type = type;
    value->data.assign(static_cast<const unsigned char*>(data), static_cast<const unsigned char*>(data) + size);
}

// The held values go to the registry, in the order they were first set; true when every one did.
bool Free(OpenStore* store) {
    bool written = true;
    for (const HeldValue& value : store->held) {
        const HKEY key = KeyOf(*store, value.key);
        const LONG result =
            value.type == REG_NONE ? RegDeleteValueW(key, value.name.c_str())
                                   : RegSetValueExW(key, value.name.c_str(), 0, value.type, value.data.data(),
                                                    static_cast<DWORD>(value.data.size()));
        written = written && (result == ERROR_SUCCESS || (value.type == REG_NONE && result == ERROR_FILE_NOT_FOUND));
    }
    for (HKEY key : store->keys) RegCloseKey(key);
    openStores.erase(std::find(openStores.begin(), openStores.end(), store));
    delete store;
    return written;
}

intptr_t Set(OpenStore& store, void* parameter) {
    const wide::StoreValue* value = Checked<wide::StoreValue>(parameter);
    if (!value || !value->name || !KeyOf(store, value->key)) return 0;
    switch (value->type) {
    case wide::storeType::Number:
        Hold(store, value->key, value->name, REG_QWORD, &value->number, sizeof value->number);
        return 1;
    case wide::storeType::Text:
        if (!value->text) return 0;
        Hold(store, value->key, value->name, REG_SZ, value->text, (wcslen(value->text) + 1) * sizeof(wchar_t));
        return 1;
    case wide::storeType::Bytes:
        if (!value->bytes.address && value->bytes.size != 0) return 0;
        Hold(store, value->key, value->name, REG_BINARY, value->bytes.address, value->bytes.size);
        return 1;
    default:
        return 0;
    }
}

// A value as the handle sees it: what it holds back, else what the registry has.
bool ValueData(OpenStore& store, size_t index, const wchar_t* name, std::vector<unsigned char>& data) {
    if (const HeldValue* held = HeldOf(store, index, name)) {
        data = held->data;
        return held->type != REG_NONE;
    }
    const HKEY key = KeyOf(store, index);
    DWORD size = 0;
    if (!key || RegQueryValueExW(key, name, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) return false;
    data.resize(size);
    if (RegQueryValueExW(key, name, nullptr, nullptr, data.data(), &size) != ERROR_SUCCESS) return false;
    data.resize(size);
    return true;
}

// Read with the type the module asks for, whatever the value was stored as.
intptr_t Get(OpenStore& store, void* parameter) {
    auto* value = static_cast<wide::StoreValue*>(parameter);
    if (!value || value->size < sizeof *value || !value->name) return 0;
    std::vector<unsigned char> data;
    if (!ValueData(store, value->key, value->name, data)) return 0;
    switch (value->type) {
    case wide::storeType::Number: {
        uint64_t number = 0;
        std::copy_n(data.begin(), std::min(data.size(), sizeof number), reinterpret_cast<unsigned char*>(&number));
        value->number = number;
        return 1;
    }
    case wide::storeType::Text: {
        std::wstring& text = store.texts.emplace_back(data.size() / sizeof(wchar_t), L'\0');
        std::copy_n(data.begin(), text.size() * sizeof(wchar_t), reinterpret_cast<unsigned char*>(text.data()));
        text.resize(wcsnlen(text.c_str(), text.size()));
        value->text = text.c_str();
        return 1;
    }
    case wide::storeType::Bytes: {
        const std::vector<unsigned char>& kept = store.bytes.emplace_back(std::move(data));
        value->bytes.size = kept.size();
        value->bytes.address = kept.data();
        return 1;
    }
    default:
        return 0;
    }
}

intptr_t Delete(OpenStore& store, void* parameter) {
    const wide::StoreName* name = Checked<wide::StoreName>(parameter);
    const HKEY key = name ? KeyOf(store, name->key) : nullptr;
    if (!key) return 0;
    // No name: the key itself goes, with everything below it (the module's own key is emptied), at once.
    if (!name->name) {
        store.held.erase(std::remove_if(store.held.begin(), store.held.end(),
                                        [&](const HeldValue& value) { return value.key == name->key; }),
                         store.held.end());
        return RegDeleteTreeW(key, nullptr) == ERROR_SUCCESS ? 1 : 0;
    }
    std::vector<unsigned char> data;
    if (!ValueData(store, name->key, name->name, data)) return 0;
    Hold(store, name->key, name->name, REG_NONE, nullptr, 0);
    return 1;
}

intptr_t Subkey(OpenStore& store, void* parameter, bool create) {
    const wide::StoreName* name = Checked<wide::StoreName>(parameter);
    const HKEY parent = name && name->name && *name->name ? KeyOf(store, name->key) : nullptr;
    if (!parent) return 0;
    HKEY key = nullptr;
    const LONG result = create ? RegCreateKeyExW(parent, name->name, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                                                 nullptr)
                               : RegOpenKeyExW(parent, name->name, 0, KEY_READ | KEY_WRITE, &key);
    if (result != ERROR_SUCCESS) return 0;
    store.keys.push_back(key);
    return static_cast<intptr_t>(store.keys.size() - 1);
}

}  // namespace

void SetSettingsOwner(const wide::Guid& module) { owner = module; }

intptr_t HOSTAPI SettingsControl(wide::Handle handle, int command, intptr_t parameter1, void* parameter2) {
    namespace cmd = wide::settingsCommand;
    if (command == cmd::Create)
        return handle == reinterpret_cast<wide::Handle>(static_cast<intptr_t>(-1)) ? Create(parameter2, parameter1) : 0;
    OpenStore* store = Find(handle);
    if (!store) return 0;
    switch (command) {
    case cmd::Free: return Free(store) ? 1 : 0;
    case cmd::Set: return Set(*store, parameter2);
    case cmd::Get: return Get(*store, parameter2);
    case cmd::Delete: return Delete(*store, parameter2);
    case cmd::CreateSubkey: return Subkey(*store, parameter2, true);
    case cmd::OpenSubkey: return Subkey(*store, parameter2, false);
    default: return 0;
    }
}

}  // namespace host
