#include "language.h"

#include <algorithm>

#include "paths.h"

namespace host {

namespace {

std::vector<std::string> FilesIn(const std::string& folder, const char* pattern) {
    std::vector<std::string> names;
    for (const FoundName& found : FindNames(folder, pattern))
        if (!found.folder) names.push_back(folder + found.name);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

std::string DescribeProblem(const std::string& path, const FileProblem& problem) {
    return path + ", line " + std::to_string(problem.line) + ": " + problem.reason;
}

bool ReadFileForLanguage(const std::vector<std::string>& folders, const char* pattern, const std::string& wanted,
                         FileCoding coding, std::string* path, std::string* text, std::string* problem) {
    for (const std::string& folder : folders) {
        const std::vector<std::string> paths = FilesIn(folder, pattern);
        if (paths.empty()) continue;
        std::vector<std::string> texts(paths.size());
        std::vector<std::string> languages(paths.size());
        for (size_t i = 0; i < paths.size(); ++i) {
            std::string bytes;
            if (!ReadWholeFile(paths[i], &bytes)) {
                *problem = paths[i] + " cannot be read";
                return false;
            }
            if (!DecodeFileText(bytes, coding, &texts[i])) {
                *problem = paths[i] + " is not in the coding its byte-order mark names";
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
                  FileCoding coding, int messagesNeeded, std::string* problem) {
    std::string path, text;
    if (!ReadFileForLanguage(folders, "*.lng", wanted, coding, &path, &text, problem)) return false;
    FileProblem fault;
    if (language->Parse(text, messagesNeeded, &fault)) return true;
    *problem = DescribeProblem(path, fault);
    return false;
}

}  // namespace host
