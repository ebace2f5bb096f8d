#include "recording_host.h"
#include "host_text_functions.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace e2e {

namespace {

RecordingHost theHost;

// The module's number is the address of the host's record, as the file manager gives it (wider than 32 bits
// on 64-bit); any other number gets nothing, as from that host.
intptr_t ModuleNumber() { return reinterpret_cast<intptr_t>(&theHost); }
bool IsModuleNumber(intptr_t number) { return number == ModuleNumber(); }

int HOSTAPI ShowMessage(intptr_t number, unsigned flags, const char*, const char* const* lines, int lineCount,
                        int buttonCount) {
    if (!IsModuleNumber(number)) return -1;
    RecordedMessageBox box{flags, {}, buttonCount};
    for (int i = 0; i < lineCount; ++i) box.lines.push_back(lines[i] ? lines[i] : "(null)");
    theHost.messageBoxes.push_back(box);
    theHost.messageBoxTicks.push_back(GetTickCount());
    return 0;
}

const char* HOSTAPI GetLangString(intptr_t moduleNumber, int number) {
    if (!IsModuleNumber(moduleNumber)) return nullptr;
    auto found = theHost.messages.find(number);
    if (found == theHost.messages.end())
        found = theHost.messages.emplace(number, "message " + std::to_string(number)).first;
    return found->second.c_str();
}

void* HOSTAPI SaveScreenArea(int, int, int, int) {
    ++theHost.savedAreasLive;
    return reinterpret_cast<void*>(static_cast<intptr_t>(theHost.savedAreasLive));
}

void HOSTAPI RestoreScreenArea(void* handle) {
    if (!handle) return;
    --theHost.savedAreasLive;
    ++theHost.restores;
}

void HOSTAPI PutText(int, int, int, const char* text) {
    if (text)
        ++theHost.putTexts;
    else
        ++theHost.flushes;
}

intptr_t HOSTAPI HostControl(intptr_t number, int command, intptr_t parameter) {
    if (!IsModuleNumber(number)) return 0;
    if (command != 4) return 0;
    theHost.coloursAsked.push_back(static_cast<int>(parameter));
    auto found = theHost.colours.find(static_cast<int>(parameter));
    return found == theHost.colours.end() ? 0 : found->second;
}

}  // namespace

RecordingHost& recordingHost() { return theHost; }

RecordingHost& ResetRecordingHost(int size) {
    theHost = RecordingHost{};
    char root[128];
    std::snprintf(root, sizeof root, "Software\\Quaver Tests\\%lu-%lu\\Plugins", GetCurrentProcessId(),
                  GetTickCount());
    theHost.registryRoot = root;
    HostServices& s = theHost.services;
    s.size = size;
    GetModuleFileNameA(nullptr, s.moduleName, sizeof s.moduleName);
    s.moduleNumber = ModuleNumber();
    s.registryRoot = theHost.registryRoot.c_str();
    s.ShowMessage = ShowMessage;
    s.GetLangString = GetLangString;
    s.SaveScreenArea = SaveScreenArea;
    s.RestoreScreenArea = RestoreScreenArea;
    s.PutText = PutText;
    s.HostControl = HostControl;
    s.standardFunctions = &theHost.functions;
    theHost.functions.FormatText = testhost::FormatText;
    theHost.functions.CompareN = testhost::CompareN;
    return theHost;
}

RegistryRootGuard::~RegistryRootGuard() {
    const std::string& root = theHost.registryRoot;
    const size_t plugins = root.rfind("\\Plugins");
    if (plugins == std::string::npos) return;
    // Only this program's own root: test programs run side by side.
    RegDeleteTreeA(HKEY_CURRENT_USER, root.substr(0, plugins).c_str());
}

void WriteRegistryBinary(const std::string& path, const std::string& name, const std::vector<unsigned char>& bytes,
                         unsigned long type) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name.c_str(), 0, type, bytes.data(), static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

bool ReadRegistryValue(const std::string& path, const std::string& name, unsigned long* type,
                       std::vector<unsigned char>* bytes) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    DWORD valueType = 0;
    bool ok = RegQueryValueExA(key, name.c_str(), nullptr, &valueType, nullptr, &size) == ERROR_SUCCESS;
    if (ok) {
        bytes->resize(size);
        ok = RegQueryValueExA(key, name.c_str(), nullptr, &valueType, bytes->data(), &size) == ERROR_SUCCESS;
        *type = valueType;
    }
    RegCloseKey(key);
    return ok;
}

}  // namespace e2e
