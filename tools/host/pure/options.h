// quaver-host.exe's command line.
#pragma once

#include <string>
#include <vector>

namespace host {

enum class StartAction {
    OpenPanel,  // the default: the panel opens at once
    Configure,  // --configure: the configuration dialog first
    Menu,       // --menu: wait in the menu
    Command,    // --command WORDS: send the words as quaver:WORDS on the host's command line would, and exit
    Status,     // --status: print what the player is doing, one line (or one a change with --follow)
};

inline constexpr char defaultStatusFormat[] = "{state} {track}/{tracks} {position}/{length} {title}";

struct Options {
    StartAction start = StartAction::OpenPanel;
    bool withPlayer = false;
    bool help = false;
    std::string modulePath;  // empty: quaver.dll next to the host
    std::string command;     // the words of --command, trailing blanks removed as the host's command line does
    std::string language = "English";  // the interface language the module's files are chosen by
    std::vector<std::string> selected;  // --select NAME: names of the file list marked as selected
    std::string statusFormat = defaultStatusFormat;  // --format TEXT
    bool follow = false;                              // --follow
    std::string error;       // non-empty: the command line was not understood
};

// argv[0] is the program and is skipped.
Options ParseOptions(int argc, const char* const* argv);

// The text --help prints, one option a line.
const char* UsageText();

}  // namespace host
