// The host's panel records of any bytes, as the add word turns them into paths: no read past a record, and a
// path handed over is the folder and the name, terminated and within MAX_PATH.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "fuzz_input.h"
#include "player/panel_paths.h"

using namespace quaver;
using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput in(data, size);
    // Exactly the records' sizes on the heap, so that a read past one is caught.
    auto state = std::make_unique<PanelState>();
    const std::string stateBytes = in.TakeText(sizeof(PanelState));
    std::memcpy(state.get(), stateBytes.data(), stateBytes.size());
    const int count = static_cast<int>(in.TakeBelow(8));
    auto items = std::make_unique<PanelItem[]>(static_cast<size_t>(count > 0 ? count : 1));
    for (int i = 0; i < count; ++i) {
        const std::string itemBytes = in.TakeText(sizeof(PanelItem));
        std::memcpy(&items[i], itemBytes.data(), itemBytes.size());
    }
    state->selectedItems = count > 0 ? items.get() : nullptr;
    state->selectedCount = static_cast<int>(in.Take<int32_t>() % 9);

    const int added = AddedItemCount(*state);
    Require(added >= 0 && added <= (state->selectedCount > 0 ? state->selectedCount : 0), "no more than selected");
    HoldsRealFiles(*state);
    for (int i = 0; i < added && i < count; ++i) {
        char path[pathCapacity];
        std::memset(path, 'x', sizeof path);
        if (!PathOfItem(*state, items[i], path)) continue;
        const size_t length = strnlen(path, sizeof path);
        Require(length < sizeof path, "a path is terminated within MAX_PATH");
        const size_t folder = strnlen(state->folder, sizeof state->folder);
        Require(std::strncmp(path, state->folder, folder) == 0, "the path starts with the folder");
        const size_t name = strnlen(items[i].name, sizeof items[i].name);
        Require(length >= name && std::strncmp(path + length - name, items[i].name, name) == 0,
                "the path ends with the name");
    }
    return 0;
}
