#include "pure/wide_records.h"

#include <cstdio>
#include <cstring>
#include <tuple>

namespace host {

namespace {

// The console's sixteen colours, as 0x00BBGGRR.
constexpr uint32_t consoleColours[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

bool Opaque(uint32_t colour) { return (colour >> 24) == 0xFF; }

bool Given(const wchar_t* text) { return text && *text; }

size_t AlignUp(size_t value, size_t alignment) { return (value + alignment - 1) / alignment * alignment; }

// The text copied to `at` within the buffer, terminated.
const wchar_t* PlaceText(const std::wstring& text, unsigned char* buffer, size_t at) {
    auto* place = reinterpret_cast<wchar_t*>(buffer + at);
    std::memcpy(place, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    return place;
}

}  // namespace

std::string IdentityProblem(const wide::Identity& identity) {
    if (identity.size < sizeof(wide::Identity) || !Given(identity.title) || !Given(identity.description) ||
        !Given(identity.author))
        return "its identity is incomplete";
    if (identity.module == wide::Guid{}) return "its GUID is zero";
    const wide::Version& wanted = identity.oldestHost;
    if (std::tie(wanted.major, wanted.minor, wanted.build, wanted.revision) >
        std::tie(hostVersion.major, hostVersion.minor, hostVersion.build, hostVersion.revision)) {
        char text[128];
        std::snprintf(text, sizeof text, "it needs a host of version %u.%u build %u or newer; this one is %u.%u build %u",
                      wanted.major, wanted.minor, wanted.build, hostVersion.major, hostVersion.minor, hostVersion.build);
        return text;
    }
    return {};
}

std::string GuidText(const wide::Guid& guid) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", guid.data1, guid.data2,
                  guid.data3, guid.data4[0], guid.data4[1], guid.data4[2], guid.data4[3], guid.data4[4], guid.data4[5],
                  guid.data4[6], guid.data4[7]);
    return text;
}

uint8_t NearestConsoleColour(uint32_t rgb) {
    const auto channel = [](uint32_t colour, int shift) { return static_cast<int>((colour >> shift) & 0xFF); };
    uint8_t nearest = 0;
    long best = -1;
    for (uint8_t i = 0; i < 16; ++i) {
        long distance = 0;
        for (int shift : {0, 8, 16}) {
            const long step = channel(rgb, shift) - channel(consoleColours[i], shift);
            distance += step * step;
        }
        if (best < 0 || distance < best) {
            best = distance;
            nearest = i;
        }
    }
    return nearest;
}

Paint PaintOf(const wide::Colour& colour) {
    namespace flag = wide::colourFlag;
    const auto half = [](uint32_t value, bool index) {
        return static_cast<uint8_t>(index ? value & 0x0F : NearestConsoleColour(value & 0xFFFFFF));
    };
    Paint paint{0, 0};
    if (Opaque(colour.foreground)) {
        paint.attribute |= half(colour.foreground, (colour.flags & flag::ForegroundIndex) != 0);
    } else {
        paint.keep |= 0x0F;
    }
    if (Opaque(colour.background)) {
        paint.attribute |= static_cast<uint8_t>(half(colour.background, (colour.flags & flag::BackgroundIndex) != 0) << 4);
    } else {
        paint.keep |= 0xF0;
    }
    return paint;
}

wide::Colour ColourOf(uint8_t attribute) {
    wide::Colour colour{};
    colour.flags = wide::colourFlag::ClassicAttribute;
    colour.foreground = wide::opaque | (attribute & 0x0Fu);
    colour.background = wide::opaque | ((attribute >> 4) & 0x0Fu);
    return colour;
}

size_t PackPanelEntry(const PanelEntryText& entry, void* buffer, size_t bytes) {
    const size_t nameAt = AlignUp(sizeof(wide::PanelEntry), alignof(wchar_t));
    const size_t needed = nameAt + (entry.name.size() + 1) * sizeof(wchar_t);
    if (!buffer || bytes < needed) return needed;
    auto* start = static_cast<unsigned char*>(buffer);
    wide::PanelEntry record{};
    record.name = PlaceText(entry.name, start, nameAt);
    record.flags = entry.selected ? wide::entryFlag::Selected : 0;
    record.attributes = entry.folder ? wide::folderAttribute : 0;
    std::memcpy(start, &record, sizeof record);
    return needed;
}

size_t PackPanelFolder(const std::wstring& folder, void* buffer, size_t bytes) {
    const size_t nameAt = AlignUp(sizeof(wide::PanelFolder), alignof(wchar_t));
    const size_t emptyAt = nameAt + (folder.size() + 1) * sizeof(wchar_t);
    const size_t needed = emptyAt + sizeof(wchar_t);
    if (!buffer || bytes < needed) return needed;
    auto* start = static_cast<unsigned char*>(buffer);
    wide::PanelFolder record{};
    std::memcpy(&record.size, start, sizeof record.size);  // the module's own
    if (record.size < sizeof record) return 0;
    record.name = PlaceText(folder, start, nameAt);
    record.parameter = PlaceText(std::wstring(), start, emptyAt);
    record.hostFile = record.parameter;
    std::memcpy(start, &record, sizeof record);
    return needed;
}

}  // namespace host
