// Any version value the player answers, in both forms of the minor digits: the panel title it makes fits
// liveDisplay.versionTitle, reads back as " Quaver v<major>.<minor> Control " in upper-case hexadecimal without leading
// zeros, and stays inside the top border of either panel.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "fake_host.h"
#include "fake_os.h"
#include "fuzz_input.h"
#include "panel/geometry.h"
#include "panel/refresh.h"
#include "panel/version_title.h"

using namespace quaver;
using fuzz::Require;

namespace {

constexpr char prefix[] = " Quaver v";
constexpr char suffix[] = " Control ";

// Reads upper-case hexadecimal digits without a leading zero (a lone 0 is fine) up to the stop character.
bool ReadHex(const char*& text, char stop, uint32_t& value) {
    value = 0;
    const char* start = text;
    for (; *text && *text != stop; ++text) {
        const char c = *text;
        if ((c < '0' || c > '9') && (c < 'A' || c > 'F')) return false;
        if (text - start >= 8) return false;
        value = value * 16 + static_cast<uint32_t>(c <= '9' ? c - '0' : c - 'A' + 10);
    }
    const size_t digits = static_cast<size_t>(text - start);
    return *text == stop && digits > 0 && (digits == 1 || *start != '0');
}

// The value's hexadecimal digits above its lowest three, as a 32-bit number: a negative value keeps its sign,
// so three F digits come in from the left. Without leading zeros.
std::string MajorDigits(int32_t value) {
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08X", static_cast<uint32_t>(value));
    const std::string all = std::string(value < 0 ? "FFF" : "000") + std::string(digits, 5);
    const size_t first = all.find_first_not_of('0');
    return first == std::string::npos ? "0" : all.substr(first);
}

void CheckTitle(int32_t value, bool minorAsTwoDigits) {
    const PlayerVersionNumber version = SplitPlayerVersion(value, minorAsTwoDigits);

    char (&versionTitle)[sizeof liveDisplay.versionTitle] = liveDisplay.versionTitle;
    const int length = FormatVersionTitle(versionTitle, version);
    Require(length > 0 && length < versionTitleCapacity, "the title fits versionTitle");
    Require(static_cast<size_t>(length) == strnlen(versionTitle, sizeof versionTitle), "the length is the title's");

    const size_t prefixLength = sizeof prefix - 1, suffixLength = sizeof suffix - 1;
    Require(std::strncmp(versionTitle, prefix, prefixLength) == 0, "the title starts with the name");
    Require(static_cast<size_t>(length) > prefixLength + suffixLength &&
                std::strcmp(versionTitle + length - suffixLength, suffix) == 0,
            "the title ends with \" Control \"");
    const char* at = versionTitle + prefixLength;
    uint32_t major = 0, minor = 0;
    Require(ReadHex(at, '.', major), "the major version in upper-case hexadecimal");
    ++at;
    Require(ReadHex(at, ' ', minor) && at == versionTitle + length - suffixLength,
            "the minor version in upper-case hexadecimal");
    Require(major == static_cast<uint32_t>(version.major), "the title shows the major version");
    Require(std::string(versionTitle + prefixLength, std::strchr(versionTitle, '.')) == MajorDigits(value),
            "the major version reads as the value's digits above its lowest three");
    Require(minor == static_cast<uint32_t>(version.minor), "the title shows the minor version");

    // The minor digits: the three lowest hexadecimal digits with the two lowest exchanged ...
    const uint32_t digits = static_cast<uint32_t>(value);
    const uint32_t exchanged = (digits & 0xF00) | ((digits & 0xF) << 4) | ((digits >> 4) & 0xF);
    if (minorAsTwoDigits) {
        Require(minor == exchanged >> 4, "the two-digit form keeps the two leading minor digits");
    } else {
        // ... with up to two trailing zero digits dropped, and no more.
        const bool dropsNone = minor == exchanged && (exchanged % 16 != 0 || exchanged == 0);
        const bool dropsOne = minor * 16 == exchanged && minor % 16 != 0;
        const bool dropsTwo = minor * 256 == exchanged;
        Require(dropsNone || dropsOne || dropsTwo, "trailing zero minor digits dropped, at most two");
    }

    for (const uint32_t width : {narrowPanelWidth, widePanelWidth})
        for (const bool closeButton : {false, true}) {
            const int16_t column = PanelTitleColumn(width, length, closeButton);
            Require(column >= 0 && column + length <= static_cast<int32_t>(width) - 1,
                    "the title stays inside the top border");
        }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started = [] {
        fake::Reset();
        fake::StartModule();
        return true;
    }();
    (void)started;
    fuzz::FuzzInput in(data, size);
    do {
        const int32_t value = in.Take<int32_t>();
        CheckTitle(value, false);
        CheckTitle(value, true);
    } while (!in.empty());
    return 0;
}
