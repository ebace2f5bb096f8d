// What the host makes of the wide interface's records, without the console: whether a module's identity is
// one it takes, colours to console attributes and back, GUIDs as text, and the panel's records packed into a
// module's buffer.
#pragma once

#include <cstdint>
#include <string>

#include "host/wide_api.h"

namespace host {

// The version this host says it is: a module that asks for a newer host is not loaded.
inline constexpr wide::Version hostVersion{3, 0, 0, 6727, 0};

// Why the identity a module gave is refused; empty when it is taken. Incomplete (a record shorter than the
// one this host knows, or a title, description or author missing or empty), a GUID of zeros, or an oldest
// host newer than this one (major, minor, build, then revision).
std::string IdentityProblem(const wide::Identity& identity);

// "{8-4-4-4-12}" in upper-case hexadecimal, as the registry names keys by GUIDs.
std::string GuidText(const wide::Guid& guid);

// A colour record as the console's attribute: the bits in `keep` are the cell's own (a transparent colour).
struct Paint {
    uint8_t attribute;
    uint8_t keep;  // 0x0F: the foreground, 0xF0: the background
};
Paint PaintOf(const wide::Colour& colour);
// The console colour nearest to an RGB value (0x00BBGGRR).
uint8_t NearestConsoleColour(uint32_t rgb);
// A palette entry (a console attribute) as the colour record AdvControl hands out: two opaque palette indices.
wide::Colour ColourOf(uint8_t attribute);

// One entry of the file list, as PanelControl hands it over.
struct PanelEntryText {
    std::wstring name;  // no folder
    bool folder = false;
    bool selected = false;
};
// Packs the entry into `buffer` as the size-query-then-fill contract has it: the record at the buffer's start
// and its name after it, every pointer into the buffer. Returns the bytes needed; writes nothing when the
// buffer is null or smaller than that.
size_t PackPanelEntry(const PanelEntryText& entry, void* buffer, size_t bytes);
// The same for the folder: the record (whose size the module set) at the buffer's start, the name after it;
// 0 for a record smaller than this host's.
size_t PackPanelFolder(const std::wstring& folder, void* buffer, size_t bytes);

}  // namespace host
