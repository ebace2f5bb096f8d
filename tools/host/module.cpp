#include "module.h"

#include "paths.h"

#include <algorithm>
#include <cstring>

namespace host {

namespace {

template <typename Function>
bool FindExport(HMODULE library, const char* name, Function* function, std::string* error) {
    *function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    if (!*function && error) *error += error->empty() ? name : std::string(", ") + name;
    return *function != nullptr;
}

void CopyTitles(const char* const* titles, int count, std::vector<std::string>* out) {
    out->clear();
    if (!titles) return;
    for (int i = 0; i < count && i < 16; ++i) out->push_back(titles[i] ? titles[i] : "");
}

}  // namespace

Module::~Module() {
    if (library_) FreeLibrary(library_);
}

bool Module::Load(const std::string& path, std::string* error) {
    library_ = LoadLibraryA(path.c_str());
    if (!library_) {
        if (error) *error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    path_ = ModulePath(library_);
    std::string missing;
    bool found = FindExport(library_, "SetStartupInfo", &setStartupInfo_, &missing);
    found &= FindExport(library_, "GetPluginInfo", &getPluginInfo_, &missing);
    found &= FindExport(library_, "OpenPlugin", &openPlugin_, &missing);
    found &= FindExport(library_, "Configure", &configure_, &missing);
    if (!found) {
        if (error) *error = path + " is not a module for this host: it lacks " + missing;
        FreeLibrary(library_);
        library_ = nullptr;
        return false;
    }
    return true;
}

void Module::GetTitles(std::vector<std::string>* menu, std::vector<std::string>* config) const {
    PluginInfoRecord info{};
    info.size = sizeof info;
    getPluginInfo_(&info);
    CopyTitles(info.menuTitles, info.menuTitleCount, menu);
    CopyTitles(info.configTitles, info.configTitleCount, config);
}

uint32_t Module::CommandStatus() const {
    PluginInfoReport report{};
    report.info.size = sizeof report;
    getPluginInfo_(&report.info);
    return report.commandStatus;
}

Module::Added Module::FilesAdded() const {
    PluginInfoReport report{};
    report.info.size = sizeof report;
    getPluginInfo_(&report.info);
    return {report.filesAdded, report.filesToAdd};
}

std::vector<std::string> Module::CommandPrefixes() const {
    PluginInfoRecord info{};
    info.size = sizeof info;
    getPluginInfo_(&info);
    std::vector<std::string> prefixes;
    if (!info.commandPrefixes) return prefixes;
    // A text in the module's constant data: read no further than any command line could use.
    const std::string all(info.commandPrefixes, strnlen(info.commandPrefixes, 512));
    size_t start = 0;
    while (start <= all.size()) {
        const size_t end = std::min(all.find(':', start), all.size());
        if (end > start) prefixes.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    return prefixes;
}

}  // namespace host
