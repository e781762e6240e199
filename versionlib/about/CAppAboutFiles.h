#pragma once

#include <string>
#include <vector>

// The file list of the full About dialog: which entries of the program folder it shows.
class CAppAboutFiles {
public:
    // Filters without their leading dots, each once whatever its case.
    static std::vector<std::string> NormalizeFilters(const std::vector<std::string>& filters);
    // Keywords in lower case, each once; empty ones dropped.
    static std::vector<std::string> NormalizeKeywords(const std::vector<std::string>& keywords);

    // An entry is shown when its extension is one of the filters (ignoring case) and no
    // keyword occurs in its lower-case name without the extension.
    static bool Accept(const std::string& name, const std::vector<std::string>& filters,
                       const std::vector<std::string>& keywords);

    // Full paths of the accepted entries of folder, subfolders included, in the order the file
    // system gives them; with recurse, a subfolder's own entries come before it (depth first).
    // Links to folders are listed but not entered, so a link loop can't recurse forever.
    static std::vector<std::string> Collect(const std::string& folder, bool recurse,
                                            const std::vector<std::string>& filters,
                                            const std::vector<std::string>& keywords);

    // The path as the list shows it: relative to the program folder.
    static std::string RelativeName(const std::string& path, const std::string& programFolder);
};
