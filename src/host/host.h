// The host as the module uses it: language strings by number, message boxes and the error box, help, the
// host's formatting. Both builds share these declarations; each implements them against its own interface
// (host/classic/, host/wide/).
#pragma once

#include <cstddef>

#include "host/host_api.h"
#include "host/host_text.h"
#if QUAVER_WIDE
#include "host/wide_api.h"
#endif

namespace quaver {

#if !QUAVER_WIDE
// The module's copies of the host's records and the settings path. Written once by SetStartupInfo, on the
// host's thread, before the host calls anything else; only read afterwards, by every thread, without a lock.
struct HostLink {
    HostServices services;                     // the first sizeof(HostServices) bytes the host handed over
    HostStandardFunctions standardFunctions;  // services.standardFunctions points here
    char settingsKeyPath[80];                 // empty: the settings stay at their defaults
    bool tooOld;
};
extern HostLink hostLink;
#endif

// The title of the module's menu entries and dialogs, as the dialog tables name it (code page 437 bytes).
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
constexpr int SettingsNotStored = 43;  // the wide build's SettingsNotSaved: the host's settings store
constexpr int PathNotTaken = 44;       // followed by the path in quotes
constexpr int EntriesLeftOut = 45;     // followed by their number
// Every language file carries messages 0 to Count - 1, in this order.
constexpr int Count = 46;
// The configuration could not be stored: in the registry, or in the wide host's settings store.
#if QUAVER_WIDE
constexpr int SettingsStoreFailed = SettingsNotStored;
#else
constexpr int SettingsStoreFailed = SettingsNotSaved;
#endif
}  // namespace message

// The host's text for message n; never null (an empty text stands in when the host gives none).
const HostChar* GetLangString(int messageNumber);
void ShowErrorBox(int code);
void ShowErrorText(const HostChar* text);  // the error box with a text of the caller's

// Message box flags, the same bits in both interfaces.
namespace messageBox {
constexpr unsigned Plain = 0;
constexpr unsigned Warning = 1, LeftAligned = 8;
constexpr unsigned Error = Warning | LeftAligned;
}  // namespace messageBox
// A message box: lines[0] is its title, then the body, then buttonCount button captions. With no buttons the
// host draws the box and returns at once; it stays until the screen beneath is restored. The button chosen,
// or a negative value.
int ShowHostMessage(unsigned flags, const HostChar* const* lines, int lineCount, int buttonCount);
// A topic of the module's own help file.
void ShowHelpTopic(const HostChar* topic);

#if !QUAVER_WIDE
// Builds "<root>\QuaverRemoteControl" into an 80-byte buffer. A root that would not fit leaves the path
// empty, which keeps the settings at their defaults rather than reading or writing a cut, wrong key.
void BuildSettingsKeyPath(const char* registryRoot, char (&path)[80]);

// Calls through the copied standard functions, so that no caller touches the table.
template <typename... Arguments>
int FormatText(char* buffer, const char* format, Arguments... arguments) {
    return hostLink.standardFunctions.FormatText(buffer, format, arguments...);
}
inline int CompareN(const char* a, const char* b, size_t n) { return hostLink.standardFunctions.CompareN(a, b, n); }

// The host's text formatted into a buffer of its own characters. The classic host's formatter takes no
// bound: every caller's buffer holds the longest text its format can make.
template <size_t capacity, typename... Arguments>
int FormatHostText(HostChar (&buffer)[capacity], const HostChar* format, Arguments... arguments) {
    return FormatText(buffer, format, arguments...);
}
#else
// Formats panel text (code page 437 bytes, numbers and ASCII only) as the classic host's formatter does; the
// caller's buffer holds the longest text its format can make.
int FormatText(char* buffer, const char* format, ...);
// Compares n characters of plain ASCII text without case.
int CompareN(const char* a, const char* b, size_t n);

// The host's formatter (its standard functions' snprintf); null when it gave none.
wide::SnprintfFunction HostFormatter();
// The host's text formatted by the host, never beyond the buffer, always terminated.
template <size_t capacity, typename... Arguments>
int FormatHostText(HostChar (&buffer)[capacity], const HostChar* format, Arguments... arguments) {
    buffer[0] = 0;
    const wide::SnprintfFunction formatter = HostFormatter();
    const int written = formatter ? formatter(buffer, capacity, format, arguments...) : -1;
    buffer[capacity - 1] = 0;
    return written;
}
#endif

}  // namespace quaver
