#include "CLimitedChild.h"
#include "CTestMedia.h"

#include "media/CAviVideoStream.h"
#include "media/CProgressFiles.h"
#include "platform/CMessageBoxSeam.h"
#include "tests/support/CRecordingMessageBox.h"
#include "platform/CDurableFile.h"
#include "platform/CTextFile.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <limits>
#include <random>
#include <thread>

namespace {

namespace fs = std::filesystem;

// Two saves that differ in every part: settings, fixed areas and tracks (one without any).
CMosaicParam WithTracks() {
    CMosaicParam mosaic(1);
    mosaic.AddFixedArea(T_RECT{1, 2, 30, 40});
    for (int frame = 0; frame < 400; ++frame) {
        mosaic.SetTrackRect(0, T_RECT{frame, 0, frame + 10, 10}, frame);
    }
    return mosaic;
}

CMosaicParam WithoutTracks() {
    CMosaicParam mosaic(7);
    mosaic.size = 25;
    mosaic.enable = 0;
    for (int i = 0; i < 30; ++i) {
        mosaic.AddFixedArea(T_RECT{i, i, i + 50, i + 60});
    }
    return mosaic;
}

bool SameSave(const CMosaicParam& a, const CMosaicParam& b) {
    return a.enable == b.enable && a.type == b.type && a.size == b.size &&
           a.FixedAreas() == b.FixedAreas() && a.Tracks() == b.Tracks();
}

class ProgressSaveTest : public ::testing::Test {
protected:
    CMosaicParam Loaded() const {
        CMosaicParam mosaic(0);
        m_files.Load(mosaic);
        return mosaic;
    }

    CTestMedia m_media;
    CProgressFiles m_files{m_media.Path("clip.$tmp$.avi")};
    const CMosaicParam m_first = WithTracks();
    const CMosaicParam m_second = WithoutTracks();
};

} // namespace

TEST_F(ProgressSaveTest, SavesReplaceThePairAndASaveWithoutTracksLeavesNoTrackFile) {
    ASSERT_TRUE(m_files.Save(m_first));
    EXPECT_TRUE(SameSave(Loaded(), m_first));
    EXPECT_EQ(m_media.Names(), (std::vector<std::string>{"clip.$tmp$.eft", "clip.$tmp$.eftm"}));
    ASSERT_TRUE(m_files.Save(m_second));
    EXPECT_TRUE(SameSave(Loaded(), m_second));
    EXPECT_EQ(m_media.Names(), std::vector<std::string>{"clip.$tmp$.eft"});
    m_files.Remove();
    EXPECT_TRUE(m_media.Names().empty());
}

// The disk fills up while the settings file, then while the track file is written.
TEST_F(ProgressSaveTest, FullDiskKeepsTheOldPairAndSaysSo) {
    ASSERT_TRUE(m_files.Save(m_first));
    const auto settingsSize = fs::file_size(m_files.FixedAreasPath());
    ASSERT_LT(settingsSize + 10, fs::file_size(m_files.TracksPath()));
    ASSERT_TRUE(m_files.Save(m_second));
    for (const rlim_t limit : {rlim_t{100}, static_cast<rlim_t>(settingsSize + 10)}) {
        EXPECT_EQ(CLimitedChild::Run(limit, [&] { return m_files.Save(m_first); }),
                  CLimitedChild::kFailed)
            << limit;
        EXPECT_TRUE(SameSave(Loaded(), m_second)) << limit;
        EXPECT_EQ(m_media.Names(), std::vector<std::string>{"clip.$tmp$.eft"});
    }
}

// A save killed at any point, many times over: every load finds the old or the new pair whole.
TEST_F(ProgressSaveTest, KilledSaveLoadsAsTheOldOrTheNewState) {
    ASSERT_TRUE(m_files.Save(m_first));
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(m_files.Save(i % 2 == 0 ? m_second : m_first));
    }
    const auto saveTime = (std::chrono::steady_clock::now() - start) / 4;
    std::mt19937 random(20261207);
    long maxDelay = std::max<long>(
        1, std::chrono::duration_cast<std::chrono::microseconds>(saveTime * 3 / 2).count());
    int old = 0;
    int next = 0;
    // A forked child saves slower than the parent did (sanitizers, a busy machine): widen or
    // narrow the kill window until the kills have fallen on both sides of the commit.
    for (int round = 0; round < 60 || ((old == 0 || next == 0) && round < 600); ++round) {
        if (round % 20 == 19) {
            maxDelay = next == 0  ? maxDelay * 2
                       : old == 0 ? std::max<long>(1, maxDelay / 2)
                                  : maxDelay;
        }
        std::uniform_int_distribution<long> delay(0, maxDelay);
        const CMosaicParam& before = round % 2 == 0 ? m_first : m_second;
        const CMosaicParam& after = round % 2 == 0 ? m_second : m_first;
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t child = fork();
        if (child == 0) {
            close(ready[0]);
            const char go = 1;
            if (write(ready[1], &go, 1) != 1) {
                _exit(2);
            }
            _exit(m_files.Save(after) ? 0 : 1);
        }
        ASSERT_GT(child, 0);
        close(ready[1]);
        char go = 0;
        ASSERT_EQ(read(ready[0], &go, 1), 1);
        close(ready[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);

        const CMosaicParam loaded = Loaded();
        const bool isOld = SameSave(loaded, before);
        const bool isNew = SameSave(loaded, after);
        ASSERT_TRUE(isOld || isNew) << "round " << round;
        old += isOld ? 1 : 0;
        next += isNew ? 1 : 0;
        // The next round starts from the state this one left, saved whole.
        ASSERT_TRUE(m_files.Save(after));
    }
    // The kills fell before and after the save took effect.
    EXPECT_GT(old, 0);
    EXPECT_GT(next, 0);
}

// Twenty thousand areas with any coordinates and settings at the ends of their range come back
// as they were, and saving what was loaded writes the same bytes again.
TEST_F(ProgressSaveTest, ALargeSaveLoadsBackExactly) {
    CMosaicParam large(5);
    large.size = std::numeric_limits<std::int32_t>::min();
    std::mt19937 random(7);
    std::uniform_int_distribution<std::int32_t> any(std::numeric_limits<std::int32_t>::min());
    for (int i = 0; i < 20000; ++i) {
        large.AddFixedArea(T_RECT{any(random), any(random), any(random), any(random)});
    }
    large.AddFixedArea(T_RECT{std::numeric_limits<std::int32_t>::max(), 0, -1, 1});
    for (int frame = 0; frame < 3000; ++frame) {
        large.SetTrackRect(0, T_RECT{any(random), any(random), any(random), any(random)}, frame);
    }
    ASSERT_TRUE(m_files.Save(large));
    const CMosaicParam loaded = Loaded();
    EXPECT_TRUE(SameSave(loaded, large));

    const CProgressFiles again(m_media.Path("again.avi"));
    ASSERT_TRUE(again.Save(loaded));
    EXPECT_EQ(CTextFile::Read(again.FixedAreasPath()), CTextFile::Read(m_files.FixedAreasPath()));
    EXPECT_EQ(CTextFile::Read(again.TracksPath()), CTextFile::Read(m_files.TracksPath()));
}

// Removing takes the pair and whatever unfinished saves left, or nothing at all.
TEST_F(ProgressSaveTest, RemovalTakesThePairOrNothing) {
    const std::string eftm = m_files.TracksPath();
    const std::string removed = eftm + ".removed";
    ASSERT_TRUE(m_files.Save(m_first));
    ASSERT_TRUE(CDurableFile::Write(CDurableFile::TempPath(eftm), "uncommitted"));
    ASSERT_TRUE(CDurableFile::Write(CDurableFile::TempPath(m_files.FixedAreasPath()), "<effect/>"));
    EXPECT_TRUE(m_files.Remove());
    EXPECT_TRUE(m_media.Names().empty());

    // The track file cannot be moved aside: both stay.
    ASSERT_TRUE(m_files.Save(m_first));
    fs::create_directories(removed + "/blocked");
    EXPECT_FALSE(m_files.Remove());
    EXPECT_TRUE(SameSave(Loaded(), m_first));
    fs::remove_all(removed);

    // The settings file cannot be deleted once the track file is aside: it comes back.
    const std::string tracks = CTextFile::Read(eftm).value_or("");
    fs::remove(m_files.FixedAreasPath());
    fs::create_directories(m_files.FixedAreasPath() + "/blocked");
    EXPECT_FALSE(m_files.Remove());
    EXPECT_EQ(CTextFile::Read(eftm), tracks);
    EXPECT_FALSE(fs::exists(removed));
}

// A removal killed after it moved the track file aside: before the settings file went, the
// next load finds the pair as it was; after, it finds nothing, and no leftover stays.
TEST_F(ProgressSaveTest, UnfinishedRemovalLoadsAsTheOldPairOrAsNothing) {
    const std::string removed = m_files.TracksPath() + ".removed";
    ASSERT_TRUE(m_files.Save(m_first));
    fs::rename(m_files.TracksPath(), removed);
    EXPECT_TRUE(SameSave(Loaded(), m_first));
    EXPECT_EQ(m_media.Names(), (std::vector<std::string>{"clip.$tmp$.eft", "clip.$tmp$.eftm"}));

    fs::rename(m_files.TracksPath(), removed);
    fs::remove(m_files.FixedAreasPath());
    EXPECT_TRUE(SameSave(Loaded(), CMosaicParam(0)));
    EXPECT_TRUE(m_media.Names().empty());
}

// clip.mp4 and clip.mov share their working name and so their progress files: the files say
// whose they are, the other movie loads them only when the user says so and never deletes them.
TEST_F(ProgressSaveTest, AMovieOfTheSameStemAsksBeforeTakingTheProgressOfAnother) {
    const std::int32_t sizeId = 6;
    const std::string work = m_media.Path("clip.$tmp$.avi");
    CAviVideoStream mp4(work, sizeId);
    mp4.m_strSourceName = "clip.mp4";
    mp4.m_mosaic.AddFixedArea(T_RECT{1, 2, 30, 40});
    ASSERT_TRUE(mp4.SaveProgress());
    const auto saved = CTextFile::Read(m_files.FixedAreasPath());
    ASSERT_TRUE(saved);
    EXPECT_NE(saved->find("source=\"clip.mp4\""), std::string::npos);

    for (const int answer : {QV_IDNO, QV_IDYES}) {
        CRecordingMessageBox box(answer);
        IMessageBox* previous = CMessageBoxSeam::Install(&box);
        CAviVideoStream mov(work, sizeId);
        mov.m_strSourceName = "clip.mov";
        mov.LoadProgress();
        CMessageBoxSeam::Install(previous);
        ASSERT_EQ(box.texts.size(), 1u);
        EXPECT_NE(box.texts[0].find("\"clip.mp4\""), std::string::npos);
        EXPECT_EQ(mov.m_mosaic.FixedAreas().size(), answer == QV_IDYES ? 1u : 0u);
        EXPECT_EQ(mov.ProgressOfOtherSource(), answer == QV_IDYES ? "" : "clip.mp4");
        if (answer == QV_IDNO) {
            ASSERT_TRUE(mov.RemoveProgress());
            EXPECT_EQ(CTextFile::Read(m_files.FixedAreasPath()), saved);
        }
    }

    // Files that name no movie, as older ones, and the movie's own files load without a word.
    for (const bool named : {false, true}) {
        ASSERT_TRUE(named ? mp4.SaveProgress() : CProgressFiles(work).Save(mp4.m_mosaic));
        CRecordingMessageBox box(QV_IDNO);
        IMessageBox* previous = CMessageBoxSeam::Install(&box);
        CAviVideoStream other(work, sizeId);
        other.m_strSourceName = "clip.mp4";
        other.LoadProgress();
        CMessageBoxSeam::Install(previous);
        EXPECT_TRUE(box.texts.empty()) << named;
        EXPECT_EQ(other.m_mosaic.FixedAreas().size(), 1u) << named;
        EXPECT_EQ(other.ProgressOfOtherSource(), "") << named;
    }
}
