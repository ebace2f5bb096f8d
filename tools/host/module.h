// The loaded module: a DLL of either interface. One that exports GetGlobalInfoW is a module of the wide
// interface and is driven through its five exports; any other must export the classic four.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pure/language_file.h"

namespace host {

class Module {
public:
    virtual ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    // Loads the module of either kind and finds its exports; null with `error` saying why when it cannot be
    // loaded, lacks exports, or (wide) gives an identity this host does not take.
    static std::unique_ptr<Module> Load(const std::string& path, std::string* error);

    const std::string& Path() const { return path_; }  // full path of the loaded file, UTF-8
    // How its language and help files are written.
    virtual FileCoding Coding() const = 0;

    // Hands the module this host's services; the language file must outlive every call it makes.
    virtual void Start(const LanguageFile* language) = 0;
    // The plug-ins menu's titles the module names (UTF-8; at most 16). After Start.
    virtual std::vector<std::string> MenuTitles() const = 0;
    // The command-line prefixes the module names, in any case; empty when it names none. After Start.
    virtual std::vector<std::string> CommandPrefixes() const = 0;
    virtual void Open() const = 0;
    // As the file manager does for PREFIX:WORDS on its command line (UTF-8 words).
    virtual void OpenFromCommandLine(const std::string& words) const = 0;
    // Its configuration; true when it says the settings changed.
    virtual bool Configure() const = 0;

    // What the module says its last command line did (commandStatus::None from a module that does not say).
    virtual uint32_t CommandStatus() const = 0;
    // Of the module's last add: the files sent to the player and of how many (none from a module that does
    // not say).
    struct Added {
        uint32_t added;
        uint32_t toAdd;
    };
    virtual Added FilesAdded() const = 0;

protected:
    Module(HMODULE library, std::string path) : library_(library), path_(std::move(path)) {}

private:
    HMODULE library_;
    std::string path_;
};

// Splits ':'-separated prefixes; empty names are dropped.
std::vector<std::string> SplitPrefixes(const std::string& all);

}  // namespace host
