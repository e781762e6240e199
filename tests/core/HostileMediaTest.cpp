#include "ConverterFixture.h"

#include "media/CAviVideoStream.h"
#include "media/COpenPipeline.h"
#include "media/RX40sCFFmpeg.h"
#include "platform/CMessageBoxSeam.h"

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Damaged and absurd files: the decoder fails cleanly or decodes what is there; the open
// pipeline either opens or reports the file as not recognised, leaving no working file.
class HostileMedia : public ConverterFixture {
protected:
    void SetUp() override {
        ConverterFixture::SetUp();
        Generate("-f lavfi -i testsrc2=size=64x48:rate=10 -frames:v 5 -c:v msmpeg4v2",
                 Path("good.avi"));
        Generate("-f lavfi -i testsrc2=size=64x48 -frames:v 1", Path("good.jpg"));
        m_avi = ReadAll(Path("good.avi"));
        m_jpg = ReadAll(Path("good.jpg"));
        m_previousBox = CMessageBoxSeam::Install(&m_box);
        // A decoder stuck on a damaged file ends the test run instead of hanging it.
        alarm(240);
    }
    void TearDown() override {
        alarm(0);
        CMessageBoxSeam::Install(m_previousBox);
        ConverterFixture::TearDown();
    }

    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary | std::ios::trunc) << bytes;
    }

    // Decodes every frame the decoder promises; what matters is that it returns.
    static void DecodeAll(const std::string& path) {
        RX40sCFFmpeg decoder;
        if (decoder.Open(path) == 0) {
            EXPECT_TRUE(decoder.m_strFilePath.empty());
            return;
        }
        const std::int64_t last = std::min<std::int64_t>(decoder.m_nLastFrame, 10);
        for (std::int64_t frame = 0; frame <= last; ++frame) {
            decoder.DecodeFrame(frame);
        }
        decoder.DecodeFrame(last + 5);
    }

    // Opens name through the pipeline and the stream as the document does.
    void OpenAndClose(const std::string& name) {
        const std::size_t shown = m_box.texts.size();
        COpenPipeline pipeline(*m_util, QUORVEL_BIN_DIR, "", "", &ConverterFixture::EnglishText);
        if (pipeline.Open(Path(name))) {
            std::int32_t sizeId = 2;
            CAviVideoStream stream(pipeline.WorkPath(), sizeId, pipeline.TakeWorkFiles());
            const bool loaded = pipeline.IsStillImage()
                                    ? stream.LoadBitmapFile(pipeline.WorkPath()) != 0
                                    : stream.OpenVideo() != 0;
            if (loaded) {
                stream.GetFrame(0, false);
                EXPECT_EQ(m_box.texts.size(), shown) << name;
            } else {
                pipeline.Fail();
            }
        }
        if (m_box.texts.size() > shown) {
            ASSERT_EQ(m_box.texts.size(), shown + 1) << name;
            EXPECT_EQ(m_box.texts.back().find("This file is not recognized"), 0u)
                << name << ": " << m_box.texts.back();
        }
        for (const auto& entry : fs::directory_iterator(m_dir)) {
            EXPECT_EQ(entry.path().string().find("$tmp$"), std::string::npos) << entry.path();
        }
        fs::remove(Path(name));
    }

    std::string m_avi;
    std::string m_jpg;
    CRecordingMessageBox m_box;
    IMessageBox* m_previousBox = nullptr;
    RecordingProgress m_progress;
    std::unique_ptr<CFFMpegUtil> m_util = nullptr;
};

std::string Flipped(const std::string& bytes, std::size_t at) {
    std::string flipped = bytes;
    flipped.at(at) = static_cast<char>(~flipped.at(at));
    return flipped;
}

} // namespace

TEST_F(HostileMedia, DecoderSurvivesTruncationAndFlippedHeaderBytes) {
    for (std::size_t length = 0; length < m_avi.size(); length += 1 + length / 3) {
        Write("cut.avi", m_avi.substr(0, length));
        DecodeAll(Path("cut.avi"));
    }
    for (std::size_t at = 0; at < 512 && at < m_avi.size(); at += 7) {
        Write("flipped.avi", Flipped(m_avi, at));
        DecodeAll(Path("flipped.avi"));
    }
}

TEST_F(HostileMedia, OpenFailsCleanlyOrOpensAndLeavesNoWorkingFile) {
    m_util = std::make_unique<CFFMpegUtil>(QUORVEL_BIN_DIR, m_dir.string(), m_progress,
                                           &ConverterFixture::EnglishText);
    Write("empty.mp4", "");
    OpenAndClose("empty.mp4");
    Write("empty.jpg", "");
    OpenAndClose("empty.jpg");
    for (const std::size_t length : {std::size_t{12}, m_avi.size() / 3}) {
        Write("cut.mp4", m_avi.substr(0, length));
        OpenAndClose("cut.mp4");
    }
    Write("cut.jpg", m_jpg.substr(0, m_jpg.size() / 2));
    OpenAndClose("cut.jpg");
    Write("flipped.avi", Flipped(Flipped(m_avi, 8), 40));
    OpenAndClose("flipped.avi");
    // An AVI header with no frames at all.
    Write("frameless.avi", m_avi.substr(0, 2048));
    OpenAndClose("frameless.avi");
    // A bitmap that promises a picture of 2^31 pixels a side.
    std::string huge = "BM" + std::string(52, '\0');
    huge[10] = 54;
    huge[14] = 40;
    huge[18] = huge[22] = '\xFF';
    huge[21] = huge[25] = 0x7F;
    huge[26] = 1;
    huge[28] = 24;
    Write("huge.bmp", huge);
    OpenAndClose("huge.bmp");
    EXPECT_GE(m_box.texts.size(), 5u);
}
