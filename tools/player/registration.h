// The player's registered open command under HKEY_CLASSES_ROOT, which the module starts a missing player by.
#pragma once

#include <string>

namespace standin {

// "\"<this program's path>\" \"%1\""
std::string OwnOpenCommand();

// Writes the command as the default value of Winamp.File\shell\open\command. False with a message on failure.
bool RegisterOpenCommand(std::string& error);
// Removes the command when it is this program's (another player's registration is left alone) and the keys
// above it that are left empty.
bool UnregisterOpenCommand(std::string& error);

}  // namespace standin
