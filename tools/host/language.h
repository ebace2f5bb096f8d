// Finding and reading the module's language file.
#pragma once

#include <string>
#include <vector>

#include "pure/language_file.h"

namespace host {

constexpr char LanguageFileName[] = "quaver_en.lng";

// Reads the first of folder + LanguageFileName that exists. Returns the path read, or an empty string
// when none could be read; `problem` then, or when some lines were malformed, says so.
std::string LoadLanguage(LanguageFile* language, const std::vector<std::string>& folders, std::string* problem);

}  // namespace host
