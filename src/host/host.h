// The module's copies of the host's records, language strings by number and the error box.
#pragma once

#include "host/host_api.h"

namespace quaver {

// The module's copies of the host's records and the settings path. Written once by SetStartupInfo, on the
// host's thread, before the host calls anything else; only read afterwards, by every thread, without a lock.
struct HostLink {
    HostServices services;                     // the first sizeof(HostServices) bytes the host handed over
    HostStandardFunctions standardFunctions;  // services.standardFunctions points here
    char settingsKeyPath[80];                 // empty: the settings stay at their defaults
    bool tooOld;
};
extern HostLink hostLink;

inline constexpr char menuTitle[] = "Quaver Control";

// Message numbers of the host's language file for this module.
namespace message {
constexpr int CreateEventFailed = 0;
constexpr int CreateThreadFailed = 1;
constexpr int ConsoleModeFailed = 2;
constexpr int HostTooOld = 3;
constexpr int ErrorButton = 22;
constexpr int PlayerStarting = 23;
constexpr int PlayerCommandLine = 24;
constexpr int SettingsNotSaved = 25;
constexpr int UnknownCommandWord = 26;  // followed by the word in quotes
constexpr int CommandTooLong = 27;
constexpr int PlaylistWindow = 28;     // the playlist menu's bottom line, followed by the entries it lists
constexpr int BadWordValue = 29;       // followed by the word and its value in quotes
constexpr int NoTitleContains = 30;    // followed by the text in quotes
constexpr int PanelNotRealFiles = 31;  // followed by the word in quotes
constexpr int NotEveryTitleRead = 32;  // followed by the text in quotes
constexpr int SearchingPlaylist = 33;
constexpr int NothingToAdd = 34;       // followed by the word in quotes
constexpr int SeekNotPlaying = 35;     // followed by the word in quotes
constexpr int SeekPastEnd = 36;        // followed by the word in quotes
constexpr int AddUnderWay = 37;        // followed by the files sent and of how many
constexpr int StopAdding = 38;
constexpr int GoOnAdding = 39;
constexpr int AddEnded = 40;           // followed by the files sent and of how many
constexpr int AddingFiles = 41;        // the title line's, followed by the count
constexpr int FilesAdded = 42;         // the title line's, followed by the count
// Every language file carries messages 0 to Count - 1, in this order.
constexpr int Count = 43;
}  // namespace message

// The host's text for message n; never null (an empty text stands in when the host gives none).
const char* GetLangString(int messageNumber);
void ShowErrorBox(int code);
void ShowErrorText(const char* text);  // the error box with a text of the caller's

// Builds "<root>\QuaverRemoteControl" into an 80-byte buffer. A root that would not fit leaves the path
// empty, which keeps the settings at their defaults rather than reading or writing a cut, wrong key.
void BuildSettingsKeyPath(const char* registryRoot, char (&path)[80]);

// Calls through the copied standard functions, so that no caller touches the table.
template <typename... Arguments>
int FormatText(char* buffer, const char* format, Arguments... arguments) {
    return hostLink.standardFunctions.FormatText(buffer, format, arguments...);
}
inline int CompareN(const char* a, const char* b, size_t n) { return hostLink.standardFunctions.CompareN(a, b, n); }

}  // namespace quaver
