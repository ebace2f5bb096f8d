#include "paths.h"

#include <vector>

namespace host {

std::string ModulePath(HMODULE module) {
    std::vector<char> path(MAX_PATH);
    while (true) {
        const DWORD length = GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return std::string(path.data(), length);
        path.resize(path.size() * 2);
    }
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ProgramFolder() { return FolderOf(ModulePath(nullptr)); }

}  // namespace host
