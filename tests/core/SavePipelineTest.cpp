#include "ConverterFixture.h"
#include "tests/support/CSavedMovie.h"

#include "export/CEncoderPictures.h"
#include "export/CMovieExport.h"
#include "export/CSavePipeline.h"
#include "media/CAviVideoStream.h"
#include "media/CFFMpegUtil.h"
#include "media/CPictureShape.h"
#include "media/CSourceReader.h"
#include "media/CWorkFiles.h"
#include "media/CWorkPaths.h"

#include <algorithm>
#include <cstring>
#include <functional>

extern "C" {
#include <libavutil/log.h>
}
#include <memory>

namespace fs = std::filesystem;

namespace {

constexpr int kFrames = 50;
constexpr std::int32_t kBoxBlur = 8;

// As the converter makes working videos.
const char* const kWorkingVideo =
    "-f lavfi -i testsrc2=size=160x120:rate=25,trim=end_frame=50 -c:v msmpeg4v2 -b:v 30000k";
// The same with the sound of the movie.
const char* const kSoundInput = "-f lavfi -i sine=duration=2 ";
const char* const kSoundOutput = " -map 1:v -map 0:a -c:a pcm_s16le";

// Records what the save showed and asks for a cancel when cancelWhen says so.
class CancellingProgress : public RecordingProgress {
public:
    bool CancelRequested() const override { return cancelWhen && cancelWhen(*this); }
    void SetCancellable(bool on) override { cancellable.push_back(on); }
    void SetTimeLeft(const std::string& text) override { timeLeft.push_back(text); }
    void SetPosition(int position) override { barAt = position; }
    void Pump() override {
        RecordingProgress::Pump();
        if (whilePumping) {
            whilePumping();
        }
    }

    std::function<bool(const CancellingProgress&)> cancelWhen;
    // What the windows might do while the save pumps their events.
    std::function<void()> whilePumping;
    std::vector<bool> cancellable;
    std::vector<std::string> timeLeft;
    int barAt = -1;
};

bool InAny(const std::vector<T_RECT>& rects, int x, int y) {
    return std::any_of(rects.begin(), rects.end(),
                       [x, y](const T_RECT& rect) { return rect.Contains(x, y); });
}

std::uint8_t Sample(const AVFrame& picture, int plane, int x, int y) {
    return picture.data[plane][y * picture.linesize[plane] + x];
}

// Inside the reaches paint saw the preview's pixels and the picture holds the brightness the
// whole preview converts to; every sample that no reach touches is the decoded one.
void ExpectPaintedAsPreviewed(const AVFrame& painted, const AVFrame& decoded,
                              const AVFrame& wholePreview, const CFrameBuffer& canvas,
                              const CFrameBuffer& preview, const std::vector<T_RECT>& reaches) {
    for (int y = 0; y < CSavedMovie::kHeight; ++y) {
        for (int x = 0; x < CSavedMovie::kWidth; ++x) {
            const bool reached = InAny(reaches, x, y);
            if (reached) {
                ASSERT_EQ(std::memcmp(canvas.Pixel(x, y), preview.Pixel(x, y), 3), 0);
            }
            ASSERT_EQ(Sample(painted, 0, x, y), Sample(reached ? wholePreview : decoded, 0, x, y))
                << x << "," << y;
            const bool colourReached = reached || InAny(reaches, x + 1, y) ||
                                       InAny(reaches, x, y + 1) || InAny(reaches, x + 1, y + 1);
            if (!colourReached && x % 2 == 0 && y % 2 == 0) {
                for (const int plane : {1, 2}) {
                    ASSERT_EQ(Sample(painted, plane, x / 2, y / 2),
                              Sample(decoded, plane, x / 2, y / 2));
                }
            }
        }
    }
}

class SavePipelineTest : public ConverterFixture {
protected:
    void SetUp() override {
        ConverterFixture::SetUp();
        CStringTable::SetLanguage(CStringTable::English);
        // The encoder warns about every clipped coefficient at the working files' bit rate.
        av_log_set_level(AV_LOG_ERROR);
        m_source = Path("clip.avi");
        Generate(kSoundInput + std::string(kWorkingVideo) + kSoundOutput, m_source);
        UseProgramFolder(QUORVEL_BIN_DIR);
        OpenStream(m_source);
    }
    void TearDown() override {
        m_stream.reset();
        m_converter.reset();
        ConverterFixture::TearDown();
    }

    void UseProgramFolder(const std::string& folder) {
        m_converter = std::make_unique<CFFMpegUtil>(folder, m_dir.string(), m_progress,
                                                    &ConverterFixture::EnglishText);
    }

    // The stream with one black fixed area and one track that moves every frame; read in
    // place when reader is given.
    void OpenStream(const std::string& work, std::unique_ptr<CSourceReader> reader = nullptr,
                    CWorkFiles workFiles = {}) {
        m_stream = std::make_unique<CAviVideoStream>(work, m_sizeId, std::move(workFiles));
        m_stream->ReadInPlace(std::move(reader));
        ASSERT_EQ(m_stream->OpenVideo(), 1);
        CSavedMovie::Paint(m_stream->m_mosaic, m_sizeId, m_stream->m_nLastFrame);
    }

    void UseSilentSource() {
        m_source = Path("silent.avi");
        Generate(kWorkingVideo, m_source);
        OpenStream(m_source);
    }

    std::vector<CFrameBuffer> Previews() {
        std::vector<CFrameBuffer> previews;
        for (std::int64_t n = 0; n <= m_stream->m_nLastFrame; ++n) {
            EXPECT_EQ(m_stream->GetFrame(n, m_stream->m_bLineDouble), 1);
            previews.push_back(m_stream->Frame());
        }
        return previews;
    }

    CSavePipeline::Result Save(const std::string& target, int profileIndex = 0) {
        CSavePipeline pipeline(*m_stream, *m_converter, m_progress);
        return pipeline.Save(m_source, target, profileIndex);
    }

    // The names of every file in the folder that a save works with.
    std::vector<std::string> WorkingNames() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(m_dir)) {
            const std::string name = entry.path().filename().string();
            for (const char* mark : {"$out$", "$bak$", "$new$"}) {
                if (name.find(mark) != std::string::npos) {
                    names.push_back(name);
                }
            }
        }
        return names;
    }

    std::int32_t m_sizeId = CSavedMovie::kBlackFill;
    std::string m_source;
    CancellingProgress m_progress;
    std::unique_ptr<CFFMpegUtil> m_converter;
    std::unique_ptr<CAviVideoStream> m_stream;
};

// Without line doubling only the painted regions go through 24-bit pixels; with it every
// picture does, as in the view.
TEST_F(SavePipelineTest, ExportPaintsEveryFrameAsThePreviewWithOrWithoutTheEncoderThread) {
    for (const bool lineDouble : {false, true}) {
        SCOPED_TRACE(lineDouble);
        m_stream->m_bLineDouble = lineDouble;
        m_progress = CancellingProgress();
        const std::vector<CFrameBuffer> previews = Previews();
        ASSERT_EQ(previews.size(), static_cast<std::size_t>(kFrames));
        m_stream->m_nCurrentFrame = 7;
        CMovieExport threaded(*m_stream, m_progress);
        ASSERT_EQ(threaded.ExportMovie(Path("threaded.avi")), CMovieExport::Result::Done);
        EXPECT_EQ(m_stream->m_nCurrentFrame, 0);
        CMovieExport single(*m_stream, m_progress);
        single.SetPipelined(false);
        ASSERT_EQ(single.ExportMovie(Path("single.avi")), CMovieExport::Result::Done);

        EXPECT_EQ(ReadAll(Path("threaded.avi")), ReadAll(Path("single.avi")));
        EXPECT_EQ(CSavedMovie::Unlike(CSavedMovie::Pictures(Path("threaded.avi")), previews), "");
        EXPECT_EQ(m_progress.upper, kFrames);
        ASSERT_FALSE(m_progress.positions.empty());
        EXPECT_EQ(m_progress.positions.back(), kFrames);
        EXPECT_EQ(m_progress.barAt, kFrames);
        // Too quick for an estimate: the time left stays blank.
        ASSERT_FALSE(m_progress.timeLeft.empty());
        EXPECT_EQ(m_progress.timeLeft.back(), "");
        EXPECT_EQ(m_progress.captions.front(), EnglishText(2025));
        EXPECT_EQ(m_progress.created, m_progress.destroyed);
    }
}

// A blur on the left side, which runs on into the rows above and below, and the moving track.
TEST_F(SavePipelineTest, PaintedPicturesKeepTheDecodedPixelsAwayFromTheMosaicAndThePreviewsOnIt) {
    m_sizeId = kBoxBlur;
    m_stream->m_mosaic.size = 10;
    m_stream->m_mosaic.AddFixedArea(T_RECT{0, 90, 30, 110});
    CEncoderPictures pictures;
    ASSERT_TRUE(pictures.Init(CSavedMovie::kWidth, CSavedMovie::kHeight, AV_PIX_FMT_YUV420P));
    const AVFramePtr decoded(av_frame_alloc());
    ASSERT_TRUE(decoded);
    for (std::int64_t n = 0; n <= m_stream->m_nLastFrame; n += 7) {
        SCOPED_TRACE(n);
        ASSERT_EQ(m_stream->DecodePicture(n, *decoded), RX40sCFFmpeg::Next::Picture);
        ASSERT_TRUE(pictures.Paintable(*decoded));
        const std::vector<T_RECT> reaches = m_stream->MosaicReaches(n);
        CFrameBuffer canvas;
        const auto paint = [this, n, &canvas](CFrameBuffer& picture) {
            m_stream->PaintMosaic(picture, n, false);
            canvas = picture;
        };
        const AVFramePtr painted = pictures.Paint(*decoded, reaches, paint, n);
        ASSERT_TRUE(painted);
        EXPECT_EQ(painted->pts, n);
        ASSERT_EQ(m_stream->GetFrame(n, false), 1);
        const AVFramePtr whole = pictures.Convert(m_stream->Frame(), n);
        ASSERT_TRUE(whole);
        ExpectPaintedAsPreviewed(*painted, *decoded, *whole, canvas, m_stream->Frame(), reaches);
    }
}

// Repaints, keys and edits between two frames of the export change neither its frames nor its
// mosaic: it saves what the user had when Save was chosen.
TEST_F(SavePipelineTest, WhatTheWindowsDoWhileTheExportPumpsDoesNotReachIt) {
    const std::vector<CFrameBuffer> previews = Previews();
    m_progress.whilePumping = [this] {
        ASSERT_EQ(m_stream->GetFrame(kFrames / 2, false), 1);
        m_stream->m_mosaic.RemoveAllFixedAreas();
        m_stream->m_mosaic.SetTrackRect(0, T_RECT{0, 0, 160, 120}, 3);
        m_sizeId = kBoxBlur;
    };
    CMovieExport exporter(*m_stream, m_progress);
    ASSERT_EQ(exporter.ExportMovie(Path("out.avi")), CMovieExport::Result::Done);
    EXPECT_GT(m_progress.pumps, kFrames);
    EXPECT_EQ(CSavedMovie::Unlike(CSavedMovie::Pictures(Path("out.avi")), previews), "");
}

// B-frames delay the last pictures; a capture that dropped every other frame has empty slots,
// which show the picture after them.
TEST_F(SavePipelineTest, ExportOfB_FramesAndOfGapsShowsEverySlotAsPreviewed) {
    const std::pair<const char*, const char*> clips[] = {
        {"bframes.avi", "trim=end_frame=50 -c:v mpeg4 -bf 2"},
        {"gaps.avi", "trim=end_frame=49 -vf \"select='not(mod(n\\,2))'\" -fps_mode passthrough "
                     "-c:v msmpeg4v2"},
    };
    for (const auto& [name, options] : clips) {
        SCOPED_TRACE(name);
        Generate(std::string("-f lavfi -i testsrc2=size=160x120:rate=25,") + options +
                     " -b:v 30000k",
                 Path(name));
        m_stream.reset();
        OpenStream(Path(name));
        const std::vector<CFrameBuffer> previews = Previews();
        ASSERT_EQ(previews.size(), name == std::string("gaps.avi") ? 49u : 50u);
        CMovieExport exporter(*m_stream, m_progress);
        ASSERT_EQ(exporter.ExportMovie(Path("out.avi")), CMovieExport::Result::Done);
        EXPECT_EQ(CSavedMovie::Unlike(CSavedMovie::Pictures(Path("out.avi")), previews), "");
    }
}

TEST_F(SavePipelineTest, ANewTargetReplacesTheOldOneWithSoundAndNoWorkingFileStays) {
    const std::string target = Path("saved.avi");
    Generate("-f lavfi -i color=size=32x32 -frames:v 1", target);
    const std::vector<CFrameBuffer> previews = Previews();

    const CSavePipeline::Result result = Save(target);
    EXPECT_EQ(result.status, CSavePipeline::Status::Saved) << result.message;
    EXPECT_TRUE(result.message.empty());
    EXPECT_TRUE(CSavedMovie::HasSound(target));
    EXPECT_NEAR(CSavedMovie::Duration(target), 2.0, 0.1);
    EXPECT_EQ(CSavedMovie::Unlike(CSavedMovie::Pictures(target), previews), "");
    EXPECT_EQ(WorkingNames(), std::vector<std::string>());
    EXPECT_EQ(m_progress.cancellable, (std::vector<bool>{true, false}));

    // Without sound the exported file itself becomes the target.
    UseSilentSource();
    ASSERT_EQ(Save(target).status, CSavePipeline::Status::Saved);
    EXPECT_FALSE(CSavedMovie::HasSound(target));
    EXPECT_EQ(WorkingNames(), std::vector<std::string>());
}

// Read in place and saved through the profile's own tool: no working video, the pictures as
// previewed within the profile's loss, the source's AAC packet for packet, starting half a
// second after the picture as it does in the source, and the length of the source.
// The picture first in an mp4; the sound first in an m2ts, whose frame 0 is its first picture:
// the sound is copied from the packet that plays with frame 0 on, as far from it as it was.
TEST_F(SavePipelineTest, APipedSaveOfAMovieReadInPlaceKeepsTheSourcesSoundAsItWas) {
    const struct {
        const char* name;
        const char* arguments;
        double frame;
        bool soundFirst;
    } sources[] = {
        {"late.mp4",
         "-f lavfi -i testsrc2=size=160x120:rate=25 -itsoffset 0.5 -f lavfi -i sine=duration=1.5 "
         "-frames:v 50 -c:v libx264 -pix_fmt yuv420p -c:a aac",
         1.0 / 25, false},
        {"lead.m2ts",
         "-itsoffset 0.4 -f lavfi -i testsrc2=size=160x120:rate=30000/1001 -f lavfi -i "
         "sine=duration=2.2 -frames:v 50 -c:v libx264 -pix_fmt yuv420p -c:a aac -f mpegts",
         1001.0 / 30000, true},
    };
    for (const auto& source : sources) {
        SCOPED_TRACE(source.name);
        m_source = Path(source.name);
        Generate(source.arguments, m_source);
        auto reader = std::make_unique<CSourceReader>();
        ASSERT_TRUE(reader->Open(m_source, CPictureShape::Of(160, 120, 1.0, 0)));
        const std::string work = CWorkPaths::WorkVideo(m_source);
        OpenStream(work, std::move(reader));
        const std::vector<CFrameBuffer> previews = Previews();
        const double pictureStart = CSavedMovie::StartTime(m_source, "v:0");
        const double lead = pictureStart - CSavedMovie::StartTime(m_source, "a:0");
        ASSERT_NEAR(lead, source.soundFirst ? 0.4 : -0.5, 0.05);

        const std::string target = Path(std::string("saved-") + source.name + ".mp4");
        const CSavePipeline::Result result = Save(target, 1);
        ASSERT_EQ(result.status, CSavePipeline::Status::Saved) << result.message;
        EXPECT_FALSE(fs::exists(work));
        EXPECT_EQ(WorkingNames(), std::vector<std::string>());
        EXPECT_EQ(CSavedMovie::Unlike(CSavedMovie::Pictures(target), previews, true, 38.0), "");
        // The source's sound copied by the tool alone, as an MP4 holds it (no ADTS headers).
        const std::string copied = Path(std::string("copied-") + source.name + ".mp4");
        Generate("-i '" + m_source + "' -map 0:a -c:a copy", copied);
        const std::string packets = CSavedMovie::SoundPackets(copied);
        const std::string saved = CSavedMovie::SoundPackets(target);
        EXPECT_FALSE(saved.empty());
        EXPECT_TRUE(packets.ends_with(saved));
        const std::vector<double> sourceTimes = CSavedMovie::SoundPacketTimes(m_source);
        const std::vector<double> savedTimes = CSavedMovie::SoundPacketTimes(target);
        ASSERT_FALSE(savedTimes.empty());
        ASSERT_LE(savedTimes.size(), sourceTimes.size());
        const double firstKept = sourceTimes[sourceTimes.size() - savedTimes.size()];
        EXPECT_NEAR(savedTimes.front() - CSavedMovie::StartTime(target, "v:0"),
                    firstKept - pictureStart, source.frame);
        EXPECT_NEAR(CSavedMovie::Duration(target),
                    CSavedMovie::Duration(m_source) - std::max(lead, 0.0), source.frame);
        EXPECT_EQ(CSavedMovie::DecodedFrames(target), kFrames);
        const std::string log = ReadAll(Path(CFFMpegUtil::LogName));
        EXPECT_NE(log.find(" -i \"" + m_source + "\" -map 0:v -map 1:a:0?"), std::string::npos)
            << log;
        EXPECT_NE(log.find("-c:a copy -movflags"), std::string::npos) << log;
    }
}

TEST_F(SavePipelineTest, AFailedExportKeepsTheTargetAndReportsTheError) {
    const std::string target = Path("saved.avi");
    std::ofstream(target) << "the user's file";
    // A folder where the export would write: it can be neither removed nor written.
    fs::create_directories(CSavePipeline::OutPath(target));
    std::ofstream(CSavePipeline::OutPath(target) + "/keep") << "x";

    const CSavePipeline::Result result = Save(target, 0);
    EXPECT_EQ(result.status, CSavePipeline::Status::Failed);
    EXPECT_EQ(result.message, "Export error!!\n\nIs a directory");
    EXPECT_EQ(ReadAll(target), "the user's file");
    fs::remove_all(CSavePipeline::OutPath(target));
    EXPECT_EQ(WorkingNames(), std::vector<std::string>());
}

// A profile the pipe can't take goes the way through files.
TEST_F(SavePipelineTest, AFailingProfileKeepsTheTargetAndSaysWhyAndOneThePipeCantTakeSaves) {
    const std::string target = Path("saved.mp4");
    std::ofstream(target) << "the user's file";
    fs::create_directories(m_dir / "prog" / "misc");
    fs::create_symlink(std::string(QUORVEL_BIN_DIR) + "/misc/ffmpeg", m_dir / "prog/misc/ffmpeg");
    std::ofstream(Path("prog/profile_x64.ini"))
        << "[Output]\nFilter1=Broken(*.mp4)|*.mp4|\n"
           "Command1=-i \"<%input%>\" -c:v no-such-encoder -y \"<%output%>\"\n"
           "Filter2=Own(*.mp4)|*.mp4|\n"
           "Command2=-i \"<%input%>\" -map 0 -c:v libx264 -crf 10 -y \"<%output%>\"\n";
    UseProgramFolder(Path("prog"));

    CSavePipeline::Result result = Save(target, 0);
    EXPECT_EQ(result.status, CSavePipeline::Status::Failed);
    EXPECT_NE(result.reason.find("no-such-encoder"), std::string::npos) << result.reason;
    EXPECT_EQ(result.message, "Export error!!\n\n" + result.reason);
    EXPECT_EQ(ReadAll(target), "the user's file");
    EXPECT_EQ(WorkingNames(), std::vector<std::string>());

    const std::vector<CFrameBuffer> previews = Previews();
    const std::string own = Path("own.mp4");
    result = Save(own, 1);
    ASSERT_EQ(result.status, CSavePipeline::Status::Saved) << result.message;
    EXPECT_TRUE(CSavedMovie::HasSound(own));
    EXPECT_EQ(CSavedMovie::Unlike(CSavedMovie::Pictures(own), previews, true, 30.0), "");
    EXPECT_EQ(WorkingNames(), std::vector<std::string>());

    fs::remove(m_dir / "prog/misc/ffmpeg");
    result = Save(target, 0);
    EXPECT_EQ(result.status, CSavePipeline::Status::Failed);
    EXPECT_EQ(result.reason, "The converter could not be found:\n" + Path("prog") + "/misc/ffmpeg");
    EXPECT_EQ(ReadAll(target), "the user's file");
    EXPECT_EQ(WorkingNames(), std::vector<std::string>());
}

TEST_F(SavePipelineTest, ACancelInTheExportOrInAConversionKeepsTheTarget) {
    const std::string target = Path("saved.mkv");
    std::ofstream(target) << "the user's file";
    m_progress.cancelWhen = [](const CancellingProgress& progress) {
        return progress.positions.size() >= 10;
    };
    EXPECT_EQ(Save(target, 3).status, CSavePipeline::Status::Cancelled);
    EXPECT_EQ(ReadAll(target), "the user's file");
    EXPECT_EQ(WorkingNames(), std::vector<std::string>());
    EXPECT_LT(m_progress.positions.size(), static_cast<std::size_t>(kFrames));

    // After the last picture, while the tool finishes the file; and while the sound is joined
    // into an AVI.
    const std::string avi = Path("saved.avi");
    std::ofstream(avi) << "the user's file";
    const std::pair<std::string, std::function<bool(const CancellingProgress&)>> cancels[] = {
        {target,
         [](const CancellingProgress& progress) { return progress.positions.size() > kFrames; }},
        {avi, [](const CancellingProgress& progress) {
             return !progress.captions.empty() &&
                    progress.captions.back().starts_with(EnglishText(2024));
         }}};
    for (const auto& [saved, when] : cancels) {
        m_progress.cancelWhen = when;
        const CSavePipeline::Result result = Save(saved, saved == avi ? 0 : 3);
        EXPECT_EQ(result.status, CSavePipeline::Status::Cancelled) << saved;
        EXPECT_TRUE(result.message.empty());
        EXPECT_EQ(ReadAll(saved), "the user's file");
        EXPECT_EQ(WorkingNames(), std::vector<std::string>());
    }

    // Without a mosaic the working file is copied, in the progress window and with Cancel.
    UseSilentSource();
    m_stream->m_mosaic.RemoveAllFixedAreas();
    m_stream->m_mosaic.RemoveAllTracks();
    const std::string copy = Path("copy.avi");
    std::ofstream(copy) << "the user's file";
    m_progress = CancellingProgress();
    m_progress.cancelWhen = [](const CancellingProgress& progress) {
        return !progress.positions.empty();
    };
    EXPECT_EQ(Save(copy).status, CSavePipeline::Status::Cancelled);
    EXPECT_EQ(ReadAll(copy), "the user's file");
    EXPECT_EQ(WorkingNames(), std::vector<std::string>());
    m_progress = CancellingProgress();
    ASSERT_EQ(Save(copy).status, CSavePipeline::Status::Saved);
    EXPECT_EQ(ReadAll(copy), ReadAll(m_source));
    EXPECT_EQ(m_progress.created, 1);
    EXPECT_EQ(m_progress.destroyed, 1);
    ASSERT_FALSE(m_progress.positions.empty());
    EXPECT_EQ(m_progress.positions.back(), m_progress.upper);
}

TEST_F(SavePipelineTest, SavingOntoAnOpenedFileChangesNothing) {
    const std::string sound = Path("clip.$tmp$.wav");
    CWorkFiles workFiles;
    ASSERT_EQ(workFiles.Lock(m_source), CWorkFiles::Claim::Taken);
    workFiles.Add(sound);
    Generate("-f lavfi -i sine=duration=2", sound);
    OpenStream(m_source, nullptr, std::move(workFiles));
    const std::string before = ReadAll(m_source);
    for (const std::string& target :
         {m_source, m_dir.string() + "/./clip.avi", Path("CLIP.AVI"), sound,
          Path("CLIP.$tmp$.WAV")}) {
        const CSavePipeline::Result result = Save(target);
        EXPECT_EQ(result.status, CSavePipeline::Status::SameAsSource) << target;
        EXPECT_EQ(result.message, EnglishText(2021));
    }
    EXPECT_EQ(ReadAll(m_source), before);
    EXPECT_EQ(m_progress.created, 0);
    EXPECT_EQ(WorkingNames(), std::vector<std::string>());
}

} // namespace
