#include "module.h"

#include <algorithm>
#include <cstring>

#include "code_pages.h"
#include "host/host_api.h"
#include "host/wide_api.h"
#include "paths.h"
#include "pure/text.h"
#include "pure/wide_records.h"
#include "services.h"
#include "wide_services.h"

namespace host {

namespace {

constexpr size_t MostTitles = 16;

template <typename Function>
bool FindExport(HMODULE library, const char* name, Function* function, std::string* missing) {
    *function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    if (!*function && missing) *missing += missing->empty() ? name : std::string(", ") + name;
    return *function != nullptr;
}

// ---- the classic interface ----------------------------------------------------------------------------------

class ClassicModule : public Module {
public:
    ClassicModule(HMODULE library, std::string path) : Module(library, std::move(path)) {}

    bool FindExports(HMODULE library, std::string* missing) {
        bool found = FindExport(library, "SetStartupInfo", &setStartupInfo_, missing);
        found &= FindExport(library, "GetPluginInfo", &getPluginInfo_, missing);
        found &= FindExport(library, "OpenPlugin", &openPlugin_, missing);
        found &= FindExport(library, "Configure", &configure_, missing);
        return found;
    }

    FileCoding Coding() const override { return FileCoding::Oem; }

    void Start(const LanguageFile* language) override {
        FillServices(&services_, Path(), language);
        setStartupInfo_(&services_);
    }

    std::vector<std::string> MenuTitles() const override {
        PluginInfoRecord info{};
        info.size = sizeof info;
        getPluginInfo_(&info);
        std::vector<std::string> titles;
        for (int i = 0; info.menuTitles && i < info.menuTitleCount && titles.size() < MostTitles; ++i)
            titles.push_back(info.menuTitles[i] ? Utf8FromOem(info.menuTitles[i]) : std::string());
        return titles;
    }

    std::vector<std::string> CommandPrefixes() const override {
        PluginInfoRecord info{};
        info.size = sizeof info;
        getPluginInfo_(&info);
        if (!info.commandPrefixes) return {};
        // A text in the module's constant data: read no further than any command line could use.
        return SplitPrefixes(std::string(info.commandPrefixes, strnlen(info.commandPrefixes, 512)));
    }

    void Open() const override { openPlugin_(0, 0); }

    void OpenFromCommandLine(const std::string& words) const override {
        // openFrom 4 and the address of the text, in the code page a classic module reads.
        const std::string text = SystemOemFromUtf8(words);
        openPlugin_(OpenFromHostCommandLine, reinterpret_cast<intptr_t>(text.c_str()));
    }

    bool Configure() const override { return configure_(0) != 0; }

    uint32_t CommandStatus() const override { return Report().commandStatus; }

    Added FilesAdded() const override {
        const PluginInfoReport report = Report();
        return {report.filesAdded, report.filesToAdd};
    }

private:
    static constexpr int OpenFromHostCommandLine = 4;
    using SetStartupInfoFunction = void(HOSTAPI*)(const HostServices*);
    using GetPluginInfoFunction = void(HOSTAPI*)(PluginInfoRecord*);
    using OpenPluginFunction = void*(HOSTAPI*)(int, intptr_t);
    using ConfigureFunction = int(HOSTAPI*)(int);

    PluginInfoReport Report() const {
        PluginInfoReport report{};
        report.info.size = sizeof report;
        getPluginInfo_(&report.info);
        return report;
    }

    HostServices services_{};
    SetStartupInfoFunction setStartupInfo_ = nullptr;
    GetPluginInfoFunction getPluginInfo_ = nullptr;
    OpenPluginFunction openPlugin_ = nullptr;
    ConfigureFunction configure_ = nullptr;
};

// ---- the wide interface -------------------------------------------------------------------------------------

class WideModule : public Module {
public:
    WideModule(HMODULE library, std::string path) : Module(library, std::move(path)) {}

    bool FindExports(HMODULE library, std::string* missing) {
        bool found = FindExport(library, "GetGlobalInfoW", &getGlobalInfo_, missing);
        found &= FindExport(library, "SetStartupInfoW", &setStartupInfo_, missing);
        found &= FindExport(library, "GetPluginInfoW", &getPluginInfo_, missing);
        found &= FindExport(library, "OpenW", &open_, missing);
        FindExport(library, "ConfigureW", &configure_, nullptr);  // a module without settings lacks it
        return found;
    }

    // The identity it gives, checked as the file manager checks it; empty when taken.
    std::string ReadIdentity() {
        wide::Identity identity{};
        identity.size = sizeof identity;
        getGlobalInfo_(&identity);
        const std::string problem = IdentityProblem(identity);
        if (problem.empty()) module_ = identity.module;
        return problem;
    }

    FileCoding Coding() const override { return FileCoding::Unicode; }

    void Start(const LanguageFile* language) override {
        // The record and its table live only while the module copies them, as on the file manager's stack; wiped
        // afterwards, so that a module that kept a pointer to them fails at once rather than by chance.
        wide::StartupRecord record;
        wide::StandardFunctions functions;
        FillStartupRecord(WideModuleSetup{module_, WideFromUtf8(Path()), language}, &record, &functions);
        setStartupInfo_(&record);
        SecureZeroMemory(&record, sizeof record);
        SecureZeroMemory(&functions, sizeof functions);

        // Asked once: the file manager keeps the answers.
        wide::ModuleInfo info{};
        info.size = sizeof info;
        getPluginInfo_(&info);
        CopyEntries(info.pluginsMenu, &menuEntries_, &menuTitles_);
        std::vector<std::string> configTitles;
        CopyEntries(info.configMenu, &configEntries_, &configTitles);
        prefixes_ = info.commandPrefix ? SplitPrefixes(Utf8FromWide(info.commandPrefix)) : std::vector<std::string>();
    }

    std::vector<std::string> MenuTitles() const override { return menuTitles_; }
    std::vector<std::string> CommandPrefixes() const override { return prefixes_; }

    void Open() const override {
        wide::OpenRecord open{sizeof open, wide::openFrom::PluginsMenu, menuEntries_.empty() ? &noEntry : &menuEntries_[0],
                              0, nullptr};
        open_(&open);
    }

    void OpenFromCommandLine(const std::string& words) const override {
        const std::wstring text = WideFromUtf8(words);
        wide::CommandLineRecord commandLine{sizeof commandLine, text.c_str()};
        wide::OpenRecord open{sizeof open, wide::openFrom::CommandLine, &noEntry,
                              reinterpret_cast<intptr_t>(&commandLine), nullptr};
        open_(&open);
    }

    bool Configure() const override {
        if (!configure_) return false;
        wide::ConfigureRecord configure{sizeof configure, configEntries_.empty() ? &noEntry : &configEntries_[0],
                                        nullptr};
        return configure_(&configure) != 0;
    }

    uint32_t CommandStatus() const override { return Report().commandStatus; }

    Added FilesAdded() const override {
        const wide::ModuleInfoReport report = Report();
        return {report.filesAdded, report.filesToAdd};
    }

private:
    static constexpr wide::Guid noEntry{};

    static void CopyEntries(const wide::MenuEntries& entries, std::vector<wide::Guid>* guids,
                            std::vector<std::string>* captions) {
        for (size_t i = 0; i < entries.count && i < MostTitles; ++i) {
            guids->push_back(entries.guids ? entries.guids[i] : wide::Guid{});
            captions->push_back(entries.captions && entries.captions[i] ? Utf8FromWide(entries.captions[i]) : "");
        }
    }

    wide::ModuleInfoReport Report() const {
        wide::ModuleInfoReport report{};
        report.info.size = sizeof report;
        getPluginInfo_(&report.info);
        return report;
    }

    wide::GetGlobalInfoFunction getGlobalInfo_ = nullptr;
    wide::SetStartupInfoFunction setStartupInfo_ = nullptr;
    wide::GetPluginInfoFunction getPluginInfo_ = nullptr;
    wide::OpenFunction open_ = nullptr;
    wide::ConfigureFunction configure_ = nullptr;
    wide::Guid module_{};
    std::vector<wide::Guid> menuEntries_;
    std::vector<wide::Guid> configEntries_;
    std::vector<std::string> menuTitles_;
    std::vector<std::string> prefixes_;
};

}  // namespace

Module::~Module() {
    if (library_) FreeLibrary(library_);
}

std::unique_ptr<Module> Module::Load(const std::string& path, std::string* error) {
    HMODULE library = LoadLibraryW(WideFromUtf8(path).c_str());
    if (!library) {
        if (error) *error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
        return nullptr;
    }
    const std::string fullPath = ModulePath(library);
    std::string missing;
    // The wide entry points are looked for first: a module of that interface is taken as one.
    if (GetProcAddress(library, "GetGlobalInfoW")) {
        auto module = std::make_unique<WideModule>(library, fullPath);
        if (!module->FindExports(library, &missing)) {
            if (error) *error = path + " is not a module for this host: it lacks " + missing;
            return nullptr;
        }
        const std::string problem = module->ReadIdentity();
        if (!problem.empty()) {
            if (error) *error = path + " is not loaded: " + problem;
            return nullptr;
        }
        return module;
    }
    auto module = std::make_unique<ClassicModule>(library, fullPath);
    if (!module->FindExports(library, &missing)) {
        if (error) *error = path + " is not a module for this host: it lacks " + missing;
        return nullptr;
    }
    return module;
}

std::vector<std::string> SplitPrefixes(const std::string& all) {
    std::vector<std::string> prefixes;
    size_t start = 0;
    while (start <= all.size()) {
        const size_t end = std::min(all.find(':', start), all.size());
        if (end > start) prefixes.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    return prefixes;
}

}  // namespace host
