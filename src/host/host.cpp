#include "host/host.h"

#include <cstring>

namespace quaver {

HostLink hostLink;

namespace {
constexpr char settingsSubkey[] = "\\QuaverRemoteControl";
}

const char* GetLangString(int messageNumber) {
    if (!hostLink.services.GetLangString) return "";
    const char* text = hostLink.services.GetLangString(hostLink.services.moduleNumber, messageNumber);
    return text ? text : "";
}

void ShowErrorBox(int code) { ShowErrorText(GetLangString(code)); }

void ShowErrorText(const char* text) {
    const char* lines[3] = {menuTitle, text, GetLangString(message::ErrorButton)};
    const HostServices& host = hostLink.services;
    if (host.ShowMessage) host.ShowMessage(host.moduleNumber, 9, nullptr, lines, 3, 1);
}

void BuildSettingsKeyPath(const char* registryRoot, char (&path)[80]) {
    path[0] = '\0';
    if (!registryRoot) return;
    const size_t rootLength = strnlen(registryRoot, sizeof path);
    if (rootLength + sizeof settingsSubkey > sizeof path) return;
    FormatText(path, "%s%s", registryRoot, settingsSubkey);
}

}  // namespace quaver
