#include "paths.h"

#include <vector>

#include "pure/text.h"

namespace host {

std::string ModulePath(HMODULE module) {
    std::vector<wchar_t> path(MAX_PATH);
    while (true) {
        const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return Utf8FromWide(std::wstring_view(path.data(), length));
        path.resize(path.size() * 2);
    }
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ProgramFolder() { return FolderOf(ModulePath(nullptr)); }

bool ReadWholeFile(const std::string& path, std::string* bytes) {
    HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bytes->clear();
    char chunk[16384];
    DWORD read = 0;
    bool ok = true;
    while ((ok = ReadFile(file, chunk, sizeof chunk, &read, nullptr) != 0) && read > 0) bytes->append(chunk, read);
    CloseHandle(file);
    return ok;
}

std::vector<FoundName> FindNames(const std::string& folder, const std::string& pattern) {
    std::vector<FoundName> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(WideFromUtf8(folder + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back({Utf8FromWide(found.cFileName), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

}  // namespace host
