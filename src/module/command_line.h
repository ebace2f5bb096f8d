// "quaver:WORDS" on the host's command line: player commands without the panel.
#pragma once

#include <cstdint>

#include "host/host_text.h"

namespace quaver {

inline constexpr char commandPrefixes[] = "quaver";  // the classic interface's; the wide one's is its own
constexpr int openFromCommandLine = 4;  // OpenPlugin's openFrom when the host passes the text after the prefix

// Sends the commands named by the words of text, in order, as the panel's keys would. A word that names no
// command, or a text too long for the host's command line, sends nothing and shows the error box.
// False when the text holds no word at all: the panel opens instead, as from the menu.
bool SendCommandWords(const HostChar* text);
// What the last SendCommandWords did: a value of commandStatus.
uint32_t LastCommandStatus();

}  // namespace quaver
