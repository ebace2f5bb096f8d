#include "registration.h"

#include <windows.h>

namespace standin {

namespace {

const char commandKey[] = "Winamp.File\\shell\\open\\command";
const char* const keysAboveCommand[] = {"Winamp.File\\shell\\open", "Winamp.File\\shell", "Winamp.File"};

bool IsEmptyKey(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    DWORD subKeys = 0, values = 0;
    const bool empty = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values,
                                        nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
                       subKeys == 0 && values == 0;
    RegCloseKey(key);
    return empty;
}

}  // namespace

std::string OwnOpenCommand() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return "\"" + std::string(path, length) + "\" \"%1\"";
}

bool RegisterOpenCommand(std::string& error) {
    const std::string command = OwnOpenCommand();
    const LONG result = RegSetValueA(HKEY_CLASSES_ROOT, commandKey, REG_SZ, command.c_str(),
                                     static_cast<DWORD>(command.size()));
    if (result != ERROR_SUCCESS) {
        error = "cannot write HKEY_CLASSES_ROOT\\" + std::string(commandKey) + " (error " + std::to_string(result) +
                ")";
        return false;
    }
    return true;
}

bool UnregisterOpenCommand(std::string& error) {
    char current[1024] = {};
    LONG size = sizeof current;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, commandKey, current, &size) != ERROR_SUCCESS) return true;  // nothing
    if (lstrcmpiA(current, OwnOpenCommand().c_str()) != 0) {
        error = "the registered open command is not this program's; left alone: " + std::string(current);
        return false;
    }
    const LONG result = RegDeleteKeyA(HKEY_CLASSES_ROOT, commandKey);
    if (result != ERROR_SUCCESS) {
        error = "cannot remove HKEY_CLASSES_ROOT\\" + std::string(commandKey) + " (error " + std::to_string(result) +
                ")";
        return false;
    }
    for (const char* path : keysAboveCommand) {
        if (!IsEmptyKey(path)) break;
        RegDeleteKeyA(HKEY_CLASSES_ROOT, path);
    }
    return true;
}

}  // namespace standin
