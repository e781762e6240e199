#include "media/CConverterArgs.h"

#include <gtest/gtest.h>

using Args = std::vector<std::string>;

TEST(ConverterArgs, JoinDropsWhatTheToolNoLongerTakes) {
    const Args join{"-i",     "/v.avi",  "-i",   "/a.wav", "-vcodec", "copy",
                    "-sameq", "-acodec", "copy", "-async", "2",       "/o.avi"};
    EXPECT_EQ(CConverterArgs::Translate(join),
              (Args{"-nostdin", "-i", "/v.avi", "-i", "/a.wav", "-vcodec", "copy", "-acodec",
                    "copy", "/o.avi"}));
}

TEST(ConverterArgs, ConversionTurnsOnceAndKeepsConstantRate) {
    const Args convert{
        "-i",    "/c.m2ts", "-vcodec", "msmpeg4v2", "-b",          "30000k",          "-y",
        "-an",   "-r",      "29.97",   "-vf",       "transpose=1", "-metadata:s:v:0", "rotate=0",
        "/o.avi"};
    EXPECT_EQ(CConverterArgs::Translate(convert),
              (Args{"-nostdin", "-noautorotate", "-i", "/c.m2ts", "-vcodec", "msmpeg4v2", "-b:v",
                    "30000k", "-y", "-an", "-r", "29.97", "-vf", "transpose=1", "-metadata:s:v:0",
                    "rotate=0", "-fps_mode", "cfr", "/o.avi"}));
}

TEST(ConverterArgs, LeavesWellFormedArgumentsAlone) {
    // No rotation, no frame rate: only stdin is closed.
    const Args plain{"-i", "/a.mp4", "-vn", "-y", "/a.wav"};
    EXPECT_EQ(CConverterArgs::Translate(plain),
              (Args{"-nostdin", "-i", "/a.mp4", "-vn", "-y", "/a.wav"}));
    // A rate mode already chosen is kept.
    const Args chosen{"-i", "/a.mp4", "-r", "25", "-vsync", "vfr", "/o.avi"};
    EXPECT_EQ(CConverterArgs::Translate(chosen).size(), chosen.size() + 1);
    // Input names that look like options are file names.
    const Args names{"-i", "-sameq", "-i", "-b", "-y", "/o.avi"};
    EXPECT_EQ(CConverterArgs::Translate(names),
              (Args{"-nostdin", "-i", "-sameq", "-i", "-b", "-y", "/o.avi"}));
}

TEST(ConverterArgs, SoundSyncBecomesResampling) {
    const Args encode{"-i", "/v.avi", "-c:v", "libx264", "-async", "1", "/o.mp4"};
    EXPECT_EQ(CConverterArgs::Translate(encode),
              (Args{"-nostdin", "-i", "/v.avi", "-c:v", "libx264", "-af", "aresample=async=1",
                    "/o.mp4"}));
    const Args filtered{"-i", "/v.avi", "-af", "volume=2", "-async", "3", "/o.mp4"};
    EXPECT_EQ(CConverterArgs::Translate(filtered),
              (Args{"-nostdin", "-i", "/v.avi", "-af", "volume=2,aresample=async=3", "/o.mp4"}));
}

TEST(ConverterArgs, PercentInAPictureNameIsNoFramePattern) {
    const Args image{"-i", "/p/50%d.JPG", "-f", "image2", "-pix_fmt", "rgb24", "/p/50%d.$tmp$.bmp"};
    EXPECT_EQ(CConverterArgs::Translate(image),
              (Args{"-nostdin", "-pattern_type", "none", "-i", "/p/50%d.JPG", "-f", "image2",
                    "-pix_fmt", "rgb24", "-update", "1", "/p/50%d.$tmp$.bmp"}));
    // Movies are not read as picture sequences.
    const Args movie{"-i", "/p/50%d.mp4", "-vn", "-y", "/p/50%d.$tmp$.wav"};
    EXPECT_EQ(CConverterArgs::Translate(movie).size(), movie.size() + 1);
}
