// Windows command lines for the programs the tests start.
#pragma once

#include <string>
#include <vector>

namespace e2e {

// The program and its arguments, each quoted where it has blanks or quotes.
std::string CommandLine(const std::string& program, const std::vector<std::string>& arguments);

// UTF-8 for the wide calls that start programs: arguments of any script reach them as they are.
std::wstring Utf16(const std::string& utf8);
// And back, for what tests compare and print.
std::string Utf8(const std::wstring& text);

}  // namespace e2e
