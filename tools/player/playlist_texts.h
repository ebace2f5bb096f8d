// The playlist's texts as the player keeps them in its own memory: what the playlist's questions answer with
// the address of.
#pragma once

#include <cstdint>
#include <vector>

#include "playlist.h"
#include "text_memory.h"

namespace standin {

class PlaylistTexts {
public:
    // sharedTitles: one title buffer (and one wide one) that every title question rewrites and points to, as a
    // player does that makes each title when asked.
    PlaylistTexts(Placement placement, bool sharedTitles)
        : titleMemory_(placement), wideTitleMemory_(placement), pathMemory_(placement), sharedTitles_(sharedTitles) {}

    // Keeps the entry's texts; false when there is no memory left for them.
    bool Add(const Track& track);
    size_t size() const { return entries_.size(); }

    // The address of entry index's title in the ANSI code page (212), its title in UTF-16 (213) or its path in
    // UTF-16 (214); 0 past the end.
    uintptr_t Title(uintptr_t index);
    uintptr_t WideTitle(uintptr_t index);
    uintptr_t Path(uintptr_t index) const;

    // Where the titles lie, for the log.
    uintptr_t Where() const { return titleMemory_.FirstBlock(); }

private:
    struct Entry {
        const char* title;
        const wchar_t* wideTitle;
        const wchar_t* path;
    };
    TextMemory titleMemory_;
    TextMemory wideTitleMemory_;
    TextMemory pathMemory_;
    bool sharedTitles_;
    char* sharedTitle_ = nullptr;
    wchar_t* sharedWideTitle_ = nullptr;
    std::vector<Entry> entries_;
};

}  // namespace standin
