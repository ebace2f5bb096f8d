// The host's help viewer, as modules reach it through HostServices::ShowHelpTopic or the wide interface's
// ShowHelp, and as dialogs open it on F1 with their help topic.
//
// A module's help file (format: pure/help_file.h) is the *.hlf of the host's interface language (English
// otherwise) in the folder of the module (the folder of `moduleName`, the module's full path), else in
// the host's own folder. The viewer scrolls with the arrows, PgUp, PgDn, Home, End and the mouse wheel;
// Tab and Shift+Tab select a link, Enter follows it, Backspace goes back to the topic before; Esc (or
// F10) closes it and puts the screen back.
#pragma once

#include <string>

#include "host/host_api.h"
#include "pure/language_file.h"

namespace host {

// The interface language the help file is chosen by.
void SetHelpLanguage(const std::string& language);

// Where a module's help lies: beside its file, in its interface's coding.
struct HelpSource {
    std::string modulePath;  // UTF-8
    FileCoding coding = FileCoding::Oem;
};

// True when the topic (UTF-8) was shown; a missing file or topic is reported in a message box.
bool ShowHelp(const HelpSource& source, const std::string& topic);

// A classic module's: its name is the path the host handed it, in the ANSI code page.
int HOSTAPI ShowHelpTopic(const char* moduleName, const char* topic, unsigned flags);

// The module's path under its module number, for the help of its dialogs (which know only the number).
void RegisterModuleForHelp(intptr_t moduleNumber, const std::string& modulePath);
int ShowModuleHelp(intptr_t moduleNumber, const char* topic);

}  // namespace host
