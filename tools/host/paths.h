// Paths of the host's own files, in UTF-8 (the host asks Windows in UTF-16).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace host {

// Full path of a loaded module (nullptr: this program).
std::string ModulePath(HMODULE module);
// The folder of a path, with its trailing backslash; empty when the path has none.
std::string FolderOf(const std::string& path);
// The folder this program was started from, with its trailing backslash.
std::string ProgramFolder();
// The file's bytes; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string* bytes);
// The names in a folder matching a pattern ("*.lng"), files only or folders too, in no particular order.
struct FoundName {
    std::string name;
    bool folder;
};
std::vector<FoundName> FindNames(const std::string& folder, const std::string& pattern);

}  // namespace host
