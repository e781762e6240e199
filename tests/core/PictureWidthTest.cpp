#include "ConverterFixture.h"
#include "tests/support/CSavedMovie.h"

#include "export/CMovieExport.h"
#include "media/CAviVideoStream.h"

extern "C" {
#include <libavutil/log.h>
}

#include <cstdlib>
#include <cstring>

namespace {

constexpr int kHeight = 32;
constexpr int kFrames = 3;
constexpr T_RECT kBlackArea{0, 0, 16, 16};
// Codec loss of one column at the working files' bit rate stays well below this; a column
// that stayed black is off by about a hundred.
constexpr double kColumnLoss = 12.0;

// Every width of the sixteen around the sizes of DVD and wide sources, and one odd row length.
std::vector<int> Widths() {
    std::vector<int> widths{170};
    for (const int base : {640, 848}) {
        for (int extra = 0; extra < 16; ++extra) {
            widths.push_back(base + extra);
        }
    }
    return widths;
}

} // namespace

// Every column of the picture, in the view and in the saved movie, as the tool decodes it.
class PictureWidthTest : public ConverterFixture, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        ConverterFixture::SetUp();
        CStringTable::SetLanguage(CStringTable::English);
        av_log_set_level(AV_LOG_ERROR);
        const int width = GetParam();
        // No black anywhere in the picture, so that a column left black shows.
        Generate("-f lavfi -i testsrc2=size=" + std::to_string(width + width % 2) + "x" +
                     std::to_string(kHeight) + ":rate=25,crop=" + std::to_string(width) + ":" +
                     std::to_string(kHeight) + ":0:0:exact=1,lutyuv=y=64+val/2 -frames:v " +
                     std::to_string(kFrames) + " -c:v msmpeg4v2 -b:v 30000k",
                 Path("clip.avi"));
        m_stream = std::make_unique<CAviVideoStream>(Path("clip.avi"), m_sizeId);
        ASSERT_EQ(m_stream->OpenVideo(), 1);
        ASSERT_EQ(m_stream->m_nWidth, width);
        ASSERT_EQ(m_stream->m_nLastFrame, kFrames - 1);
    }

    // The pictures of path as packed 24-bit rows, as the tool decodes them.
    std::vector<std::string> ToolPictures(const std::string& path) {
        Generate("-i '" + path + "' -f rawvideo -pix_fmt bgr24", path + ".bgr");
        const std::string bytes = ReadAll(path + ".bgr");
        const std::size_t size = static_cast<std::size_t>(GetParam()) * kHeight * 3;
        std::vector<std::string> pictures;
        for (std::size_t at = 0; at + size <= bytes.size(); at += size) {
            pictures.push_back(bytes.substr(at, size));
        }
        return pictures;
    }

    // The columns right of the mosaic where the picture is further than codec loss from the
    // reference, on average.
    std::string ColumnsUnlike(const std::string& picture, const std::string& reference) const {
        std::string unlike;
        const int width = GetParam();
        for (int x = kBlackArea.right; x < width; ++x) {
            double difference = 0.0;
            for (int y = 0; y < kHeight; ++y) {
                for (int c = 0; c < 3; ++c) {
                    const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3 + c;
                    difference += std::abs(static_cast<std::uint8_t>(picture[at]) -
                                           static_cast<std::uint8_t>(reference[at]));
                }
            }
            if (difference / (kHeight * 3) > kColumnLoss) {
                unlike += " " + std::to_string(x);
            }
        }
        return unlike;
    }

    std::int32_t m_sizeId = CSavedMovie::kBlackFill;
    RecordingProgress m_progress;
    std::unique_ptr<CAviVideoStream> m_stream;
};

TEST_P(PictureWidthTest, TheViewShowsEveryColumnAsTheToolDecodesIt) {
    const std::vector<std::string> reference = ToolPictures(Path("clip.avi"));
    ASSERT_EQ(reference.size(), static_cast<std::size_t>(kFrames));
    const std::size_t rowBytes = static_cast<std::size_t>(GetParam()) * 3;
    for (const int index : {0, 2}) {
        ASSERT_EQ(m_stream->DecodeFrame(index), 1);
        const CFrameBuffer& frame = m_stream->m_bmpFrame;
        ASSERT_EQ(frame.Width(), GetParam());
        for (int y = 0; y < kHeight; ++y) {
            ASSERT_EQ(
                std::memcmp(frame.PictureRow(y), reference[index].data() + y * rowBytes, rowBytes),
                0)
                << "frame " << index << " row " << y;
        }
    }
}

TEST_P(PictureWidthTest, TheSavedMovieKeepsEveryColumn) {
    m_stream->m_mosaic.SetType(CSavedMovie::kBlackFill, m_sizeId, true);
    m_stream->m_mosaic.AddFixedArea(kBlackArea);
    CMovieExport exporter(*m_stream, m_progress);
    ASSERT_EQ(exporter.ExportMovie(Path("saved.avi")), CMovieExport::Result::Done);
    const std::vector<std::string> source = ToolPictures(Path("clip.avi"));
    const std::vector<std::string> saved = ToolPictures(Path("saved.avi"));
    ASSERT_EQ(saved.size(), source.size());
    for (std::size_t n = 0; n < saved.size(); ++n) {
        EXPECT_EQ(ColumnsUnlike(saved[n], source[n]), "") << "frame " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, PictureWidthTest, ::testing::ValuesIn(Widths()));
