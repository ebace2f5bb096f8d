// The classic host: its records copied at start-up, its language strings, message boxes and help.
#include "host/host.h"

#include <cstring>

#include "os/os.h"

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
    const char* lines[3] = {hostText::menuTitle, text, GetLangString(message::ErrorButton)};
    ShowHostMessage(messageBox::Error, lines, 3, 1);
}

int ShowHostMessage(unsigned flags, const char* const* lines, int lineCount, int buttonCount) {
    const HostServices& host = hostLink.services;
    return host.ShowMessage ? host.ShowMessage(host.moduleNumber, flags, nullptr, lines, lineCount, buttonCount) : -1;
}

void ShowHelpTopic(const char* topic) {
    if (hostLink.services.ShowHelpTopic) hostLink.services.ShowHelpTopic(hostLink.services.moduleName, topic, 0);
}

void BuildSettingsKeyPath(const char* registryRoot, char (&path)[80]) {
    path[0] = '\0';
    if (!registryRoot) return;
    const size_t rootLength = strnlen(registryRoot, sizeof path);
    if (rootLength + sizeof settingsSubkey > sizeof path) return;
    FormatText(path, "%s%s", registryRoot, settingsSubkey);
}

void PlayerTextToHost(const char* from, char* to, uint32_t count) { os::CharToOemBuff(from, to, count); }

void HostTextToPlayer(const char* from, char* to, uint32_t count) { os::OemToCharBuff(from, to, count); }

}  // namespace quaver
