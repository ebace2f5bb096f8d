// The host's side of the module interface: the HostServices record and its callbacks.
#pragma once

#include <string>

#include "host/host_api.h"
#include "pure/language_file.h"
#include "pure/message_box.h"

namespace host {

constexpr char RegistryRoot[] = "Software\\Quaver Host\\Plugins";

// The number the module is known by: as the file manager does, the address of this host's record for it, which
// on 64-bit does not fit in 32 bits. Every callback that takes a number acts on this one only and treats any
// other as the file manager treats a wrong one: no text, no dialog, no menu, no message, no colour.
intptr_t ModuleNumber();
bool IsModuleNumber(intptr_t number);

// Fills `services` with every callback wired, for the module at `modulePath` (a full path, cut to fit).
// The language file must outlive every call the module makes.
void FillServices(HostServices* services, const std::string& modulePath, const LanguageFile* language);

// For --command, where no console is opened: the module's message boxes are written to standard error as
// lines of text ("<title>: <text>"), and its drawing and saved screen areas go nowhere.
void SendMessagesToStandardError();
bool MessagesGoToStandardError();
// Message boxes with buttons (the module's error boxes) written to standard error so far.
int ErrorBoxesWritten();
// Writes a message box's text (UTF-8) there; `bytesAsTheyAre` writes a classic module's OEM bytes unchanged.
void WriteMessage(const MessageText& text, bool bytesAsTheyAre = false);

// The message box of both interfaces, for the host's own screens too (UTF-8 text). With buttons it waits and
// returns the chosen index, or -1 for Esc; without, it is drawn and left standing, and -1 comes at once.
int ShowMessageBox(unsigned flags, const MessageText& text);

}  // namespace host
