#include "CTestMedia.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

CTestMedia::CTestMedia() {
    const std::filesystem::path base = std::filesystem::temp_directory_path() / "quorvel-XXXXXX";
    std::string pattern = base.string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    m_dir = buffer.data();
}

CTestMedia::~CTestMedia() {
    std::error_code ignored;
    std::filesystem::remove_all(m_dir, ignored);
}

std::string CTestMedia::Path(const std::string& name) const {
    return m_dir + "/" + name;
}

std::string CTestMedia::Generate(const std::string& name, const std::string& args) const {
    const std::string path = Path(name);
    const std::string command =
        "ffmpeg -nostdin -hide_banner -loglevel error -y " + args + " '" + path + "'";
    if (std::system(command.c_str()) != 0 || !std::filesystem::exists(path)) {
        return {};
    }
    return path;
}

std::vector<std::string> CTestMedia::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}
