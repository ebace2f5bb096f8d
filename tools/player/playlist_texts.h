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
    explicit PlaylistTexts(Placement placement) : titleMemory_(placement) {}

    // Keeps the entry's texts; false when there is no memory left for them.
    bool Add(const Track& track);
    size_t size() const { return titles_.size(); }

    // Entry index's "<artist> - <title>", 0 past the end (212).
    uintptr_t Title(uintptr_t index) const;

    // Where the titles lie, for the log.
    uintptr_t Where() const { return titleMemory_.FirstBlock(); }

private:
    TextMemory titleMemory_;
    std::vector<const char*> titles_;
};

}  // namespace standin
