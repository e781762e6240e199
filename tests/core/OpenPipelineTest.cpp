#include "ConverterFixture.h"

#include "media/CAviVideoStream.h"
#include "media/COpenPipeline.h"
#include "media/CPictureShape.h"
#include "media/CSoundSource.h"
#include "media/CStreamProbe.h"
#include "platform/CMessageBoxSeam.h"
#include "resources/CResourceId.h"
#include "resources/CStringTable.h"

#include <unistd.h>

#include <cstdlib>
#include <map>
#include <tuple>

extern "C" {
#include <libavcodec/codec_id.h>
}

namespace fs = std::filesystem;

namespace {

constexpr const char* kMovieWithSound =
    "-f lavfi -i testsrc2=size=320x240:rate=25:duration=1 -f lavfi -i sine=duration=1 "
    "-c:v libx264 -pix_fmt yuv420p -c:a aac -shortest";

class OpenPipeline : public ConverterFixture {
protected:
    void SetUp() override {
        ConverterFixture::SetUp();
        m_previousBox = CMessageBoxSeam::Install(&m_box);
        m_util = std::make_unique<CFFMpegUtil>(QUORVEL_BIN_DIR, m_dir.string(), m_progress,
                                               &OpenPipeline::Text);
    }
    void TearDown() override {
        CMessageBoxSeam::Install(m_previousBox);
        ConverterFixture::TearDown();
    }

    static std::string Text(int id) {
        if (id == 2020) {
            return "not recognized: %1";
        }
        return id == 2030 ? "read-only" : EnglishText(id);
    }

    COpenPipeline Pipeline(COpenPipeline::OptionsProbe probe = {}) {
        return COpenPipeline(*m_util, QUORVEL_BIN_DIR, "", "", &OpenPipeline::Text,
                             std::move(probe));
    }

    // The names in the folder other than the sources the test made.
    std::vector<std::string> FolderNames() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    CRecordingMessageBox m_box;
    IMessageBox* m_previousBox = nullptr;
    RecordingProgress m_progress;
    std::unique_ptr<CFFMpegUtil> m_util;
};

} // namespace

TEST(ReshapeOptions, SquarePixelsEvenHeightAndUprightPicture) {
    EXPECT_EQ(COpenPipeline::ReshapeOptions(1440, 1080, 1.333, 0), "-s 1920x1080 -aspect 1.7778");
    EXPECT_EQ(COpenPipeline::ReshapeOptions(720, 480, 0.8889, 0), "-s 640x480 -aspect 1.3333");
    EXPECT_EQ(COpenPipeline::ReshapeOptions(1918, 1080, 1.0, 0), "-s 1916x1080 -aspect 1.7741");
    EXPECT_EQ(COpenPipeline::ReshapeOptions(1920, 1080, 1.0, 0), "");
    EXPECT_EQ(COpenPipeline::ReshapeOptions(1920, 1080, 0.0, 0), "");
    EXPECT_EQ(COpenPipeline::ReshapeOptions(720, 481, 1.0, 0), "-s 720x482");
    EXPECT_EQ(COpenPipeline::ReshapeOptions(1920, 1081, 1.0, 0), "-s 1920x1082");
    // A width that changes keeps an odd height.
    EXPECT_EQ(COpenPipeline::ReshapeOptions(1440, 1081, 1.333, 0), "-s 1920x1081 -aspect 1.7761");
    EXPECT_EQ(COpenPipeline::ReshapeOptions(1920, 1080, 1.0, 90),
              "-vf transpose=1 -metadata:s:v:0 rotate=0");
    EXPECT_EQ(COpenPipeline::ReshapeOptions(0, 0, 0.0, 180),
              "-vf hflip,vflip -metadata:s:v:0 rotate=0");
    EXPECT_EQ(COpenPipeline::ReshapeOptions(320, 240, 1.0, 270),
              "-vf transpose=2 -metadata:s:v:0 rotate=0");
    EXPECT_EQ(COpenPipeline::ReshapeOptions(320, 240, 1.0, -90), "");
    // Size and rotation together: one blank between them.
    EXPECT_EQ(COpenPipeline::ReshapeOptions(1440, 1080, 1.333, 90),
              "-s 1920x1080 -aspect 1.7778 -vf transpose=1 -metadata:s:v:0 rotate=0");
    EXPECT_EQ(COpenPipeline::ReshapeOptions(720, 481, 1.0, 180),
              "-s 720x482 -vf hflip,vflip -metadata:s:v:0 rotate=0");
    // Without a known size nothing is resized.
    EXPECT_EQ(COpenPipeline::ReshapeOptions(0, 481, 1.0, 0), "");
    // Nor when the new size would lie beyond the range of a picture size.
    EXPECT_EQ(COpenPipeline::ReshapeOptions(65535, 1080, 1.0e6, 0), "");
    EXPECT_EQ(COpenPipeline::ReshapeOptions(720, 2147483647, 1.0, 0), "");

    // The source reader reshapes from the options: it reads back every shape they can say.
    for (const CPictureShape& shape :
         {CPictureShape::Of(1440, 1080, 1.333, 90), CPictureShape::Of(720, 481, 1.0, 180),
          CPictureShape::Of(320, 240, 1.0, 270), CPictureShape::Of(1920, 1080, 1.0, 0)}) {
        EXPECT_EQ(CPictureShape::Parse(shape.Options()), shape) << shape.Options();
    }
    EXPECT_EQ(CPictureShape::Parse("-s 1920x1080 -aspect 1.7778 -vf transpose=1").Width(), 1920);
}

TEST_F(OpenPipeline, MovieBecomesAWorkingVideoWithTheSourcesSound) {
    Generate(kMovieWithSound, Path("clip.mp4"));
    COpenPipeline pipeline = Pipeline();
    ASSERT_TRUE(pipeline.Open(Path("clip.mp4")));
    EXPECT_FALSE(pipeline.IsStillImage());
    EXPECT_EQ(pipeline.WorkPath(), Path("clip.$tmp$.avi"));
    EXPECT_EQ(pipeline.SoundPath(), Path("clip.mp4"));
    const CStreamProbe video(pipeline.WorkPath());
    EXPECT_EQ(video.VideoCodecId(), AV_CODEC_ID_MSMPEG4V2);
    EXPECT_EQ(video.AudioStreams(), 0);
    EXPECT_TRUE(m_box.texts.empty());

    // The stream could not open it after all: every working file goes.
    pipeline.Fail();
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"QV_command.log", "clip.mp4"}));
    EXPECT_EQ(m_box.texts, (std::vector<std::string>{"not recognized: " + Path("clip.mp4")}));
}

TEST_F(OpenPipeline, AnamorphicMpeg2GetsSquarePixels) {
    Generate("-f lavfi -i testsrc2=size=720x480:rate=25:duration=1 -vf setsar=8/9 "
             "-c:v mpeg2video -f mpeg",
             Path("dvd.mpg"));
    COpenPipeline pipeline = Pipeline();
    ASSERT_TRUE(pipeline.Open(Path("dvd.mpg")));
    const CStreamProbe video(pipeline.WorkPath());
    EXPECT_EQ(video.Width(), 640);
    EXPECT_EQ(video.Height(), 480);
}

TEST_F(OpenPipeline, PortraitPhoneMovieIsTurnedOnceAndUpright) {
    // A landscape picture, red on its left and blue on its right, stored with a quarter turn
    // in the container, as phones record. Upright is as the tool itself shows the file.
    Generate("-f lavfi -i color=red:size=160x240:rate=25:duration=1 "
             "-f lavfi -i color=blue:size=160x240:rate=25:duration=1 "
             "-filter_complex hstack -c:v libx264 -pix_fmt yuv420p",
             Path("landscape.mp4"));
    Generate("-i " + Path("landscape.mp4") + " -c copy -metadata:s:v:0 rotate=90",
             Path("phone.mp4"));
    COpenPipeline pipeline = Pipeline();
    ASSERT_TRUE(pipeline.Open(Path("phone.mp4")));
    RX40sCFFmpeg video;
    ASSERT_EQ(video.Open(pipeline.WorkPath()), 1);
    EXPECT_EQ(video.m_nWidth, 240);
    EXPECT_EQ(video.m_nHeight, 320);
    ASSERT_EQ(video.DecodeFrame(0), 1);
    Generate("-i " + Path("phone.mp4") + " -frames:v 1 -f rawvideo -pix_fmt bgr24",
             Path("upright.bgr"));
    const std::string upright = ReadAll(Path("upright.bgr"));
    ASSERT_EQ(upright.size(), 240u * 320u * 3u);
    for (const int y : {40, 280}) {
        const std::uint8_t* shown = video.m_bmpFrame.PictureRow(y) + 120 * 3;
        for (int c = 0; c < 3; ++c) {
            const int expected = static_cast<std::uint8_t>(upright[(y * 240 + 120) * 3 + c]);
            EXPECT_NEAR(shown[c], expected, 40) << "row " << y << " byte " << c;
        }
    }
    // The halves differ, so a turn the wrong way cannot pass.
    EXPECT_NE(upright.substr((40 * 240 + 120) * 3, 3), upright.substr((280 * 240 + 120) * 3, 3));
}

TEST_F(OpenPipeline, SquarePixelAviOpensDirectly) {
    Generate("-f lavfi -i testsrc2=size=320x240:rate=25:duration=1 -f lavfi -i sine=duration=1 "
             "-c:v mjpeg -c:a pcm_s16le -shortest",
             Path("Direct.AVI"));
    // A working video left by a crash is neither opened nor touched: it may be all that is left.
    std::ofstream(Path("Direct.$tmp$.avi")) << "rescue me";
    COpenPipeline pipeline = Pipeline();
    ASSERT_TRUE(pipeline.Open(Path("Direct.AVI")));
    EXPECT_EQ(pipeline.WorkPath(), Path("Direct.AVI"));
    EXPECT_EQ(pipeline.SoundPath(), Path("Direct.AVI"));
    pipeline.TakeWorkFiles().Remove();
    EXPECT_EQ(FolderNames(),
              (std::vector<std::string>{"Direct.$tmp$.avi", "Direct.AVI", "QV_command.log"}));
    EXPECT_EQ(ReadAll(Path("Direct.$tmp$.avi")), "rescue me");
}

// A working file left by a crash, opened to rescue it, is the user's file from then on.
TEST_F(OpenPipeline, SourceNamedLikeAWorkingFileIsOpenedAndKept) {
    Generate("-f lavfi -i testsrc2=size=320x240:rate=25:duration=1 -c:v mjpeg",
             Path("clip.$tmp$.avi"));
    const auto size = fs::file_size(Path("clip.$tmp$.avi"));
    COpenPipeline pipeline = Pipeline();
    ASSERT_TRUE(pipeline.Open(Path("clip.$tmp$.avi")));
    EXPECT_EQ(pipeline.WorkPath(), Path("clip.$tmp$.avi"));
    std::int32_t sizeId = 2;
    {
        CAviVideoStream stream(pipeline.WorkPath(), sizeId, pipeline.TakeWorkFiles());
        ASSERT_EQ(stream.OpenVideo(), 1);
    }
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"QV_command.log", "clip.$tmp$.avi"}));
    EXPECT_EQ(fs::file_size(Path("clip.$tmp$.avi")), size);
}

// The renderer or a second window opening a movie the program has open: refused, and the
// first open's working files stay as they are until their stream goes.
TEST_F(OpenPipeline, SecondOpenerIsRefusedAndTheFirstKeepsItsFiles) {
    Generate(kMovieWithSound, Path("clip.mp4"));
    fs::copy_file(Path("clip.mp4"), Path("clip.avi"));
    COpenPipeline first = Pipeline();
    ASSERT_TRUE(first.Open(Path("clip.mp4")));
    std::int32_t sizeId = 2;
    auto stream =
        std::make_unique<CAviVideoStream>(first.WorkPath(), sizeId, first.TakeWorkFiles());
    ASSERT_EQ(stream->OpenVideo(), 1);
    const std::string video = ReadAll(Path("clip.$tmp$.avi"));

    COpenPipeline second = Pipeline();
    EXPECT_FALSE(second.Open(Path("clip.mp4")));
    // Another source of the same stem would make the same working files.
    EXPECT_FALSE(second.Open(Path("clip.avi")));
    const std::string inUse = EnglishText(2060);
    ASSERT_NE(inUse.find("%1"), std::string::npos);
    EXPECT_EQ(m_box.texts,
              (std::vector<std::string>{inUse.substr(0, inUse.find("%1")) + Path("clip.mp4"),
                                        inUse.substr(0, inUse.find("%1")) + Path("clip.avi")}));
    EXPECT_EQ(ReadAll(Path("clip.$tmp$.avi")), video);
    EXPECT_TRUE(second.WorkPath().empty());

    stream.reset();
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"QV_command.log", "clip.avi", "clip.mp4"}));
    EXPECT_TRUE(second.Open(Path("clip.mp4")));
}

TEST_F(OpenPipeline, DvAviIsConvertedAfterAll) {
    Generate("-f lavfi -i testsrc2=size=720x576:rate=25:duration=1 -pix_fmt yuv420p "
             "-c:v dvvideo",
             Path("tape.avi"));
    ASSERT_TRUE(CStreamProbe(Path("tape.avi")).IsDvVideo());
    // As with a media probe that cannot tell the picture's shape.
    COpenPipeline pipeline = Pipeline([](const std::string&) { return std::string(); });
    ASSERT_TRUE(pipeline.Open(Path("tape.avi")));
    EXPECT_EQ(pipeline.WorkPath(), Path("tape.$tmp$.avi"));
    EXPECT_EQ(CStreamProbe(pipeline.WorkPath()).VideoCodecId(), AV_CODEC_ID_MSMPEG4V2);
}

TEST_F(OpenPipeline, MovieWithoutSoundOpensWithoutSound) {
    Generate("-f lavfi -i testsrc2=size=320x240:rate=25:duration=1 -c:v libx264",
             Path("silent.mp4"));
    for (const bool inPlace : {false, true}) {
        COpenPipeline pipeline = Pipeline();
        if (inPlace) {
            pipeline.ReadInPlace();
        }
        ASSERT_TRUE(pipeline.Open(Path("silent.mp4")));
        EXPECT_TRUE(pipeline.SoundPath().empty());
        EXPECT_EQ(pipeline.TakeReader() != nullptr, inPlace);
    }
}

TEST_F(OpenPipeline, JpegBecomesA24BitWorkingBitmap) {
    Generate("-f lavfi -i testsrc2=size=320x240 -frames:v 1", Path("photo.JPG"));
    COpenPipeline pipeline = Pipeline();
    ASSERT_TRUE(pipeline.Open(Path("photo.JPG")));
    EXPECT_TRUE(pipeline.IsStillImage());
    EXPECT_EQ(pipeline.WorkPath(), Path("photo.$tmp$.bmp"));
    const std::string bitmap = ReadAll(pipeline.WorkPath());
    ASSERT_GT(bitmap.size(), 54u);
    EXPECT_EQ(bitmap.substr(0, 2), "BM");
    EXPECT_EQ(bitmap[28], 24);
}

TEST_F(OpenPipeline, UnreadableSourcesLeaveNothingBehind) {
    std::ofstream(Path("broken.jpg")) << "not a picture";
    std::ofstream(Path("broken.$tmp$.bmp")) << "picture of an earlier run";
    std::ofstream(Path("broken.mp4")) << "not a movie";
    COpenPipeline pipeline = Pipeline();
    EXPECT_FALSE(pipeline.Open(Path("broken.jpg")));
    EXPECT_FALSE(pipeline.Open(Path("broken.mp4")));
    EXPECT_TRUE(pipeline.WorkPath().empty());
    EXPECT_EQ(FolderNames(),
              (std::vector<std::string>{"QV_command.log", "broken.jpg", "broken.mp4"}));
    EXPECT_EQ(m_box.texts, (std::vector<std::string>{"not recognized: " + Path("broken.jpg"),
                                                     "not recognized: " + Path("broken.mp4")}));
}

// The write probe's name may already belong to a file of the user's, which must survive it.
TEST_F(OpenPipeline, WriteProbeKeepsAFileOfItsName) {
    std::ofstream(Path("writeTest.tst")) << "the user's notes";
    std::ofstream(Path("broken.mp4")) << "not a movie";
    COpenPipeline pipeline = Pipeline();
    EXPECT_FALSE(pipeline.Open(Path("broken.mp4")));
    EXPECT_EQ(m_box.texts, (std::vector<std::string>{"not recognized: " + Path("broken.mp4")}));
    EXPECT_EQ(ReadAll(Path("writeTest.tst")), "the user's notes");
}

// Root writes into any folder, so the folder that cannot be written to is one whose name is
// taken by a file; a folder without write permission is tried as well when not root.
TEST_F(OpenPipeline, FolderThatCannotBeWrittenIsRefused) {
    std::ofstream(Path("folder")) << "a file, not a folder";
    COpenPipeline pipeline = Pipeline();
    EXPECT_FALSE(pipeline.Open(Path("folder/clip.mp4")));
    EXPECT_EQ(m_box.texts, (std::vector<std::string>{"read-only"}));
    if (geteuid() != 0) {
        fs::create_directory(m_dir / "locked");
        Generate(kMovieWithSound, Path("locked/clip.mp4"));
        fs::permissions(m_dir / "locked", fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(pipeline.Open(Path("locked/clip.mp4")));
        EXPECT_EQ(m_box.texts.size(), 2u);
        EXPECT_EQ(fs::directory_iterator(m_dir / "locked")->path().filename(), "clip.mp4");
        // Given back, or the temporary folder could not be removed.
        fs::permissions(m_dir / "locked", fs::perms::owner_all);
    }
    EXPECT_EQ(m_progress.created, 0);
}

// The launcher finds no tool: the user learns that, not that the file is not recognised, and a
// movie that needs no conversion opens with its sound.
TEST_F(OpenPipeline, MissingConverterIsReportedAsSuch) {
    Generate(kMovieWithSound, Path("clip.mp4"));
    Generate("-f lavfi -i testsrc2=size=320x240 -frames:v 1", Path("photo.jpg"));
    Generate("-f lavfi -i testsrc2=size=320x240:rate=25:duration=1 -f lavfi -i sine=duration=1 "
             "-c:v mjpeg -c:a pcm_s16le",
             Path("direct.avi"));
    ASSERT_EQ(setenv("QUORVEL_FFMPEG", Path("no-such-tool").c_str(), 1), 0);
    COpenPipeline pipeline = Pipeline();
    const bool movie = pipeline.Open(Path("clip.mp4"));
    const bool picture = pipeline.Open(Path("photo.jpg"));
    const bool direct = pipeline.Open(Path("direct.avi"));
    unsetenv("QUORVEL_FFMPEG");
    EXPECT_FALSE(movie);
    EXPECT_FALSE(picture);
    ASSERT_TRUE(direct);
    EXPECT_EQ(pipeline.SoundPath(), Path("direct.avi"));
    std::string missing = EnglishText(2061);
    missing.replace(missing.find("%1"), 2, Path("clip.mp4"));
    ASSERT_EQ(m_box.texts.size(), 2u);
    EXPECT_EQ(m_box.texts[0], missing);
    EXPECT_EQ(m_box.texts[1].substr(0, 30), missing.substr(0, 30));
    pipeline.TakeWorkFiles().Remove();
    EXPECT_EQ(FolderNames(),
              (std::vector<std::string>{"QV_command.log", "clip.mp4", "direct.avi", "photo.jpg"}));
}

// Every kind of movie the Open dialog lists opens with all its frames and its picture size.
TEST_F(OpenPipeline, EveryMovieKindOfTheOpenDialogOpens) {
    const std::map<std::string, std::string> codecs = {
        {"avi", "-c:v mjpeg"},        {"m2ts", "-c:v libx264"},  {"mts", "-c:v libx264"},
        {"mov", "-c:v libx264"},      {"mpg", "-c:v mpeg2video"}, {"mpeg", "-c:v mpeg2video"},
        {"mp4", "-c:v libx264"},      {"wmv", "-c:v wmv2"},      {"mkv", "-c:v libx264"},
        {"webm", "-c:v libvpx"},      {"m4v", "-c:v libx264"},   {"3gp", "-c:v libx264"},
        {"ts", "-c:v mpeg2video"},    {"mxf", "-c:v mpeg2video"}, {"flv", "-c:v flv1"}};
    const std::string filter = CStringTable::Load(CResourceId::OpenFilter, CStringTable::English);
    const std::string movies = filter.substr(0, filter.find("|Image"));
    std::size_t kinds = 0;
    for (std::size_t at = movies.find("*."); at != std::string::npos; at = movies.find("*.", at)) {
        at += 2;
        const std::string extension = movies.substr(at, movies.find_first_of(";|", at) - at);
        SCOPED_TRACE(extension);
        ASSERT_TRUE(codecs.contains(extension));
        const std::string source = Path("kind." + extension);
        // The converter makes every .m2ts a 29.97 fps movie.
        const std::string rate = extension == "m2ts" ? "30000/1001" : "25";
        Generate("-f lavfi -i testsrc2=size=160x120:rate=" + rate +
                     " -frames:v 25 -pix_fmt yuv420p " + codecs.at(extension),
                 source);
        COpenPipeline pipeline = Pipeline();
        ASSERT_TRUE(pipeline.Open(source));
        const std::int32_t sizeId = 2;
        CAviVideoStream stream(pipeline.WorkPath(), sizeId, pipeline.TakeWorkFiles());
        ASSERT_EQ(stream.OpenVideo(), 1);
        EXPECT_EQ(stream.m_nLastFrame, 24);
        EXPECT_EQ(stream.m_nWidth, 160);
        EXPECT_EQ(stream.m_nHeight, 120);
        ++kinds;
    }
    EXPECT_EQ(kinds, codecs.size());
    EXPECT_TRUE(m_box.texts.empty());
}

namespace {

// A movie whose picture turns white as its sound turns into a tone, both 1.2 s into the movie,
// while one stream starts 0.4 s after the other.
struct OffsetSound {
    const char* id;
    const char* name;
    bool soundFirst;
};

const OffsetSound kOffsetSounds[] = {
    {"PictureFirstMp4", "late.mp4", false},
    {"SoundFirstMp4", "early.mp4", true},
    {"SoundFirstM2ts", "early.m2ts", true},
};

void PrintTo(const OffsetSound& source, std::ostream* out) {
    *out << source.name;
}

std::string FlashAndTone(bool soundFirst) {
    const std::string flash = soundFirst ? "0.8" : "1.2";
    const std::string tone = soundFirst ? "1.2" : "0.8";
    const std::string picture = "-f lavfi -i \"color=black:s=160x120:r=25:d=3,geq=lum='if(gte(T," +
                                flash + "),235,16)':cb=128:cr=128\" ";
    const std::string sound =
        "-f lavfi -i \"aevalsrc='if(gte(t," + tone + "),0.5*sin(2*PI*1000*t),0)':s=48000:d=3\" ";
    return (soundFirst ? "-itsoffset 0.4 " + picture + sound
                       : picture + "-itsoffset 0.4 " + sound) +
           "-c:v libx264 -pix_fmt yuv420p -c:a aac";
}

class OpenedSound : public OpenPipeline,
                    public ::testing::WithParamInterface<std::tuple<OffsetSound, bool>> {
protected:
    // The first frame whose picture is white.
    static std::int64_t FlashFrame(CAviVideoStream& stream) {
        for (std::int64_t frame = stream.m_nFirstFrame; frame <= stream.m_nLastFrame; ++frame) {
            if (stream.DecodeFrame(frame) == 1 && stream.m_bmpFrame.PictureRow(60)[80 * 3] > 128) {
                return frame;
            }
        }
        return -1;
    }

    // Milliseconds of sound played from startMs before the tone; -1 when none is heard.
    static double ToneAfter(const std::string& soundPath, std::int32_t startMs) {
        CSoundSource sound;
        if (!sound.Open(soundPath) || !sound.Start(startMs, 1.0, {48000, 1})) {
            return -1.0;
        }
        std::int16_t block[4096];
        std::int64_t heard = 0;
        for (int read = 0;
             (read = sound.Read(reinterpret_cast<std::uint8_t*>(block), sizeof block)) > 0;) {
            for (int i = 0; i < read / 2; ++i, ++heard) {
                if (std::abs(block[i]) > 8000) {
                    return static_cast<double>(heard) / 48.0;
                }
            }
        }
        return -1.0;
    }
};

} // namespace

// Play from a frame sounds what its picture shows, wherever each stream starts, read in place
// or converted; and no sound file is made for it.
TEST_P(OpenedSound, PlayFromAFrameSoundsWhatItsPictureShows) {
    const auto& [source, inPlace] = GetParam();
    Generate(FlashAndTone(source.soundFirst), Path(source.name));
    COpenPipeline pipeline = Pipeline();
    if (inPlace) {
        pipeline.ReadInPlace();
    }
    ASSERT_TRUE(pipeline.Open(Path(source.name)));
    EXPECT_EQ(pipeline.SoundPath(), Path(source.name));
    const std::string stem = fs::path(source.name).stem().string();
    std::vector<std::string> made = {"QV_command.log", source.name, stem + ".$tmp$.lock"};
    if (!inPlace) {
        made.push_back(stem + ".$tmp$.avi");
    }
    std::sort(made.begin(), made.end());
    EXPECT_EQ(FolderNames(), made);

    std::int32_t sizeId = 2;
    CAviVideoStream stream(pipeline.WorkPath(), sizeId, pipeline.TakeWorkFiles());
    stream.ReadInPlace(pipeline.TakeReader());
    ASSERT_EQ(stream.OpenVideo(), 1);
    ASSERT_EQ(stream.InPlace(), inPlace);
    const std::int64_t flash = FlashFrame(stream);
    ASSERT_GT(flash, 5);
    stream.m_nCurrentFrame = flash;
    const std::int32_t flashMs = stream.GetPlayTimeMs();
    for (const std::int64_t from : {std::int64_t{0}, flash - 5}) {
        stream.m_nCurrentFrame = from;
        EXPECT_NEAR(ToneAfter(pipeline.SoundPath(), stream.GetPlayTimeMs()),
                    flashMs - stream.GetPlayTimeMs(), 5.0)
            << "from frame " << from << " of " << stream.m_nLastFrame + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Sources, OpenedSound,
                         ::testing::Combine(::testing::ValuesIn(kOffsetSounds), ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).id) +
                                    (std::get<1>(info.param) ? "InPlace" : "Converted");
                         });
