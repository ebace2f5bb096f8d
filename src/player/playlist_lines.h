// The playlist menu's lines and the title search, from values alone.
#pragma once

#include <cstdint>

#include "host/host_api.h"
#include "host/host_text.h"

namespace quaver {

// A longer playlist lists this many entries around the current one.
constexpr int menuEntryCapacity = 20000;
constexpr int titleCapacity = 128;  // 127 characters of a title and a terminator
constexpr int menuLineCapacity = sizeof(HostMenuItem::text);  // a menu line's text, its terminator included

// The entries a menu lists: first (from 0) and how many.
struct MenuRange {
    int first;
    int count;
};
// All entries when they fit; otherwise capacity entries with the current one in the middle, kept inside the
// list. A current entry outside the list counts as the first.
MenuRange MenuRangeAround(int32_t length, int32_t current, int capacity);

// The entry read at `step` (from 0) when a range is read outwards from centre: centre, the one after it, the
// one before it, two after, two before, ..., and once one side is done, the rest of the other side in order.
// Every entry of the range comes exactly once for steps 0 to range.count - 1. A centre outside the range
// counts as its nearest end.
int32_t OutwardEntry(MenuRange range, int32_t centre, int32_t step);

// "N. title" into the item's text (OEM, cut to fit), or "N. Track N" when title is null or empty. The item is
// cleared first.
void FillMenuLine(HostMenuItem& item, int number, const char* title);

// The title holds text somewhere, letters compared without case (ASCII and the Western ANSI letters).
bool TitleContains(const char* title, const char* text, int textLength);
// The wide build's: letters compared without case as the system folds them.
bool TitleContains(const wchar_t* title, const wchar_t* text, int textLength);

}  // namespace quaver
