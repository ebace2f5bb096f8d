#include "language.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace host {

namespace {

std::vector<std::string> FilesIn(const std::string& folder, const char* pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(folder + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

bool ReadWholeFile(const std::string& path, std::string* text) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::ostringstream contents;
    contents << file.rdbuf();
    *text = contents.str();
    return true;
}

}  // namespace

std::string DescribeProblem(const std::string& path, const FileProblem& problem) {
    return path + ", line " + std::to_string(problem.line) + ": " + problem.reason;
}

bool ReadFileForLanguage(const std::vector<std::string>& folders, const char* pattern, const std::string& wanted,
                         std::string* path, std::string* text, std::string* problem) {
    for (const std::string& folder : folders) {
        const std::vector<std::string> paths = FilesIn(folder, pattern);
        if (paths.empty()) continue;
        std::vector<std::string> texts(paths.size());
        std::vector<std::string> languages(paths.size());
        for (size_t i = 0; i < paths.size(); ++i) {
            if (!ReadWholeFile(paths[i], &texts[i])) {
                *problem = paths[i] + " cannot be read";
                return false;
            }
            std::string menuName;
            FileProblem headerProblem;
            if (!ReadLanguageHeader(texts[i], &languages[i], &menuName, &headerProblem)) {
                *problem = DescribeProblem(paths[i], headerProblem);
                return false;
            }
        }
        const int chosen = ChooseLanguage(languages, wanted);
        if (chosen < 0) {
            *problem = "no " + std::string(pattern) + " file for " + wanted + " or English in " + folder;
            return false;
        }
        *path = paths[static_cast<size_t>(chosen)];
        *text = std::move(texts[static_cast<size_t>(chosen)]);
        return true;
    }
    *problem = std::string("no ") + pattern + " file next to the module or the host";
    return false;
}

bool LoadLanguage(LanguageFile* language, const std::vector<std::string>& folders, const std::string& wanted,
                  int messagesNeeded, std::string* problem) {
    std::string path, text;
    if (!ReadFileForLanguage(folders, "*.lng", wanted, &path, &text, problem)) return false;
    FileProblem fault;
    if (language->Parse(text, messagesNeeded, &fault)) return true;
    *problem = DescribeProblem(path, fault);
    return false;
}

}  // namespace host
