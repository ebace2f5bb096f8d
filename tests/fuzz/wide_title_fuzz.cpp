// Whatever UTF-16 a player's window title holds, and whatever scroll state the module carries: the shown part
// never splits a pair, and in every field size and scroll mode the wide title line fills exactly its cells
// with well-formed UTF-16, inside its buffer.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_input.h"
#include "host/text_cells.h"
#include "panel/wide_title_layout.h"

using namespace quaver;
using fuzz::Require;

namespace {

bool SplitsAPair(const std::vector<char16_t>& text, int32_t at) {
    return at > 0 && at < static_cast<int32_t>(text.size()) && IsHighSurrogate(text[static_cast<size_t>(at - 1)]) &&
           IsLowSurrogate(text[static_cast<size_t>(at)]);
}

bool WellFormed(const char16_t* text, int32_t length) {
    for (int32_t i = 0; i < length; ++i) {
        if (IsHighSurrogate(text[i]) && i + 1 < length && IsLowSurrogate(text[i + 1])) ++i;
        else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) return false;
    }
    return true;
}

void LayOutEverywhere(const std::vector<char16_t>& shown, const ScrollState& start, int passes) {
    const int32_t length = static_cast<int32_t>(shown.size());
    const int32_t cells = TextCells(shown.data(), length);
    for (int32_t fieldCells = 1; fieldCells <= 34; ++fieldCells) {
        for (int32_t mode = 0; mode <= scrollModeValue::Count; ++mode) {
            ScrollState scroll = start;
            // Exactly the capacity asked for: the sanitizer sees any unit written past it.
            std::vector<char16_t> field(static_cast<size_t>(WideFieldCapacity(fieldCells)));
            for (int pass = 0; pass < passes; ++pass) {
                const WideTitleSpan span = LayOutWideTitle(shown.data(), length, fieldCells, mode, scroll,
                                                           field.data(), static_cast<int32_t>(field.size()));
                Require(span.units > 0 && span.units < static_cast<int32_t>(field.size()) &&
                            field[static_cast<size_t>(span.units)] == 0,
                        "the field is written and terminated inside its buffer");
                Require(TextCells(field.data(), span.units) == fieldCells, "the field fills exactly its cells");
                Require(WellFormed(field.data(), span.units), "the field is well-formed UTF-16");
                Require(span.at >= 0 && span.cells >= 0 && span.at + span.cells <= fieldCells,
                        "the title's span lies in the field");
                if (cells > fieldCells && (mode == 1 || mode == 2))
                    Require(scroll.offset >= 0 &&
                                scroll.offset <= (mode == 1 ? cells - fieldCells : cells + bandSeparatorLength - 1),
                            "the scroll offset stays inside the title's cells");
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput in(data, size);
    const ScrollState start{in.Take<int32_t>() % 400, in.Take<int32_t>(), in.Take<uint8_t>(), in.Take<int32_t>() % 400};
    const int passes = 1 + in.Take<uint8_t>() % 4;
    // The rest is the window title, as many units as the title buffer holds.
    std::vector<char16_t> title;
    while (!in.empty() && title.size() < static_cast<size_t>(titleQueryLimit)) title.push_back(in.Take<char16_t>());

    LayOutEverywhere(title, start, passes);
    ShownTitle shown{};
    if (!FindShownTitle(title.data(), static_cast<int32_t>(title.size()), shown)) return 0;
    Require(shown.start >= 0 && shown.length > 0 && shown.start + shown.length <= static_cast<int32_t>(title.size()),
            "the shown part lies inside the title");
    Require(!SplitsAPair(title, shown.start) && !SplitsAPair(title, shown.start + shown.length),
            "the shown part never begins or ends inside a pair");
    LayOutEverywhere(std::vector<char16_t>(title.begin() + shown.start, title.begin() + shown.start + shown.length),
                     start, passes);
    return 0;
}
