#include "CRecordingSoundCommands.h"
#include "CScopedEnv.h"
#include "CTestMedia.h"
#include "app/CAudioPlayback.h"
#include "media/CAviVideoStream.h"
#include "media/CSoundCommandInterpreter.h"
#include "media/CSoundSource.h"
#include "media/CTempoFilter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Sign changes of a mono 16-bit signal per second of signal.
double ZeroCrossingsPerSecond(const std::vector<std::int16_t>& samples, int rate) {
    int crossings = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        crossings += (samples[i - 1] < 0) != (samples[i] < 0) ? 1 : 0;
    }
    return crossings * static_cast<double>(rate) / static_cast<double>(samples.size());
}

} // namespace

class SoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override { m_env = std::make_unique<CScopedEnv>("SDL_AUDIODRIVER", "dummy"); }

    // A working sound as the converter separates it: 16-bit stereo WAV.
    std::string MakeSound(const std::string& name, double seconds) {
        const std::string path =
            m_media.Generate(name, "-f lavfi -i sine=frequency=1000:sample_rate=44100:duration=" +
                                       std::to_string(seconds) + " -ac 2 -acodec pcm_s16le");
        EXPECT_FALSE(path.empty());
        return path;
    }

    std::string Send(const std::string& command, int* result = nullptr) {
        std::string answer;
        const int code = m_player.SendString(command, answer);
        if (result != nullptr) {
            *result = code;
        }
        return answer;
    }

    CTestMedia m_media;
    std::unique_ptr<CScopedEnv> m_env;
    CSoundCommandInterpreter m_player;
    CRecordingSoundCommands m_recorder{m_player};
    CAudioPlayback m_playback{m_recorder};
};

TEST_F(SoundPlayerTest, StartSendsOpenSpeedTimeFormatAndPlayFromTheFramesTime) {
    const std::string sound = MakeSound("clip.$tmp$.wav", 3.0);
    const std::string movie = m_media.Generate(
        "clip.$tmp$.avi",
        "-f lavfi -i testsrc2=size=160x120:rate=30000/1001,trim=end_frame=60 -vcodec msmpeg4v2");
    std::int32_t sizeId = 2;
    CAviVideoStream stream(movie, sizeId);
    ASSERT_EQ(stream.OpenVideo(), 1);
    stream.m_nCurrentFrame = 45;

    ASSERT_TRUE(m_playback.Start(sound, 1.0f, stream.GetPlayTimeMs()));
    const std::vector<std::string> expected = {
        "open \"" + sound + "\" alias f type mpegvideo", "set f speed 1000",
        "set f time format ms", "play f from 1501"};
    EXPECT_EQ(m_recorder.sent, expected);
    EXPECT_EQ(Send("status f mode"), "playing");
    EXPECT_GE(std::stoi(Send("status f position")), 1501);

    m_playback.CloseAll();
    EXPECT_EQ(m_recorder.sent.back(), "close all");
    int result = 0;
    Send("status f mode", &result);
    EXPECT_EQ(result, CSoundCommandInterpreter::kUnknownAlias);
}

TEST_F(SoundPlayerTest, SpeedArgumentIsPerMilleOfTheSetting) {
    EXPECT_EQ(CAudioPlayback::SpeedPerMille(2.0f), 2000);
    EXPECT_EQ(CAudioPlayback::SpeedPerMille(1.0f), 1000);
    EXPECT_EQ(CAudioPlayback::SpeedPerMille(0.8f), 800);
    EXPECT_EQ(CAudioPlayback::SpeedPerMille(0.5f), 500);
    EXPECT_EQ(CAudioPlayback::SpeedPerMille(0.2f), 200);
    EXPECT_EQ(CAudioPlayback::SpeedPerMille(0.1f), 100);
}

TEST_F(SoundPlayerTest, PositionAdvancesAtAboutThePlaySpeedAndStopsAtTheEnd) {
    const std::string sound = MakeSound("long.wav", 4.0);
    for (const float speed : {1.0f, 2.0f}) {
        ASSERT_TRUE(m_playback.Start(sound, speed, 500));
        const auto started = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(600ms);
        const CAudioPlayback::Status status = m_playback.Poll();
        const double elapsed =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
                .count();
        const double advanced = static_cast<double>(status.positionMs - 500);
        EXPECT_FALSE(status.stopped);
        // Loose bounds: the device takes sound in blocks and the machine may be busy.
        EXPECT_GT(advanced, 0.5 * speed * 600.0) << "speed " << speed;
        EXPECT_LT(advanced, speed * elapsed + 200.0) << "speed " << speed;
        m_playback.CloseAll();
    }

    ASSERT_TRUE(m_playback.Start(sound, 2.0f, 3600));
    CAudioPlayback::Status status = m_playback.Poll();
    for (int i = 0; i < 100 && !status.stopped; ++i) {
        std::this_thread::sleep_for(20ms);
        status = m_playback.Poll();
    }
    EXPECT_TRUE(status.stopped);
    EXPECT_NEAR(static_cast<double>(status.positionMs), 4000.0, 100.0);

    // Played again from a time, the stopped sound runs again.
    m_playback.PlayFrom(1000);
    EXPECT_FALSE(m_playback.Poll().stopped);
    m_playback.CloseAll();
}

TEST_F(SoundPlayerTest, SoundThatCannotBeOpenedClosesEverythingAndPlaysNothing) {
    const std::string missing = m_media.Path("missing.$tmp$.wav");
    EXPECT_FALSE(m_playback.Start(missing, 1.0f, 0));
    const std::vector<std::string> expected = {
        "open \"" + missing + "\" alias f type mpegvideo", "close all"};
    EXPECT_EQ(m_recorder.sent, expected);

    const std::string notSound = m_media.Path("text.wav");
    std::ofstream(notSound) << "not a sound\n";
    EXPECT_FALSE(m_playback.Start(notSound, 1.0f, 0));
    EXPECT_TRUE(m_playback.Poll().stopped);
}

TEST_F(SoundPlayerTest, WithoutASoundDeviceOpenFailsAtOnce) {
    const std::string sound = MakeSound("clip.wav", 1.0);
    const CScopedEnv noDevice("SDL_AUDIODRIVER", "no-such-driver");
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(m_playback.Start(sound, 1.0f, 0));
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    EXPECT_EQ(m_recorder.sent.back(), "close all");
}

TEST_F(SoundPlayerTest, InterpreterTakesOnlyItsCommands) {
    const std::string folder = m_media.Path("a \"quoted\" folder");
    std::filesystem::create_directory(folder);
    const std::string sound = MakeSound("a \"quoted\" folder/clip.wav", 1.0);
    int result = -1;
    Send("open \"" + sound + "\" alias F type mpegvideo", &result);
    EXPECT_EQ(result, 0);
    Send("open \"" + sound + "\" alias f", &result);
    EXPECT_EQ(result, CSoundCommandInterpreter::kAliasInUse);
    Send("set f time format milliseconds", &result);
    EXPECT_EQ(result, 0);
    Send("set f time format frames", &result);
    EXPECT_EQ(result, CSoundCommandInterpreter::kBadArgument);
    Send("set f speed 0", &result);
    EXPECT_EQ(result, CSoundCommandInterpreter::kBadArgument);
    Send("set f speed -5", &result);
    EXPECT_EQ(result, CSoundCommandInterpreter::kBadArgument);
    Send("play f from 12x", &result);
    EXPECT_EQ(result, CSoundCommandInterpreter::kBadArgument);
    Send("status g mode", &result);
    EXPECT_EQ(result, CSoundCommandInterpreter::kUnknownAlias);
    Send("rewind f", &result);
    EXPECT_EQ(result, CSoundCommandInterpreter::kUnrecognizedCommand);
    EXPECT_EQ(Send("status f mode"), "stopped");
    EXPECT_EQ(Send("status f position"), "0");
    Send("close f", &result);
    EXPECT_EQ(result, 0);
    Send("close f", &result);
    EXPECT_EQ(result, CSoundCommandInterpreter::kUnknownAlias);
}

TEST(TempoFilterTest, ChainsStagesBelowHalfAndAboveDoubleSpeed) {
    EXPECT_EQ(CTempoFilter::TempoChain(1.0), "");
    EXPECT_EQ(CTempoFilter::TempoChain(2.0), "atempo=2.000000");
    EXPECT_EQ(CTempoFilter::TempoChain(0.8), "atempo=0.800000");
    EXPECT_EQ(CTempoFilter::TempoChain(0.1),
              "atempo=0.500000,atempo=0.500000,atempo=0.500000,atempo=0.800000");
    EXPECT_EQ(CTempoFilter::TempoChain(4.0), "atempo=2.000000,atempo=2.000000");
}

// Slower play lasts longer but keeps the pitch: a 1 kHz tone stays at 1 kHz.
TEST(TempoFilterTest, TempoChangesLengthNotPitch) {
    CTestMedia media;
    const std::string sound = media.Generate(
        "tone.wav", "-f lavfi -i sine=frequency=1000:sample_rate=44100:duration=1 -acodec pcm_s16le");
    ASSERT_FALSE(sound.empty());
    for (const double tempo : {1.0, 0.5, 2.0, 0.1}) {
        CSoundSource source;
        ASSERT_TRUE(source.Open(sound));
        ASSERT_TRUE(source.Start(200, tempo, {44100, 1}));
        std::vector<std::int16_t> samples;
        std::int16_t block[4096];
        int read = 0;
        while ((read = source.Read(reinterpret_cast<std::uint8_t*>(block), sizeof block)) > 0) {
            samples.insert(samples.end(), block, block + read / 2);
        }
        EXPECT_TRUE(source.Ended());
        const double expectedSamples = 0.8 * 44100 / tempo;
        EXPECT_NEAR(static_cast<double>(samples.size()), expectedSamples, expectedSamples * 0.05)
            << "tempo " << tempo;
        EXPECT_NEAR(ZeroCrossingsPerSecond(samples, 44100), 2000.0, 100.0) << "tempo " << tempo;
    }
}
