#pragma once

#include "tests/support/TestPeImage.h"
#include "versionlib/RX40CFileVersion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// A fresh temporary folder for the files one test writes; removed with the object.
class FileVersionTestDir {
public:
    FileVersionTestDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "qv-version-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        m_path = pattern;
    }
    FileVersionTestDir(const FileVersionTestDir&) = delete;
    FileVersionTestDir& operator=(const FileVersionTestDir&) = delete;
    ~FileVersionTestDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    const std::filesystem::path& Path() const { return m_path; }

    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        const std::string file = (m_path / name).string();
        // A fresh file rather than a truncated one: ext4 flushes a truncated file on close.
        std::filesystem::remove(file);
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            throw std::runtime_error("cannot write " + file);
        }
        return file;
    }

private:
    std::filesystem::path m_path;
};

// What a file without a readable version record gives.
inline void ExpectNoRecord(const RX40CFileVersion& version) {
    EXPECT_EQ(version.ToStrFixedFileVersion(), "0, 0, 0, 0");
    EXPECT_EQ(version.ToStrFixedProductVersion(), "0, 0, 0, 0");
    const std::string texts[] = {
        version.GetCompanyName(),     version.GetFileDescription(), version.GetFileVersion(),
        version.GetInternalName(),    version.GetLegalCopyright(),  version.GetOriginalFileName(),
        version.GetProductName(),     version.GetProductVersion(),  version.GetComments(),
        version.GetLegalTrademarks(), version.GetPrivateBuild(),    version.GetSpecialBuild(),
    };
    for (const std::string& text : texts) {
        EXPECT_EQ(text, "");
    }
}
