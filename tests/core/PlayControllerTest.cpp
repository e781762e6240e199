#include "CRecordingSoundCommands.h"
#include "CScopedEnv.h"
#include "CTestMedia.h"
#include "app/CInifileManager.h"
#include "app/CPlayController.h"
#include "media/CAviVideoStream.h"
#include "media/CSoundCommandInterpreter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

// Records what play control asks of the windows.
class CFakePlayHost : public IPlayHost {
public:
    explicit CFakePlayHost(CAviVideoStream& stream) : m_stream(stream) {}

    void StartTimer(int id, int intervalMs) override { timers[id] = intervalMs; }
    void KillTimer(int id) override { timers.erase(id); }
    void ShowFrame(std::int64_t n) override {
        m_stream.m_nCurrentFrame = std::max<std::int64_t>(0, std::min(n, m_stream.m_nLastFrame));
        slider = n;
    }
    void ShowPlayPicture(bool stopPicture) override { stopPictureShown = stopPicture; }
    void PlayStopped() override { ++stops; }
    bool RecordBrush(std::int64_t frame) override {
        if (recording) {
            recorded.push_back(frame);
        }
        return recording;
    }
    void ResetSelection() override { ++selectionResets; }

    std::map<int, int> timers;
    std::int64_t slider = -100;
    bool stopPictureShown = false;
    int stops = 0;
    bool recording = false;
    std::vector<std::int64_t> recorded;
    int selectionResets = 0;

private:
    CAviVideoStream& m_stream;
};

// A sound device that answers from a script and keeps the commands.
class CScriptedSound : public ISoundCommands {
public:
    int SendString(const std::string& command, std::string& answer) override {
        sent.push_back(command);
        answer.clear();
        if (command.rfind("open ", 0) == 0) {
            return openResult;
        }
        if (command == "status f position") {
            answer = position;
        } else if (command == "status f mode") {
            answer = mode;
        }
        return 0;
    }

    std::vector<std::string> sent;
    int openResult = 0;
    std::string position = "0";
    std::string mode = "playing";
};

} // namespace

class PlayControllerTest : public ::testing::Test {
protected:
    PlayControllerTest() : m_settings(m_folder.Path("Quorvel.ini")) {
        m_stream.m_strFilePath = m_stream.m_strWorkPath;
        m_stream.m_rFrameRate = AVRational{30000, 1001};
        m_stream.m_nLastFrame = 299;
    }

    void Tick(int id, int times = 1) {
        for (int i = 0; i < times; ++i) {
            m_control.OnTimer(id);
        }
    }

    CTestMedia m_folder;
    CInifileManager m_settings;
    std::int32_t m_sizeId = 2;
    CAviVideoStream m_stream{m_folder.Path("clip.$tmp$.avi"), m_sizeId};
    bool m_playing = false;
    bool m_audioPlaying = false;
    CAviVideoStream* m_playStream = nullptr;
    CFakePlayHost m_host{m_stream};
    CScriptedSound m_sound;
    CPlayController m_control{{m_playing, m_audioPlaying, m_playStream}, m_settings, m_host,
                              m_sound};
    const std::string m_soundPath = "/movies/clip.$tmp$.wav";
};

TEST_F(PlayControllerTest, TimerIntervalsFollowFrameRateAndSpeed) {
    EXPECT_EQ(CPlayController::PlayInterval(30000, 1001, 1.0f), 33);
    EXPECT_EQ(CPlayController::PlayInterval(30000, 1001, 2.0f), 16);
    EXPECT_EQ(CPlayController::PlayInterval(30000, 1001, 0.1f), 333);
    EXPECT_EQ(CPlayController::PlayInterval(30000, 1001, 0.5f), 66);
    EXPECT_EQ(CPlayController::SoundInterval(30000, 1001), 33);
    EXPECT_EQ(CPlayController::SoundInterval(25, 1), 40);
    // A stream without a frame rate still gets a usable timer.
    EXPECT_GE(CPlayController::PlayInterval(0, 1, 1.0f), 1);
    EXPECT_GE(CPlayController::PlayInterval(0, 0, 0.0f), 1);
}

TEST_F(PlayControllerTest, PlayTogglesAndEachTickShowsTheNextFrame) {
    m_stream.m_nCurrentFrame = 10;
    m_control.Play(&m_stream);
    EXPECT_TRUE(m_playing);
    EXPECT_EQ(m_playStream, &m_stream);
    EXPECT_EQ(m_host.timers, (std::map<int, int>{{1, 33}}));
    EXPECT_TRUE(m_host.stopPictureShown);

    Tick(1, 3);
    EXPECT_EQ(m_stream.m_nCurrentFrame, 13);
    EXPECT_EQ(m_host.slider, 13);
    // Without sound, moving the slider has nothing to follow.
    m_control.OnSliderMoved(m_stream);
    EXPECT_TRUE(m_sound.sent.empty());

    m_control.Play(&m_stream);
    EXPECT_FALSE(m_playing);
    EXPECT_EQ(m_playStream, nullptr);
    EXPECT_TRUE(m_host.timers.empty());
    EXPECT_FALSE(m_host.stopPictureShown);
    EXPECT_EQ(m_host.stops, 1);
    Tick(1);
    EXPECT_EQ(m_stream.m_nCurrentFrame, 13);
}

TEST_F(PlayControllerTest, EndOfMovieStopsRewoundOrLoopsOn) {
    m_stream.m_nCurrentFrame = 299;
    m_control.Play(&m_stream);
    Tick(1);
    EXPECT_FALSE(m_playing);
    EXPECT_EQ(m_stream.m_nCurrentFrame, 0);
    EXPECT_EQ(m_host.selectionResets, 1);

    m_settings.LoopPlay = 1;
    m_stream.m_nCurrentFrame = 298;
    m_control.Play(&m_stream);
    Tick(1, 3);
    EXPECT_TRUE(m_playing);
    EXPECT_EQ(m_stream.m_nCurrentFrame, 1);
    EXPECT_EQ(m_host.selectionResets, 1);
}

TEST_F(PlayControllerTest, RecordingTakesEachFrameBeforeTheStepAndNeverWraps) {
    m_settings.LoopPlay = 1;
    m_stream.m_nCurrentFrame = 296;
    m_host.recording = true;
    m_control.Play(&m_stream);
    Tick(1, 5);
    EXPECT_EQ(m_host.recorded, (std::vector<std::int64_t>{296, 297, 298, 299}));
    EXPECT_FALSE(m_playing);
    EXPECT_EQ(m_stream.m_nCurrentFrame, 0);
    EXPECT_EQ(m_host.selectionResets, 1);
}

// A recording under way goes on at the new pace: the view's drag is never ended.
TEST_F(PlayControllerTest, ChosenSpeedRestartsPlayWithTheNewInterval) {
    m_control.OnSpeedSelected("1.0");
    EXPECT_TRUE(m_host.timers.empty());
    m_stream.m_nCurrentFrame = 40;
    m_host.recording = true;
    m_control.Play(&m_stream);
    m_control.OnSpeedSelected("0.5");
    EXPECT_FLOAT_EQ(m_settings.PlaySpeedRate, 0.5f);
    EXPECT_TRUE(m_playing);
    EXPECT_EQ(m_host.timers, (std::map<int, int>{{1, 66}}));
    EXPECT_EQ(m_stream.m_nCurrentFrame, 40);
    m_control.OnSpeedSelected("2.0");
    EXPECT_EQ(m_host.timers, (std::map<int, int>{{1, 16}}));
    Tick(1, 2);
    EXPECT_EQ(m_host.recorded, (std::vector<std::int64_t>{40, 41}));
    EXPECT_EQ(m_host.stops, 0);
    EXPECT_TRUE(m_host.stopPictureShown);
}

TEST_F(PlayControllerTest, ArrowKeysStepTheSpeedIndexWithinTheList) {
    EXPECT_EQ(CPlayController::StepSpeedIndex(1, 6, true, false), 0);
    EXPECT_EQ(CPlayController::StepSpeedIndex(0, 6, true, false), 0);
    EXPECT_EQ(CPlayController::StepSpeedIndex(1, 6, false, true), 2);
    EXPECT_EQ(CPlayController::StepSpeedIndex(5, 6, false, true), 5);
    EXPECT_EQ(CPlayController::StepSpeedIndex(-1, 6, false, true), 0);
    EXPECT_EQ(CPlayController::StepSpeedIndex(3, 6, true, true), 2);
    EXPECT_EQ(CPlayController::StepSpeedIndex(3, 6, false, false), 3);
}

TEST_F(PlayControllerTest, SoundPositionLeadsThePicture) {
    m_stream.m_rFrameRate = AVRational{25, 1};
    m_control.PlayWithSound(&m_stream, m_soundPath);
    ASSERT_TRUE(m_audioPlaying);
    EXPECT_FALSE(m_playing);
    EXPECT_EQ(m_host.timers, (std::map<int, int>{{3, 40}}));
    m_sound.position = "2000";
    Tick(3);
    EXPECT_EQ(m_stream.m_nCurrentFrame, 50);

    m_host.ShowFrame(100);
    m_control.OnSliderMoved(m_stream);
    EXPECT_EQ(m_sound.sent.back(), "play f from 4000");

    m_control.OnSpeedSelected("0.5");
    const std::vector<std::string> restart(m_sound.sent.end() - 5, m_sound.sent.end());
    EXPECT_EQ(restart, (std::vector<std::string>{
                           "close all", "open \"" + m_soundPath + "\" alias f type mpegvideo",
                           "set f speed 500", "set f time format ms", "play f from 4000"}));
    EXPECT_TRUE(m_audioPlaying);
    EXPECT_EQ(m_host.timers, (std::map<int, int>{{3, 40}}));
    EXPECT_EQ(m_host.stops, 0);
}

TEST_F(PlayControllerTest, EndOfSoundStopsRewoundOrStartsAgain) {
    m_control.PlayWithSound(&m_stream, m_soundPath);
    m_sound.mode = "Stopped";
    m_sound.position = "3000";
    Tick(3);
    EXPECT_FALSE(m_audioPlaying);
    EXPECT_EQ(m_stream.m_nCurrentFrame, 0);
    EXPECT_EQ(m_sound.sent.back(), "close all");
    EXPECT_TRUE(m_host.timers.empty());

    m_settings.LoopPlay = 1;
    m_sound.mode = "playing";
    m_control.PlayWithSound(&m_stream, m_soundPath);
    m_sound.position = "10000"; // frame 299: the last frame ends the sound play too
    Tick(3);
    EXPECT_TRUE(m_audioPlaying);
    EXPECT_EQ(m_sound.sent.back(), "play f from 0");
    EXPECT_EQ(m_stream.m_nCurrentFrame, 0);
}

TEST_F(PlayControllerTest, PlayAndStopEndPlayWithSound) {
    m_control.PlayWithSound(&m_stream, m_soundPath);
    m_control.Play(&m_stream);
    EXPECT_FALSE(m_audioPlaying);
    EXPECT_FALSE(m_playing);
    EXPECT_EQ(m_sound.sent.back(), "close all");
    m_control.PlayWithSound(&m_stream, m_soundPath);
    m_control.PlayWithSound(&m_stream, m_soundPath);
    EXPECT_FALSE(m_audioPlaying);
    EXPECT_EQ(m_sound.sent.back(), "close all");
    m_control.Play(&m_stream);
    m_control.PlayWithSound(&m_stream, m_soundPath);
    EXPECT_FALSE(m_playing);
}

TEST_F(PlayControllerTest, SoundThatCannotPlayLeavesEverythingStopped) {
    m_control.PlayWithSound(&m_stream, "");
    EXPECT_TRUE(m_sound.sent.empty());
    m_sound.openResult = 1;
    m_control.PlayWithSound(&m_stream, m_soundPath);
    EXPECT_EQ(m_sound.sent.back(), "close all");
    EXPECT_FALSE(m_audioPlaying);
    EXPECT_EQ(m_playStream, nullptr);
    EXPECT_TRUE(m_host.timers.empty());
    EXPECT_FALSE(m_host.stopPictureShown);
}

// The whole start with the real player: the strings of the start, then "close all" on stop.
TEST_F(PlayControllerTest, PlayWithSoundOnTheRealPlayer) {
    const CScopedEnv driver("SDL_AUDIODRIVER", "dummy");
    const std::string sound = m_folder.Generate(
        "clip.$tmp$.wav", "-f lavfi -i sine=sample_rate=44100:duration=3 -ac 2 -acodec pcm_s16le");
    ASSERT_FALSE(sound.empty());
    CSoundCommandInterpreter player;
    CRecordingSoundCommands recorder(player);
    CPlayController control({m_playing, m_audioPlaying, m_playStream}, m_settings, m_host,
                            recorder);
    m_stream.m_nCurrentFrame = 45;
    control.PlayWithSound(&m_stream, sound);
    ASSERT_TRUE(m_audioPlaying);
    EXPECT_EQ(recorder.sent, (std::vector<std::string>{
                                 "open \"" + sound + "\" alias f type mpegvideo",
                                 "set f speed 1000", "set f time format ms", "play f from 1501"}));
    control.OnTimer(CPlayController::SoundTimer);
    EXPECT_GE(m_stream.m_nCurrentFrame, 44);
    EXPECT_LE(m_stream.m_nCurrentFrame, 50);
    control.StopPlay();
    EXPECT_EQ(recorder.sent.back(), "close all");
    std::string answer;
    EXPECT_NE(player.SendString("status f mode", answer), 0);

    std::filesystem::remove(sound);
    control.PlayWithSound(&m_stream, sound);
    EXPECT_FALSE(m_audioPlaying);
    EXPECT_EQ(m_playStream, nullptr);
}
