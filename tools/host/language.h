// Finding the module's language and help files for the host's interface language, and reading its
// language file.
#pragma once

#include <string>
#include <vector>

#include "pure/language_file.h"

namespace host {

// The text, as UTF-8, of the file matching `pattern` ("*.lng", "*.hlf") whose interface language is `wanted`,
// else the English one, from the first folder that holds any such file; the files are read in `coding`. False
// with `problem` set (naming the file and line) when none fits or one of them is damaged in its header or its
// coding, since its language cannot be known.
bool ReadFileForLanguage(const std::vector<std::string>& folders, const char* pattern, const std::string& wanted,
                         FileCoding coding, std::string* path, std::string* text, std::string* problem);

// "path, line n: reason"
std::string DescribeProblem(const std::string& path, const FileProblem& problem);

// Reads the language file for `wanted`; false with `problem` set when there is none or it is damaged.
bool LoadLanguage(LanguageFile* language, const std::vector<std::string>& folders, const std::string& wanted,
                  FileCoding coding, int messagesNeeded, std::string* problem);

}  // namespace host
