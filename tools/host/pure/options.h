// quaver-host.exe's command line.
#pragma once

#include <string>

namespace host {

enum class StartAction {
    OpenPanel,  // the default: the panel opens at once
    Configure,  // --configure: the configuration dialog first
    Menu,       // --menu: wait in the menu
};

struct Options {
    StartAction start = StartAction::OpenPanel;
    bool withPlayer = false;
    bool help = false;
    std::string modulePath;  // empty: quaver.dll next to the host
    std::string language = "English";  // the interface language the module's files are chosen by
    std::string error;       // non-empty: the command line was not understood
};

// argv[0] is the program and is skipped.
Options ParseOptions(int argc, const char* const* argv);

// The text --help prints, one option a line.
const char* UsageText();

}  // namespace host
