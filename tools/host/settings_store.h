// The wide interface's settings store (SettingsControl), kept in the registry: one key per module and store,
// HKEY_CURRENT_USER\Software\Quaver Host\Settings\{GUID} for the roaming store and ...\Local Settings\{GUID}
// for the local one; numbers as REG_QWORD, texts as REG_SZ, bytes as REG_BINARY. Each handle owns the keys it
// opened and the texts and bytes it handed out, until it is freed. As in the file manager, the values set reach
// the registry only when the handle is freed, and the store is locked while a handle is open: where the file
// manager would make a second opener wait and then ask the user, this host refuses it, so that a module that
// holds its store open, or never frees it, shows in every test.
#pragma once

#include <cstdint>

#include "host/wide_api.h"

namespace host {

constexpr wchar_t SettingsRoot[] = L"Software\\Quaver Host\\Settings";
constexpr wchar_t LocalSettingsRoot[] = L"Software\\Quaver Host\\Local Settings";

// The module whose store SettingsControl opens; another module's GUID opens nothing.
void SetSettingsOwner(const wide::Guid& module);

intptr_t HOSTAPI SettingsControl(wide::Handle handle, int command, intptr_t parameter1, void* parameter2);

}  // namespace host
