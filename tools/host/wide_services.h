// The host's side of the wide interface: the startup record and its standard functions, and the services in its
// slots. Every service that names a module acts for the loaded module's GUID only and answers any other as a
// failure. The file manager refuses another GUID only for texts and dialogs; refusing it everywhere is stricter,
// so that a module that passes a wrong one anywhere is found here.
#pragma once

#include <string>

#include "host/wide_api.h"
#include "pure/language_file.h"

namespace host {

// The loaded module as the wide services know it. The language file must outlive every call the module makes.
struct WideModuleSetup {
    wide::Guid module;
    std::wstring modulePath;
    const LanguageFile* language;
};

// Fills the record and the standard-functions table it points at for the module (both the caller's: they need
// to live only while the module copies them).
void FillStartupRecord(const WideModuleSetup& setup, wide::StartupRecord* record, wide::StandardFunctions* functions);

}  // namespace host
