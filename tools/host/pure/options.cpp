#include "pure/options.h"

#include <string_view>

namespace host {

namespace {

// "--name VALUE" or "--name=VALUE": true when `argument` is the option, with its value (empty when none was
// given) in `value`; a separate value is taken from the following argument.
bool TakeValue(std::string_view name, int argc, const char* const* argv, int& i, std::string_view* value) {
    const std::string_view argument = argv[i] ? argv[i] : "";
    if (argument == name) {
        *value = i + 1 < argc && argv[i + 1] ? std::string_view(argv[++i]) : std::string_view();
        return true;
    }
    if (argument.size() > name.size() && argument.substr(0, name.size()) == name && argument[name.size()] == '=') {
        *value = argument.substr(name.size() + 1);
        return true;
    }
    return false;
}

}  // namespace

Options ParseOptions(int argc, const char* const* argv) {
    Options options;
    bool startChosen = false;
    auto choose = [&](StartAction action, std::string_view name) {
        if (startChosen && options.start != action) {
            options.error =
                "--configure, --menu, --command and --status cannot be used together (" + std::string(name) + ")";
        }
        options.start = action;
        startChosen = true;
    };
    for (int i = 1; i < argc && options.error.empty(); ++i) {
        const std::string_view argument = argv[i] ? argv[i] : "";
        std::string_view value;
        if (argument == "--help" || argument == "-h" || argument == "/?") {
            options.help = true;
        } else if (argument == "--configure") {
            choose(StartAction::Configure, argument);
        } else if (argument == "--menu") {
            choose(StartAction::Menu, argument);
        } else if (argument == "--with-player") {
            options.withPlayer = true;
        } else if (argument == "--status") {
            choose(StartAction::Status, argument);
        } else if (argument == "--follow") {
            options.follow = true;
        } else if (TakeValue("--format", argc, argv, i, &value)) {
            options.statusFormat = value;
            if (value.empty()) options.error = "--format needs the text to print, e.g. --format \"{title}\"";
        } else if (TakeValue("--select", argc, argv, i, &value)) {
            options.selected.emplace_back(value);
            if (value.empty()) options.error = "--select needs the name of a file in the host's folder";
        } else if (TakeValue("--command", argc, argv, i, &value)) {
            choose(StartAction::Command, "--command");
            // Blank words would open the panel: not what a script asking for a command means.
            const size_t end = value.find_last_not_of(" \t");
            if (end == std::string_view::npos) {
                if (options.error.empty()) options.error = "--command needs the words to send, e.g. --command \"next\"";
            } else {
                options.command = value.substr(0, end + 1);
            }
        } else if (TakeValue("--module", argc, argv, i, &value)) {
            options.modulePath = value;
            if (value.empty()) options.error = "--module needs the path of a module";
        } else if (TakeValue("--language", argc, argv, i, &value)) {
            options.language = value;
            if (value.empty()) options.error = "--language needs the name of a language";
        } else {
            options.error = "unknown option: " + std::string(argument);
        }
    }
    // The player it would start is closed again at exit: right after the words were sent.
    if (options.error.empty() && options.withPlayer &&
        (options.start == StartAction::Command || options.start == StartAction::Status))
        options.error = "--with-player cannot be used with --command or --status";
    const bool statusOption = options.follow || options.statusFormat != defaultStatusFormat;
    if (options.error.empty() && statusOption && options.start != StartAction::Status)
        options.error = "--format and --follow go with --status";
    return options;
}

const char* UsageText() {
    return "usage: quaver-host.exe [OPTIONS]\n"
           "A console host for the Quaver Control module: loads quaver.dll and opens its panel.\n"
           "\n"
           "  --module PATH   load the module from PATH instead of quaver.dll next to this program:\n"
           "                  a module of the classic interface, or of the wide one (wide\\quaver.dll\n"
           "                  of the stand-alone archive); a relative PATH is also looked for next to\n"
           "                  this program\n"
           "  --menu          wait in the menu instead of opening the panel at once\n"
           "  --configure     open the module's configuration dialog first, then the menu\n"
           "  --with-player   start standin-player.exe (next to this program) when no player is\n"
           "                  running, and close it again at exit\n"
           "  --command WORDS send the player the commands WORDS names, as quaver:WORDS on the file\n"
           "                  manager's command line does, and exit without opening the panel. Words:\n"
           "                  play pause stop next prev rew ffwd vol+ vol- shuffle repeat open\n"
           "                  (also previous rewind forward louder quieter), in any case, e.g.\n"
           "                  quaver-host.exe --command \"stop next play\"; and track N, jump TEXT,\n"
           "                  seek [+|-]SECONDS or [+|-]M:SS, volume PERCENT, add (the file list's\n"
           "                  selected files, or the one under its cursor, to the playlist)\n"
           "  --select NAME   mark NAME of the file list (this program's folder) as selected, for add\n"
           "  --status        print what the player is doing in one line and exit: by default\n"
           "                  {state} {track}/{tracks} {position}/{length} {title}; also {volume},\n"
           "                  {bitrate}, {samplerate}, {channels}, {shuffle}, {repeat}\n"
           "  --format TEXT   with --status: print TEXT with those fields filled in\n"
           "  --follow        with --status: print a new line whenever it changes, until the player\n"
           "                  window goes\n"
           "  --language NAME use the module's language and help files for NAME (as their\n"
           "                  .Language= line names it, e.g. German); English otherwise\n"
           "  --help          show this text\n"
           "\n"
           "In the menu: Enter opens the panel, F9 configures the module, F10 or Esc quits; Up, Down,\n"
           "Home, End, PgUp and PgDn move the file list's cursor, Insert selects.\n"
           "Exit status: 0 done, 1 bad command line, 2 the module could not be loaded,\n"
           "3 no console could be opened, 4 the module's language file is missing or damaged,\n"
           "5 the words of --command were not sent, or --status found no player (why: on standard\n"
           "error).\n";
}

}  // namespace host
