#include "playlist_texts.h"

#include <cstring>
#include <string>

#include "text_codes.h"

namespace standin {

namespace {

// Room for the longest path Windows knows: longer titles are cut there.
constexpr size_t sharedCapacity = 32768;

template <typename Char>
const Char* Keep(TextMemory& memory, const std::basic_string<Char>& text) {
    auto* kept = static_cast<Char*>(memory.Take((text.size() + 1) * sizeof(Char), sizeof(Char)));
    if (kept) std::memcpy(kept, text.c_str(), (text.size() + 1) * sizeof(Char));
    return kept;
}

// Copies text into the shared buffer, cut to fit, and returns the buffer's address.
template <typename Char>
uintptr_t Rewrite(Char* buffer, const Char* text) {
    size_t length = 0;
    while (length + 1 < sharedCapacity && text[length] != 0) ++length;
    std::memcpy(buffer, text, length * sizeof(Char));
    buffer[length] = 0;
    return reinterpret_cast<uintptr_t>(buffer);
}

}  // namespace

bool PlaylistTexts::Add(const Track& track) {
    if (sharedTitles_ && !sharedTitle_) {
        sharedTitle_ = static_cast<char*>(titleMemory_.Take(sharedCapacity, 1));
        sharedWideTitle_ =
            static_cast<wchar_t*>(wideTitleMemory_.Take(sharedCapacity * sizeof(wchar_t), sizeof(wchar_t)));
        if (!sharedTitle_ || !sharedWideTitle_) return false;
    }
    const std::wstring wideTitle = WideFromUtf8(ListTitle(track));
    const Entry entry{Keep(titleMemory_, AnsiFromWide(wideTitle)), Keep(wideTitleMemory_, wideTitle),
                      Keep(pathMemory_, track.path.empty() ? WideFromUtf8(MadeUpPath(track)) : track.path)};
    if (!entry.title || !entry.wideTitle || !entry.path) return false;
    entries_.push_back(entry);
    return true;
}

uintptr_t PlaylistTexts::Title(uintptr_t index) {
    if (index >= entries_.size()) return 0;
    if (sharedTitles_) return Rewrite(sharedTitle_, entries_[index].title);
    return reinterpret_cast<uintptr_t>(entries_[index].title);
}

uintptr_t PlaylistTexts::WideTitle(uintptr_t index) {
    if (index >= entries_.size()) return 0;
    if (sharedTitles_) return Rewrite(sharedWideTitle_, entries_[index].wideTitle);
    return reinterpret_cast<uintptr_t>(entries_[index].wideTitle);
}

uintptr_t PlaylistTexts::Path(uintptr_t index) const {
    return index < entries_.size() ? reinterpret_cast<uintptr_t>(entries_[index].path) : 0;
}

}  // namespace standin
