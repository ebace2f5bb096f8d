#include "options.h"

#include <cerrno>
#include <cstdlib>

namespace standin {

const char helpText[] =
    "standin-player: a stand-in for the desktop player (window class \"Winamp v1.x\").\n"
    "It plays a simulated playlist in real time, answers the player's WM_USER queries, acts on its\n"
    "WM_COMMAND commands and keeps the title \"<n>. <artist> - <title> - Winamp\".\n"
    "\n"
    "Options (times in milliseconds, counted from the moment the process was created):\n"
    "  --log FILE            one line per message received: \"<tick> <message> <wParam> <lParam>\", a query\n"
    "                        followed by \" = <answer>\"; lines starting with '#' note the player's own events\n"
    "                        (window created, hung, exiting). Written at once; readable while running;\n"
    "                        appended to, so players started with the same options share one log.\n"
    "  --log-all             log every window message, not only the player's interface\n"
    "  --title TEXT          pin the window title to TEXT\n"
    "  --version HEX         answer to the version query (0, 0); default 5094\n"
    "  --answer Q=V          pin the answer to a WM_USER query. Q is LPARAM or LPARAM.WPARAM, e.g.\n"
    "                        --answer 104=7 (state), --answer 126.1=20000 (bit rate), --answer 105=-1\n"
    "                        (position). V is a signed 32-bit number, decimal or 0x hex. Repeatable.\n"
    "  --playlist FILE       tracks, one per line: a title alone (200 s, 128 kbps, 44 kHz, stereo), or\n"
    "                        artist|title|seconds|kbps|kHz|channels ('#' starts a comment line), in UTF-8\n"
    "                        (a byte-order mark allowed; a line that is not UTF-8 is read in the ANSI code\n"
    "                        page)\n"
    "  --entries N           a playlist of N numbered entries (\"Artist n\", \"Title number n\", 200 s,\n"
    "                        128 kbps, 44 kHz, stereo) instead of the default or --playlist\n"
    "  --state play|pause|stop   state at start (default play)\n"
    "  --state-in-title      add \" [Paused]\" or \" [Stopped]\" after \" - Winamp\" as the player does\n"
    "  --auto-advance MS     go to the next track every MS while playing\n"
    "The playlist's texts lie in the player's memory: WM_USER 212 (wParam the entry, from 0) answers the\n"
    "address of its title in the ANSI code page ('?' for a character that it lacks), 213 of its title in\n"
    "UTF-16, 214 of its path in UTF-16 (C:\\Music\\<artist> - <title>.mp3 for a playlist's entry); 124, 121,\n"
    "106 and 122 count, choose, seek and set the volume. WM_COPYDATA appends a file: dwData 100 with its\n"
    "ANSI path, 1100 with its UTF-16 path (logged as \"<tick> WM_COPYDATA <dwData> <path>\"). The log and\n"
    "the window title keep every character; the log is UTF-8.\n"
    "Harsh players (as real ones can be):\n"
    "  --titles-high         keep the texts that 212, 213 and 214 point to where only an address of the\n"
    "                        player's full width reaches: above 2 GiB in the 32-bit player, above 4 GiB in\n"
    "                        the 64-bit one\n"
    "                        (noted in the log as \"# <tick> titles at 0x...\")\n"
    "  --shared-title-buffer one buffer for every 212 answer, rewritten with the title asked last (and one\n"
    "                        wide buffer for 213), as a player does that makes each title when asked\n"
    "  --title-cost MS       every title question (212, 213, 214) takes MS of the player's time; decimal,\n"
    "                        e.g. 1 or 0.25\n"
    "  --append-cost MS      every append (WM_COPYDATA 100, 1100) takes MS; decimal\n"
    "Fault modes:\n"
    "  --hang-after MS       stop answering messages after MS; the window stays\n"
    "  --slow MS             delay every answer by MS\n"
    "  --exit-after MS       close the window and exit after MS (also when hung)\n"
    "  --show-window-after MS    start at once but create the window only after MS\n"
    "Registration (then exit; status 0 on success):\n"
    "  --register            make this program the registered open command of Winamp.File\n"
    "                        (HKEY_CLASSES_ROOT\\Winamp.File\\shell\\open\\command = \"<path>\" \"%1\")\n"
    "  --unregister          remove that command again if it is this program's\n"
    "  --help                this text\n"
    "A FILE argument without an option is taken as a file to open and only noted in the log.\n"
    "The environment variable STANDIN_PLAYER_OPTIONS adds options before those of the command line, so\n"
    "that a player started through its registered command (which passes none) can be set up too.\n";

namespace {

// Enough for any playlist a test wants, few enough that the player's memory holds their texts.
constexpr uint32_t maxEntries = 1000000;

bool ParseUnsigned(const std::string& text, int base, uint32_t& value) {
    if (text.empty() || text[0] == '-' || text[0] == '+') return false;
    errno = 0;
    char* end = nullptr;
    const unsigned long long number = std::strtoull(text.c_str(), &end, base);
    if (*end != '\0' || errno != 0 || number > 0xFFFFFFFFull) return false;
    value = static_cast<uint32_t>(number);
    return true;
}

// Digits with at most one decimal point ("1", "0.25", ".5"); a minute at most.
bool ParseDecimalMilliseconds(const std::string& text, double& value) {
    int digits = 0, points = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') ++digits;
        else if (c == '.') ++points;
        else return false;
    }
    if (digits == 0 || points > 1) return false;
    const double number = std::strtod(text.c_str(), nullptr);
    if (number > 60000) return false;
    value = number;
    return true;
}

bool ParseSigned32(const std::string& text, int32_t& value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long long number = std::strtoll(text.c_str(), &end, 0);
    if (*end != '\0' || errno != 0) return false;
    // Unsigned hexadecimal up to 0xFFFFFFFF is taken as its 32-bit pattern.
    if (number < INT32_MIN || number > static_cast<long long>(UINT32_MAX)) return false;
    value = static_cast<int32_t>(static_cast<uint32_t>(number));
    return true;
}

}  // namespace

bool ParseAnswer(const std::string& text, uintptr_t& wParam, intptr_t& lParam, int32_t& value) {
    const size_t equals = text.find('=');
    if (equals == std::string::npos) return false;
    const std::string query = text.substr(0, equals);
    const size_t dot = query.find('.');
    uint32_t l = 0, w = 0;
    if (!ParseUnsigned(query.substr(0, dot), 10, l)) return false;
    if (dot != std::string::npos && !ParseUnsigned(query.substr(dot + 1), 10, w)) return false;
    if (!ParseSigned32(text.substr(equals + 1), value)) return false;
    wParam = w;
    lParam = static_cast<intptr_t>(l);
    return true;
}

std::vector<std::string> SplitOptionText(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

bool ParseOptions(const std::vector<std::string>& arguments, Options& options, std::string& error) {
    const size_t count = arguments.size();
    for (size_t i = 0; i < count; ++i) {
        const std::string& name = arguments[i];
        auto flag = [&](const char* wanted) { return name == wanted; };
        if (flag("--help") || flag("-h") || flag("/?")) { options.help = true; continue; }
        if (flag("--log-all")) { options.logAll = true; continue; }
        if (flag("--state-in-title")) { options.stateInTitle = true; continue; }
        if (flag("--titles-high")) { options.titlesHigh = true; continue; }
        if (flag("--shared-title-buffer")) { options.sharedTitleBuffer = true; continue; }
        if (flag("--register")) { options.registerCommand = true; continue; }
        if (flag("--unregister")) { options.unregisterCommand = true; continue; }

        if (name.rfind("-", 0) != 0) {  // a file to open, as the registered command hands one over
            options.openedFile = name;
            continue;
        }
        static const char* const valueOptions[] = {"--log", "--title", "--playlist", "--version", "--answer",
                                                   "--state", "--hang-after", "--slow", "--exit-after",
                                                   "--show-window-after", "--auto-advance", "--title-cost",
                                                   "--append-cost", "--entries"};
        bool known = false;
        for (const char* option : valueOptions) known = known || name == option;
        if (!known) {
            error = "unknown option " + name + " (see --help)";
            return false;
        }
        if (i + 1 >= count) {
            error = name + " needs a value";
            return false;
        }
        const std::string& value = arguments[++i];
        auto milliseconds = [&](uint32_t& field) {
            if (ParseUnsigned(value, 10, field)) return true;
            error = name + ": expected milliseconds, got \"" + value + "\"";
            return false;
        };
        if (flag("--log")) options.logPath = value;
        else if (flag("--title")) { options.title = value; options.pinnedTitle = true; }
        else if (flag("--playlist")) options.playlistPath = value;
        else if (flag("--version")) {
            std::string digits = value.rfind("0x", 0) == 0 || value.rfind("0X", 0) == 0 ? value.substr(2) : value;
            if (!ParseUnsigned(digits, 16, options.version)) {
                error = "--version: expected a hexadecimal number, got \"" + value + "\"";
                return false;
            }
        } else if (flag("--answer")) {
            uintptr_t w = 0;
            intptr_t l = 0;
            int32_t answer = 0;
            if (!ParseAnswer(value, w, l, answer)) {
                error = "--answer: expected LPARAM[.WPARAM]=VALUE, got \"" + value + "\"";
                return false;
            }
            options.answers[{w, l}] = answer;
        } else if (flag("--state")) {
            if (value == "play") options.initialState = 1;
            else if (value == "pause") options.initialState = 3;
            else if (value == "stop") options.initialState = 0;
            else {
                error = "--state: expected play, pause or stop, got \"" + value + "\"";
                return false;
            }
        } else if (flag("--hang-after")) { if (!milliseconds(options.hangAfter)) return false; }
        else if (flag("--slow")) { if (!milliseconds(options.slow)) return false; }
        else if (flag("--exit-after")) { if (!milliseconds(options.exitAfter)) return false; }
        else if (flag("--show-window-after")) { if (!milliseconds(options.showWindowAfter)) return false; }
        else if (flag("--auto-advance")) { if (!milliseconds(options.autoAdvance)) return false; }
        else if (flag("--title-cost") || flag("--append-cost")) {
            if (!ParseDecimalMilliseconds(value, flag("--title-cost") ? options.titleCostMs : options.appendCostMs)) {
                error = name + ": expected milliseconds such as 1 or 0.25, got \"" + value + "\"";
                return false;
            }
        } else if (flag("--entries")) {
            if (!ParseUnsigned(value, 10, options.entries) || options.entries == 0 || options.entries > maxEntries) {
                error = "--entries: expected 1 to " + std::to_string(maxEntries) + " entries, got \"" + value + "\"";
                return false;
            }
        }
    }
    return true;
}

}  // namespace standin
