#include "cli/CKeptFiles.h"

#include <filesystem>
#include <system_error>
#include <unistd.h>

CKeptFiles::CKeptFiles(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error)) {
            continue;
        }
        const std::string spare = path + ".kept-" + std::to_string(getpid());
        std::filesystem::create_hard_link(path, spare, error);
        if (error) {
            error.clear();
            std::filesystem::copy_file(path, spare, error);
        }
        if (!error) {
            m_kept.emplace_back(path, spare);
        }
    }
}

CKeptFiles::~CKeptFiles() {
    for (const auto& [original, spare] : m_kept) {
        // A rename onto another link of the same file would do nothing and leave the spare.
        std::error_code error;
        if (std::filesystem::exists(original, error)) {
            std::filesystem::remove(spare, error);
        } else {
            std::filesystem::rename(spare, original, error);
        }
    }
}
