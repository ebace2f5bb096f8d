// The system's own code pages, for what a classic module takes in them: paths it hands to the player (ANSI,
// which it reaches from the OEM code page with OemToChar) and the module's own path.
#pragma once

#include <string>
#include <string_view>

namespace host {

std::string Utf8FromAnsi(std::string_view text);
std::string AnsiFromUtf8(std::string_view text);
// The system's OEM code page (not the console's 437): a classic module turns such text into ANSI with
// OemToChar, so a path given this way reaches the player as it is, where the code pages hold its characters.
std::string SystemOemFromUtf8(std::string_view text);

}  // namespace host
