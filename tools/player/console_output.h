// Text for the user of a GUI-subsystem program: to the standard handles when they lead somewhere (a pipe, a
// file, Wine's terminal), else to the console of the parent, if there is one.
#pragma once

#include <string>

namespace standin {

void PrintOut(const std::string& text);
void PrintError(const std::string& text);

}  // namespace standin
