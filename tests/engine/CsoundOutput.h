#pragma once
// Reading what Csound printed.

#include <regex>
#include <sstream>
#include <string>
#include <vector>

// The lines of Csound's output that report an error ("0 errors in performance" excepted).
inline std::vector<std::string> ErrorLines(const std::string& output) {
    static const std::regex error(
        "error|illegal|invalid|unknown|failed|not found|cannot|can't|unexpected",
        std::regex::icase);
    std::vector<std::string> lines;
    std::stringstream in(output);
    for (std::string line; std::getline(in, line);) {
        if (std::regex_search(line, error) && line.find("0 errors in performance") == line.npos) {
            lines.push_back(line);
        }
    }
    return lines;
}
