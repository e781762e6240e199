#include "CTestMedia.h"
#include "media/CWorkFiles.h"
#include "media/CWorkPaths.h"
#include "platform/CTextFile.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

bool Exists(const std::string& path) {
    return std::filesystem::exists(path);
}

constexpr int kTaken = static_cast<int>(CWorkFiles::Claim::Taken);
constexpr int kInUse = static_cast<int>(CWorkFiles::Claim::InUse);
constexpr int kDiedHolding = 3;

// Lock's answer for source in a child process, as another running program would get it; with
// leaveLocked the child dies holding the lock without letting go of anything.
int LockInChild(const std::string& source, bool leaveLocked = false) {
    const pid_t child = fork();
    if (child == 0) {
        CWorkFiles files;
        const CWorkFiles::Claim claim = files.Lock(source);
        if (leaveLocked && claim == CWorkFiles::Claim::Taken) {
            files.Add(CWorkPaths::WorkVideo(source));
            std::ofstream(CWorkPaths::WorkVideo(source)) << "child";
            _exit(kDiedHolding);
        }
        files.Remove();
        _exit(static_cast<int>(claim));
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class WorkFilesTest : public ::testing::Test {
protected:
    CTestMedia m_media;
    std::string m_source = m_media.Path("clip.mp4");
};

} // namespace

TEST_F(WorkFilesTest, AnotherProcessFindsTheNamesInUseUntilTheHolderLetsGo) {
    CWorkFiles files;
    ASSERT_EQ(files.Lock(m_source), CWorkFiles::Claim::Taken);
    files.Add(CWorkPaths::WorkVideo(m_source));
    std::ofstream(CWorkPaths::WorkVideo(m_source)) << "ours";
    EXPECT_EQ(LockInChild(m_source), kInUse);
    // A source of the same stem shares the working names.
    EXPECT_EQ(LockInChild(m_media.Path("clip.avi")), kInUse);
    // A second open in this process is refused as well.
    CWorkFiles second;
    EXPECT_EQ(second.Lock(m_source), CWorkFiles::Claim::InUse);
    EXPECT_EQ(CTextFile::Read(CWorkPaths::WorkVideo(m_source)).value_or(""), "ours");

    files.Remove();
    EXPECT_FALSE(Exists(CWorkPaths::WorkVideo(m_source)));
    EXPECT_EQ(LockInChild(m_source), kTaken);
    EXPECT_EQ(second.Lock(m_source), CWorkFiles::Claim::Taken);
}

TEST_F(WorkFilesTest, AHolderThatDiedLeavesTheNamesFreeAndItsFilesAreReplaced) {
    ASSERT_EQ(LockInChild(m_source, true), kDiedHolding);
    ASSERT_TRUE(Exists(CWorkPaths::WorkLock(m_source)));
    ASSERT_TRUE(Exists(CWorkPaths::WorkVideo(m_source)));
    CWorkFiles files;
    ASSERT_EQ(files.Lock(m_source), CWorkFiles::Claim::Taken);
    files.Add(CWorkPaths::WorkVideo(m_source));
    EXPECT_FALSE(Exists(CWorkPaths::WorkVideo(m_source)));
    EXPECT_TRUE(files.Holds(CWorkPaths::WorkVideo(m_source)));
    files.Remove();
    EXPECT_FALSE(Exists(CWorkPaths::WorkLock(m_source)));
}

TEST_F(WorkFilesTest, OwnershipMovesAndOnlyRecordedFilesAreDeleted) {
    const std::string video = CWorkPaths::WorkVideo(m_source);
    const std::string other = m_media.Path("clip.$tmp$.wav");
    std::ofstream(m_source) << "the user's movie";
    std::ofstream(other) << "not recorded";
    CWorkFiles unlocked;
    unlocked.Add(video);
    EXPECT_FALSE(unlocked.Holds(video));

    CWorkFiles files;
    ASSERT_EQ(files.Lock(m_source), CWorkFiles::Claim::Taken);
    files.Add(video);
    std::ofstream(video) << "converted";
    CWorkFiles owner(std::move(files));
    files.Remove();
    EXPECT_TRUE(Exists(video));
    EXPECT_EQ(LockInChild(m_source), kInUse);

    // Taking other files deletes the ones held before.
    CWorkFiles picture;
    ASSERT_EQ(picture.Lock(m_media.Path("photo.jpg")), CWorkFiles::Claim::Taken);
    owner = std::move(picture);
    EXPECT_FALSE(Exists(video));
    EXPECT_EQ(LockInChild(m_source), kTaken);
    EXPECT_TRUE(Exists(m_source));
    EXPECT_TRUE(Exists(other));
}
