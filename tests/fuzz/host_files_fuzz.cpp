// Language and help files of any bytes, as quaver-host reads them from the module's folder in either module's
// coding: a file is either refused with a line inside it or read whole; a help topic's view, worked with any keys at any
// screen size, only ever draws on the screen and only ever offers a link the file has.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "pure/help_file.h"
#include "pure/language_file.h"

using namespace host;
using fuzz::Require;

namespace {

int LineCount(const std::string& text) {
    int lines = 1;
    for (char c : text) lines += c == '\n';
    return lines;
}

void LanguageFileOf(const std::string& text, int needed) {
    LanguageFile file;
    FileProblem problem;
    const bool read = file.Parse(text, needed, &problem);
    Require(read == problem.reason.empty(), "a refused file says why, a read one does not");
    Require(read || (problem.line >= 1 && problem.line <= LineCount(text)), "the line named lies in the file");
    Require(read ? file.Count() >= needed : file.Count() == 0, "a refused file gives no texts");
    for (int number = -1; number <= file.Count(); ++number) Require(file.Get(number) != nullptr, "never null");
}

void HelpFileOf(const std::string& text, fuzz::FuzzInput& in) {
    HelpFile file;
    FileProblem problem;
    const bool read = ParseHelpFile(text, &file, &problem);
    Require(read == problem.reason.empty(), "a refused file says why, a read one does not");
    Require(read || (problem.line >= 1 && problem.line <= LineCount(text)), "the line named lies in the file");
    if (!read || file.topics.empty()) return;
    const HelpTopic& topic = file.topics[in.TakeBelow(static_cast<uint32_t>(file.topics.size()))];
    const int width = 1 + static_cast<int>(in.TakeBelow(200));
    const int height = 1 + static_cast<int>(in.TakeBelow(80));
    HelpView view(topic, width, height);
    ScreenBuffer screen(width, height);
    for (int step = 0; step < 32 && !in.empty(); ++step) {
        view.Key(static_cast<HelpKey>(in.TakeBelow(static_cast<uint32_t>(HelpKey::Close) + 1)));
        Require(view.Top() >= 0 && view.Top() <= view.LastTop(), "the page stays inside the topic");
        const std::string target = view.SelectedTarget();
        Require(target.empty() || FindHelpTopic(file, target), "a selected link leads to a topic of the file");
        view.Draw(screen);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput in(data, size);
    const int needed = static_cast<int>(in.TakeBelow(40));
    const FileCoding coding = in.TakeBelow(2) ? FileCoding::Unicode : FileCoding::Oem;
    std::string text;
    if (!DecodeFileText(in.TakeText(4096), coding, &text)) return 0;
    LanguageFileOf(text, needed);
    HelpFileOf(text, in);
    return 0;
}
