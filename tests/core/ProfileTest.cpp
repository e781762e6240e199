#include "ConverterFixture.h"

#include "media/CFormatIniFile.h"

namespace {

class Profile : public ConverterFixture {
protected:
    void Write(const std::string& text) const {
        std::ofstream(m_dir / CFormatIniFile::FileName) << text;
    }
};

} // namespace

TEST_F(Profile, ListEndsAtTheFirstMissingFilter) {
    Write("[OUTPUT]\nfilter1=MP4(*.mp4)|*.mp4|\nCommand1=-i \"<%input%>\" \"<%output%>\"\n"
          "Filter2=MKV(*.mkv)|*.mkv|\nFilter4=WMV(*.wmv)|*.wmv|\nCommand4=-i x y\n"
          "[Image]\nFilter1=PNG(*.png)|*.png|\nCommand1=-i a b\n");
    const CFormatIniFile movies(m_dir.string(), false);
    EXPECT_EQ(movies.Filters(),
              (std::vector<std::string>{"MP4(*.mp4)|*.mp4|", "MKV(*.mkv)|*.mkv|"}));
    EXPECT_EQ(movies.GetFilterString(), "MP4(*.mp4)|*.mp4|MKV(*.mkv)|*.mkv||");
    EXPECT_EQ(movies.Command(0), "-i \"<%input%>\" \"<%output%>\"");
    // A filter without its command is offered; its command is empty.
    EXPECT_EQ(movies.Commands().size(), 2u);
    EXPECT_EQ(movies.Command(1), "");
    EXPECT_EQ(movies.Command(2), "");
    EXPECT_EQ(movies.Command(-1), "");

    const CFormatIniFile images(m_dir.string(), true);
    EXPECT_EQ(images.GetFilterString(), "PNG(*.png)|*.png||");
    EXPECT_EQ(images.Command(0), "-i a b");
}

TEST_F(Profile, MissingFileOrSectionOffersOnlyAvi) {
    EXPECT_EQ(CFormatIniFile(m_dir.string(), false).GetFilterString(), "AVI file(*.avi)|*.avi||");
    Write("[Output]\nFilter1=MP4(*.mp4)|*.mp4|\n");
    EXPECT_EQ(CFormatIniFile(m_dir.string(), true).GetFilterString(), "AVI file(*.avi)|*.avi||");
}
