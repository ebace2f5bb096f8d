#include "pure/options.h"

#include <string_view>

namespace host {

Options ParseOptions(int argc, const char* const* argv) {
    Options options;
    bool startChosen = false;
    auto choose = [&](StartAction action, std::string_view name) {
        if (startChosen && options.start != action) {
            options.error = "--configure, --menu and --command cannot be used together (" + std::string(name) + ")";
        }
        options.start = action;
        startChosen = true;
    };
    for (int i = 1; i < argc && options.error.empty(); ++i) {
        const std::string_view argument = argv[i] ? argv[i] : "";
        if (argument == "--help" || argument == "-h" || argument == "/?") {
            options.help = true;
        } else if (argument == "--configure") {
            choose(StartAction::Configure, argument);
        } else if (argument == "--menu") {
            choose(StartAction::Menu, argument);
        } else if (argument == "--with-player") {
            options.withPlayer = true;
        } else if (argument == "--command" || argument.substr(0, 10) == "--command=") {
            choose(StartAction::Command, "--command");
            std::string_view words;
            if (argument == "--command") {
                if (i + 1 < argc && argv[i + 1]) words = argv[++i];
            } else {
                words = argument.substr(10);
            }
            // Blank words would open the panel: not what a script asking for a command means.
            const size_t end = words.find_last_not_of(" \t");
            if (end == std::string_view::npos) {
                if (options.error.empty()) options.error = "--command needs the words to send, e.g. --command \"next\"";
            } else {
                options.command = words.substr(0, end + 1);
            }
        } else if (argument == "--module") {
            if (i + 1 >= argc || !argv[i + 1] || !*argv[i + 1]) {
                options.error = "--module needs the path of a module";
            } else {
                options.modulePath = argv[++i];
            }
        } else if (argument.substr(0, 9) == "--module=") {
            options.modulePath = argument.substr(9);
            if (options.modulePath.empty()) options.error = "--module needs the path of a module";
        } else if (argument == "--language") {
            if (i + 1 >= argc || !argv[i + 1] || !*argv[i + 1]) {
                options.error = "--language needs the name of a language";
            } else {
                options.language = argv[++i];
            }
        } else if (argument.substr(0, 11) == "--language=") {
            options.language = argument.substr(11);
            if (options.language.empty()) options.error = "--language needs the name of a language";
        } else {
            options.error = "unknown option: " + std::string(argument);
        }
    }
    // The player it would start is closed again at exit: right after the words were sent.
    if (options.error.empty() && options.withPlayer && options.start == StartAction::Command)
        options.error = "--with-player cannot be used with --command";
    return options;
}

const char* UsageText() {
    return "usage: quaver-host.exe [OPTIONS]\n"
           "A console host for the Quaver Control module: loads quaver.dll and opens its panel.\n"
           "\n"
           "  --module PATH   load the module from PATH instead of quaver.dll next to this program\n"
           "  --menu          wait in the menu instead of opening the panel at once\n"
           "  --configure     open the module's configuration dialog first, then the menu\n"
           "  --with-player   start standin-player.exe (next to this program) when no player is\n"
           "                  running, and close it again at exit\n"
           "  --command WORDS send the player the commands WORDS names, as quaver:WORDS on the file\n"
           "                  manager's command line does, and exit without opening the panel. Words:\n"
           "                  play pause stop next prev rew ffwd vol+ vol- shuffle repeat open\n"
           "                  (also previous rewind forward louder quieter), in any case, e.g.\n"
           "                  quaver-host.exe --command \"stop next play\"\n"
           "  --language NAME use the module's language and help files for NAME (as their\n"
           "                  .Language= line names it, e.g. German); English otherwise\n"
           "  --help          show this text\n"
           "\n"
           "In the menu: Enter opens the panel, F9 configures the module, F10 or Esc quits.\n"
           "Exit status: 0 done, 1 bad command line, 2 the module could not be loaded,\n"
           "3 no console could be opened, 4 the module's language file is missing or damaged,\n"
           "5 the words of --command were not sent (why: on standard error).\n";
}

}  // namespace host
