#include "tests/core/FileVersionTestDir.h"

#include "versionlib/RX40CFileVersion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {
void expectOwnRecord(const RX40CFileVersion& version) {
    EXPECT_EQ(version.GetInternalName(), "Quorvel");
    EXPECT_EQ(version.ToStrFixedFileVersion(), "2, 1, 1, 2104");
    EXPECT_EQ(version.ToStrFixedProductVersion(), "2, 1, 1, 2104");
    EXPECT_EQ(version.GetCompanyName(), "Velmarro");
    EXPECT_EQ(version.GetFileVersion(), "2.1.1.2104");
    EXPECT_EQ(version.GetProductName(), "Quorvel");
}
} // namespace

TEST(FileVersion, OwnBinariesCarryTheQuorvelRecord) {
    const RX40CFileVersion self;
    EXPECT_EQ(self.GetFileName(), "quorvel-core-tests");
    EXPECT_TRUE(std::filesystem::equivalent(self.GetFilePath(), "/proc/self/exe"));
    expectOwnRecord(self);

    const RX40CFileVersion library(QUORVEL_BIN_DIR "/libRX40dApp_x64.so");
    EXPECT_EQ(library.GetFileName(), "libRX40dApp_x64.so");
    expectOwnRecord(library);
}

TEST(FileVersion, TheProgramCarriesTheQuorvelRecord) {
    const std::string program = QUORVEL_BIN_DIR "/Quorvel";
    if (!std::filesystem::exists(program)) {
        GTEST_SKIP() << program << " is not built";
    }
    expectOwnRecord(RX40CFileVersion(program));
}

TEST(FileVersion, FilesWithoutRecordGiveEmptyTextsAndZeroVersions) {
    FileVersionTestDir dir;
    const std::vector<std::uint8_t> text = {'M', 'Z', ' ', 'i', 's', ' ', 'n', 'o', 't', '\n'};
    ExpectNoRecord(RX40CFileVersion(dir.Write("notes.txt", text)));
    ExpectNoRecord(RX40CFileVersion(dir.Write("empty", {})));
    ExpectNoRecord(RX40CFileVersion((dir.Path() / "missing.exe").string()));
    ExpectNoRecord(RX40CFileVersion(dir.Path().string()));
    ExpectNoRecord(RX40CFileVersion(""));
}

TEST(FileVersion, FileNameIsThePartAfterTheLastSeparator) {
    EXPECT_EQ(RX40CFileVersion("Quorvel.exe").GetFileName(), "Quorvel.exe");
    EXPECT_EQ(RX40CFileVersion("Quorvel.exe").GetFilePath(), "Quorvel.exe");
    EXPECT_EQ(RX40CFileVersion("/opt/qv/misc/ffmpeg").GetFileName(), "ffmpeg");
    EXPECT_EQ(RX40CFileVersion("/opt/qv/").GetFileName(), "");
}

TEST(FileVersion, CopiesOutliveTheirOriginal) {
    auto original = std::make_unique<RX40CFileVersion>(QUORVEL_BIN_DIR "/libRX40dApp_x64.so");
    const RX40CFileVersion copy(*original);
    RX40CFileVersion assigned("missing");
    const RX40CFileVersion& assignedView = assigned;
    assigned = *original;
    original.reset();

    for (const RX40CFileVersion* version : {&copy, &assignedView}) {
        expectOwnRecord(*version);
        EXPECT_EQ(version->GetFileName(), "libRX40dApp_x64.so");
    }
}
