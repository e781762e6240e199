#include "versionlib/about/CAppAboutFiles.h"

#include "platform/CAsciiText.h"

#include <QString>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::string Lower(const std::string& text) {
    return QString::fromStdString(text).toLower().toStdString();
}

// The part after the name's last dot; empty without one.
std::string Extension(const std::string& name) {
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string WithoutExtension(const std::string& name) {
    return name.substr(0, name.rfind('.'));
}

void CollectInto(const fs::path& folder, bool recurse, const std::vector<std::string>& filters,
                 const std::vector<std::string>& keywords, std::vector<std::string>& paths) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::directory_entry& entry = *it;
        std::error_code ignored;
        if (recurse && entry.is_directory(ignored) && !entry.is_symlink(ignored)) {
            CollectInto(entry.path(), recurse, filters, keywords, paths);
        }
        if (CAppAboutFiles::Accept(entry.path().filename().string(), filters, keywords)) {
            paths.push_back(entry.path().string());
        }
    }
}

} // namespace

std::vector<std::string> CAppAboutFiles::NormalizeFilters(const std::vector<std::string>& filters) {
    std::vector<std::string> result;
    for (const std::string& filter : filters) {
        const std::string bare = filter.substr(std::min(filter.find_first_not_of('.'), filter.size()));
        const bool known = std::any_of(result.begin(), result.end(), [&](const std::string& kept) {
            return CAsciiText::EqualNoCase(kept, bare);
        });
        if (!known) {
            result.push_back(bare);
        }
    }
    return result;
}

std::vector<std::string> CAppAboutFiles::NormalizeKeywords(const std::vector<std::string>& keywords) {
    std::vector<std::string> result;
    for (const std::string& keyword : keywords) {
        const std::string lower = Lower(keyword);
        // An empty keyword would occur in every name and empty the whole list.
        if (!lower.empty() && std::find(result.begin(), result.end(), lower) == result.end()) {
            result.push_back(lower);
        }
    }
    return result;
}

bool CAppAboutFiles::Accept(const std::string& name, const std::vector<std::string>& filters,
                            const std::vector<std::string>& keywords) {
    const std::string extension = Extension(name);
    const bool filtered = std::any_of(filters.begin(), filters.end(), [&](const std::string& filter) {
        return CAsciiText::EqualNoCase(filter, extension);
    });
    if (!filtered) {
        return false;
    }
    const std::string stem = Lower(WithoutExtension(name));
    return std::none_of(keywords.begin(), keywords.end(), [&](const std::string& keyword) {
        return stem.find(keyword) != std::string::npos;
    });
}

std::vector<std::string> CAppAboutFiles::Collect(const std::string& folder, bool recurse,
                                                 const std::vector<std::string>& filters,
                                                 const std::vector<std::string>& keywords) {
    std::vector<std::string> paths;
    CollectInto(folder, recurse, filters, keywords, paths);
    return paths;
}

std::string CAppAboutFiles::RelativeName(const std::string& path, const std::string& programFolder) {
    // Only the leading folder: on a POSIX path the same text can recur further in.
    const std::string prefix = programFolder + "/";
    return path.compare(0, prefix.size(), prefix) == 0 ? path.substr(prefix.size()) : path;
}
