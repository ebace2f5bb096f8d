#include "language.h"

#include <fstream>
#include <sstream>

namespace host {

std::string LoadLanguage(LanguageFile* language, const std::vector<std::string>& folders, std::string* problem) {
    for (const std::string& folder : folders) {
        const std::string path = folder + LanguageFileName;
        std::ifstream file(path, std::ios::binary);
        if (!file) continue;
        std::ostringstream text;
        text << file.rdbuf();
        int firstBad = 0;
        const int bad = language->Parse(text.str(), &firstBad);
        if (bad > 0 && problem)
            *problem = path + ": " + std::to_string(bad) + " line(s) not understood, the first is line " +
                       std::to_string(firstBad);
        return path;
    }
    if (problem) *problem = std::string(LanguageFileName) + " not found: the module's texts will be empty";
    return {};
}

}  // namespace host
