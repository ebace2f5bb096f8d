// Windows command lines for the programs the tests start.
#pragma once

#include <string>
#include <vector>

namespace e2e {

// The program and its arguments, each quoted where it has blanks or quotes.
std::string CommandLine(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace e2e
