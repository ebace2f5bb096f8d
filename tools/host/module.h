// The loaded module (quaver.dll) and its four exports.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "host/host_api.h"

namespace host {

class Module {
public:
    Module() = default;
    ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    // Loads the module and finds its exports; on failure `error` says why and nothing stays loaded.
    bool Load(const std::string& path, std::string* error);

    const std::string& Path() const { return path_; }  // full path of the loaded file

    void SetStartupInfo(const HostServices& services) const { setStartupInfo_(&services); }
    // The menu and configuration-menu titles the module reports (copied; at most 16 of each).
    void GetTitles(std::vector<std::string>* menu, std::vector<std::string>* config) const;
    void OpenPlugin() const { openPlugin_(0, 0); }
    // As the file manager does for PREFIX:TEXT on its command line (openFrom 4, the address of TEXT).
    void OpenFromCommandLine(const std::string& text) const {
        openPlugin_(OpenFromHostCommandLine, reinterpret_cast<intptr_t>(text.c_str()));
    }
    // What the module says its last command line did (commandStatus::None from a module that does not say).
    uint32_t CommandStatus() const;
    // Of the module's last add: the files sent to the player and of how many (none from a module that does
    // not say).
    struct Added {
        uint32_t added;
        uint32_t toAdd;
    };
    Added FilesAdded() const;
    // The command-line prefixes the module names, in any case; empty when it names none.
    std::vector<std::string> CommandPrefixes() const;
    int Configure() const { return configure_(0); }

private:
    static constexpr int OpenFromHostCommandLine = 4;
    using SetStartupInfoFunction = void(HOSTAPI*)(const HostServices*);
    using GetPluginInfoFunction = void(HOSTAPI*)(PluginInfoRecord*);
    using OpenPluginFunction = void*(HOSTAPI*)(int, intptr_t);
    using ConfigureFunction = int(HOSTAPI*)(int);

    HMODULE library_ = nullptr;
    std::string path_;
    SetStartupInfoFunction setStartupInfo_ = nullptr;
    GetPluginInfoFunction getPluginInfo_ = nullptr;
    OpenPluginFunction openPlugin_ = nullptr;
    ConfigureFunction configure_ = nullptr;
};

}  // namespace host
