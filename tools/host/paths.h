// Paths of the host's own files.
#pragma once

#include <windows.h>

#include <string>

namespace host {

// Full path of a loaded module (nullptr: this program).
std::string ModulePath(HMODULE module);
// The folder of a path, with its trailing backslash; empty when the path has none.
std::string FolderOf(const std::string& path);
// The folder this program was started from, with its trailing backslash.
std::string ProgramFolder();

}  // namespace host
