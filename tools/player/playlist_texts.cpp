#include "playlist_texts.h"

#include <cstring>

namespace standin {

bool PlaylistTexts::Add(const Track& track) {
    const std::string title = ListTitle(track);
    auto* kept = static_cast<char*>(titleMemory_.Take(title.size() + 1, 1));
    if (!kept) return false;
    std::memcpy(kept, title.c_str(), title.size() + 1);
    titles_.push_back(kept);
    return true;
}

uintptr_t PlaylistTexts::Title(uintptr_t index) const {
    return index < titles_.size() ? reinterpret_cast<uintptr_t>(titles_[index]) : 0;
}

}  // namespace standin
