#include "mosaic/CMosaicPainter.h"
#include "mosaic/CMosaicParam.h"

#include "CTestMedia.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string LittleEndian(std::initializer_list<std::int32_t> values) {
    std::string out;
    for (const std::int32_t value : values) {
        const auto bits = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) {
            out.push_back(static_cast<char>((bits >> shift) & 0xFF));
        }
    }
    return out;
}

// What a loaded model must always satisfy, whatever the file held.
void ExpectConsistentTracks(const CMosaicParam& model) {
    for (const CMosaicTrack& track : model.Tracks()) {
        ASSERT_FALSE(track.Empty());
    }
}

// A model with two areas and three tracks, the second one recorded out of frame order with a
// gap.
CMosaicParam SampleModel() {
    CMosaicParam model(7);
    model.AddFixedArea({10, 20, 110, 90});
    model.AddFixedArea({0, 0, 40, 40});
    for (std::int32_t frame = 40; frame <= 42; ++frame) {
        model.SetTrackRect(0, {frame, 1, frame + 30, 31}, frame);
    }
    model.SetTrackRect(1, {5, 5, 9, 9}, 7);
    model.SetTrackRect(1, {1, 1, 3, 3}, 5);
    model.SetTrackRect(2, {-4, -4, -1, -1}, 0);
    return model;
}

class ProgressFile : public ::testing::Test {
protected:
    CTestMedia m_media;
    fs::path m_dir = m_media.Dir();
    std::string m_eft = m_media.Path("clip.eft");
    std::string m_eftm = m_media.Path("clip.eftm");
};

} // namespace

TEST_F(ProgressFile, SavedModelLoadsBackEqual) {
    CMosaicParam saved = SampleModel();
    saved.enable = 0;
    saved.size = 23;
    saved.SaveFixedAreas(m_eft);
    saved.SaveTracks(m_eftm);

    CMosaicParam loaded(2);
    loaded.SetTrackRect(0, {1, 1, 2, 2}, 3);
    loaded.AddFixedArea({1, 1, 2, 2});
    loaded.LoadFixedAreas(m_eft);
    loaded.LoadTracks(m_eftm);
    EXPECT_EQ(loaded.enable, 0);
    EXPECT_EQ(loaded.type, 7);
    EXPECT_EQ(loaded.size, 23);
    EXPECT_EQ(loaded.FixedAreas(), saved.FixedAreas());
    EXPECT_EQ(loaded.Tracks(), saved.Tracks());
    EXPECT_FALSE(fs::exists(m_eft + ".tmp"));
    EXPECT_FALSE(fs::exists(m_eftm + ".tmp"));
}

// The file keeps no frames: a track with a gap writes the gap as empty rectangles, so after
// loading every rectangle is on its frame again, and the gap is neither painted nor hit.
TEST_F(ProgressFile, TrackGapsKeepEveryRectOnItsFrame) {
    const auto at = [](std::int32_t frame) { return T_RECT{frame % 40, 2, frame % 40 + 20, 30}; };
    CMosaicParam saved;
    for (std::int32_t frame = 100; frame <= 200; ++frame) {
        saved.SetTrackRect(0, at(frame), frame);
    }
    for (std::int32_t frame = 300; frame <= 350; ++frame) {
        saved.SetTrackRect(0, at(frame), frame);
    }
    saved.SaveTracks(m_eftm);
    const std::string bytes = ReadBytes(m_eftm);
    EXPECT_EQ(bytes.size(), 4u + 8u + 16u * 251u);
    EXPECT_EQ(bytes.substr(0, 12), LittleEndian({1, 100, 251}));
    EXPECT_EQ(bytes.substr(12 + 16 * 101, 16), LittleEndian({0, 0, 0, 0}));

    CMosaicParam loaded;
    loaded.LoadTracks(m_eftm);
    ASSERT_EQ(loaded.TrackCount(), 1);
    for (std::int32_t frame = 99; frame <= 351; ++frame) {
        const bool held = (frame >= 100 && frame <= 200) || (frame >= 300 && frame <= 350);
        ASSERT_EQ(loaded.GetTrackRect(0, frame), held ? at(frame) : T_RECT{}) << frame;
    }
    EXPECT_EQ(loaded.HitTestTrack(21, 10, 250), -1);
    EXPECT_EQ(loaded.HitTestTrack(21, 10, 301), 0);

    CMosaicPainter painter;
    const CFrameBuffer clean(64, 48, true);
    CFrameBuffer picture = clean;
    constexpr int kInvert = 5;
    painter.PaintTracks(picture, loaded, kInvert, 250);
    EXPECT_TRUE(picture == clean);
    painter.PaintTracks(picture, loaded, kInvert, 301);
    EXPECT_FALSE(picture == clean);
}

// A file as it has always been written, with an empty rectangle among the others, loads as
// it stands and saves back byte for byte.
TEST_F(ProgressFile, EarlierTrackFilesLoadUnchanged) {
    const std::string earlier = LittleEndian(
        {2, 7, 3, 1, 1, 5, 5, 0, 0, 0, 0, 2, 2, 6, 6, 0, 1, -4, -4, 9, 9});
    WriteBytes(m_eftm, earlier);
    CMosaicParam model;
    model.LoadTracks(m_eftm);
    ASSERT_EQ(model.TrackCount(), 2);
    EXPECT_EQ(model.GetTrackRect(0, 7), (T_RECT{1, 1, 5, 5}));
    EXPECT_TRUE(model.GetTrackRect(0, 8).IsEmpty());
    EXPECT_EQ(model.GetTrackRect(0, 9), (T_RECT{2, 2, 6, 6}));
    EXPECT_TRUE(model.GetTrackRect(0, 10).IsEmpty());
    EXPECT_EQ(model.GetTrackRect(1, 0), (T_RECT{-4, -4, 9, 9}));
    model.SaveTracks(m_eftm);
    EXPECT_EQ(ReadBytes(m_eftm), earlier);
}

TEST_F(ProgressFile, XmlDocumentHoldsSettingsAndAreasInOrder) {
    SampleModel().SaveFixedAreas(m_eft);
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_file(m_eft.c_str()));
    const pugi::xml_node root = doc.document_element();
    EXPECT_STREQ(root.name(), "effect");
    const pugi::xml_node mosaic = root.child("mosaic");
    std::vector<std::string> names;
    for (const pugi::xml_attribute& attr : mosaic.attributes()) {
        names.push_back(std::string(attr.name()) + "=" + attr.value());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"enable=1", "type=7", "size=15"}));

    std::vector<std::string> rects;
    for (const pugi::xml_node& area : mosaic.children()) {
        EXPECT_STREQ(area.name(), "area");
        std::string text;
        for (const pugi::xml_attribute& attr : area.child("rect").attributes()) {
            text += std::string(attr.name()) + "=" + attr.value() + " ";
        }
        rects.push_back(text);
    }
    EXPECT_EQ(rects, (std::vector<std::string>{"left=10 top=20 right=110 bottom=90 frame=0 ",
                                               "left=0 top=0 right=40 bottom=40 frame=0 "}));
}

TEST_F(ProgressFile, TrackFileIsLittleEndianWithoutHeader) {
    CMosaicParam model;
    for (std::int32_t frame = 40; frame <= 42; ++frame) {
        model.SetTrackRect(0, {1, 2, 3 + frame, -4}, frame);
    }
    model.SaveTracks(m_eftm);
    const std::string bytes = ReadBytes(m_eftm);
    ASSERT_EQ(bytes.size(), 60u);
    EXPECT_EQ(bytes.substr(0, 12), LittleEndian({1, 40, 3}));
    EXPECT_EQ(bytes.substr(12, 16), LittleEndian({1, 2, 43, -4}));
    EXPECT_EQ(bytes.substr(44), LittleEndian({1, 2, 45, -4}));
}

TEST_F(ProgressFile, EmptyModelWritesBareDocumentAndRemovesTrackFile) {
    SampleModel().SaveTracks(m_eftm);
    ASSERT_TRUE(fs::exists(m_eftm));
    CMosaicParam empty;
    empty.SaveTracks(m_eftm);
    empty.SaveFixedAreas(m_eft);
    EXPECT_FALSE(fs::exists(m_eftm));

    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_file(m_eft.c_str()));
    EXPECT_TRUE(doc.child("effect").child("mosaic"));
    EXPECT_FALSE(doc.child("effect").child("mosaic").child("area"));

    // Missing files: no areas, no tracks, settings untouched.
    CMosaicParam loaded = SampleModel();
    loaded.size = 44;
    loaded.LoadFixedAreas((m_dir / "none.eft").string());
    loaded.LoadTracks(m_eftm);
    EXPECT_FALSE(loaded.HasRegions());
    EXPECT_EQ(loaded.size, 44);
}

TEST_F(ProgressFile, StaleTemporaryFilesDoNotStopSaving) {
    WriteBytes(m_eft + ".tmp", "<effect><mosaic type=\"3\"><area/></mosaic></effect>");
    WriteBytes(m_eftm + ".tmp", LittleEndian({9, 9, 9}));
    const CMosaicParam saved = SampleModel();
    saved.SaveFixedAreas(m_eft);
    saved.SaveTracks(m_eftm);

    CMosaicParam loaded;
    loaded.LoadFixedAreas(m_eft);
    loaded.LoadTracks(m_eftm);
    EXPECT_EQ(loaded.type, 7);
    EXPECT_EQ(loaded.FixedAreas(), saved.FixedAreas());
    EXPECT_EQ(loaded.TrackCount(), 3);
    EXPECT_FALSE(fs::exists(m_eft + ".tmp"));
    EXPECT_FALSE(fs::exists(m_eftm + ".tmp"));
}

TEST_F(ProgressFile, FailedWriteKeepsThePreviousFiles) {
    const CMosaicParam first = SampleModel();
    first.SaveFixedAreas(m_eft);
    first.SaveTracks(m_eftm);
    const std::string eft = ReadBytes(m_eft);
    const std::string eftm = ReadBytes(m_eftm);

    // A directory in place of the temporary file makes every write fail.
    fs::create_directories(m_eft + ".tmp/blocked");
    fs::create_directories(m_eftm + ".tmp/blocked");
    CMosaicParam second;
    second.SetTrackRect(0, {1, 1, 2, 2}, 0);
    second.SaveFixedAreas(m_eft);
    second.SaveTracks(m_eftm);
    EXPECT_EQ(ReadBytes(m_eft), eft);
    EXPECT_EQ(ReadBytes(m_eftm), eftm);
}

TEST_F(ProgressFile, TrackCountsAreNeverTrusted) {
    const std::string record = LittleEndian({40, 2, 1, 1, 5, 5, 2, 2, 6, 6});
    const auto load = [this](const std::string& bytes) {
        WriteBytes(m_eftm, bytes);
        CMosaicParam model;
        model.LoadTracks(m_eftm);
        return model;
    };

    // An absurd N: the complete records are kept.
    CMosaicParam model = load(LittleEndian({std::numeric_limits<std::int32_t>::max()}) + record);
    ASSERT_EQ(model.TrackCount(), 1);
    EXPECT_EQ(model.Tracks()[0], CMosaicTrack(40, {{1, 1, 5, 5}, {2, 2, 6, 6}}));

    // An M beyond the file ends reading; M <= 0 makes no track but reading goes on.
    EXPECT_EQ(load(LittleEndian({2}) + record + LittleEndian({0, 0x7FFFFFF, 1})).TrackCount(), 1);
    EXPECT_EQ(load(LittleEndian({3, 7, 0, 8, -5}) + record).TrackCount(), 1);

    // Frames that would run past the 32-bit range.
    const std::int32_t last = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(load(LittleEndian({2, last, 1, 0, 0, 1, 1, last, 2, 0, 0, 1, 1, 0, 0, 1, 1}))
                  .Tracks()
                  .size(),
              1u);
    EXPECT_EQ(load(LittleEndian({-3}) + record).TrackCount(), 0);
    EXPECT_EQ(load("").TrackCount(), 0);
}

TEST_F(ProgressFile, XmlAttributesReadLikeLeadingIntegers) {
    CMosaicParam model(2);
    WriteBytes(m_eft, R"(<effect><mosaic enable=" 0x" type="+8z" size="99999999999">
        <area><rect left="-12abc" top="  7" right="junk" bottom="-99999999999" frame="?"/></area>
        <area><rect left="1" top="2" right="3"/></area>
        </mosaic></effect>)");
    model.LoadFixedAreas(m_eft);
    EXPECT_EQ(model.enable, 0);
    EXPECT_EQ(model.type, 8);
    EXPECT_EQ(model.size, std::numeric_limits<std::int32_t>::max());
    // The area whose rectangle lacks an edge is not loaded.
    EXPECT_EQ(model.FixedAreas(),
              (std::vector<T_RECT>{{-12, 7, 0, std::numeric_limits<std::int32_t>::min()}}));
}

TEST_F(ProgressFile, BrokenXmlKeepsTheSettingsAndLoadsNoAreas) {
    CMosaicParam model(9);
    model.enable = 1;
    model.AddFixedArea({1, 1, 2, 2});
    WriteBytes(m_eft, "<effect><mosaic enable=\"0\" type=\"1\"><area><rect left=");
    model.LoadFixedAreas(m_eft);
    EXPECT_TRUE(model.FixedAreas().empty());
    EXPECT_EQ(model.enable, 1);
    EXPECT_EQ(model.type, 9);
    EXPECT_EQ(model.size, 5);

    // Without "size" the size stays; a size below 1 stays as stored and is saved back so.
    WriteBytes(m_eft, R"(<effect><mosaic enable="0" type="1"/></effect>)");
    model.LoadFixedAreas(m_eft);
    EXPECT_EQ(model.enable, 0);
    EXPECT_EQ(model.type, 1);
    EXPECT_EQ(model.size, 5);
    WriteBytes(m_eft, R"(<effect><mosaic type="0" size="-3"/></effect>)");
    model.LoadFixedAreas(m_eft);
    EXPECT_EQ(model.size, -3);
    model.SaveFixedAreas(m_eft);
    model.size = 7;
    model.LoadFixedAreas(m_eft);
    EXPECT_EQ(model.size, -3);
}

TEST_F(ProgressFile, TruncatedFilesLoadAPrefixOfTheSavedModel) {
    const CMosaicParam saved = SampleModel();
    saved.SaveFixedAreas(m_eft);
    saved.SaveTracks(m_eftm);
    const std::string eft = ReadBytes(m_eft);
    const std::string eftm = ReadBytes(m_eftm);
    const std::string cut = (m_dir / "cut").string();

    for (std::size_t length = 0; length < eftm.size(); ++length) {
        WriteBytes(cut, eftm.substr(0, length));
        CMosaicParam model;
        model.LoadTracks(cut);
        ExpectConsistentTracks(model);
        ASSERT_LT(model.Tracks().size(), saved.Tracks().size()) << length;
        for (std::size_t i = 0; i < model.Tracks().size(); ++i) {
            EXPECT_EQ(model.Tracks()[i], saved.Tracks()[i]) << length;
        }
    }
    for (std::size_t length = 0; length < eft.size(); ++length) {
        WriteBytes(cut, eft.substr(0, length));
        CMosaicParam model;
        model.LoadFixedAreas(cut);
        const std::vector<T_RECT>& areas = model.FixedAreas();
        ASSERT_LE(areas.size(), saved.FixedAreas().size()) << length;
        EXPECT_TRUE(std::equal(areas.begin(), areas.end(), saved.FixedAreas().begin()));
    }
}

TEST_F(ProgressFile, FlippedBytesNeverBreakTheModel) {
    const CMosaicParam saved = SampleModel();
    saved.SaveFixedAreas(m_eft);
    saved.SaveTracks(m_eftm);
    const std::string files[] = {ReadBytes(m_eft), ReadBytes(m_eftm)};
    const std::string bad = (m_dir / "bad").string();
    std::mt19937 random(20240611);
    CMosaicPainter painter;

    for (int round = 0; round < 250; ++round) {
        for (const std::string& original : files) {
            std::string bytes = original;
            const int flips = 1 + static_cast<int>(random() % 4);
            for (int i = 0; i < flips; ++i) {
                bytes[random() % bytes.size()] ^= static_cast<char>(1 + random() % 255);
            }
            WriteBytes(bad, bytes);
            CMosaicParam model;
            model.LoadFixedAreas(bad);
            model.LoadTracks(bad);
            ExpectConsistentTracks(model);
            // Whatever size and type were read, painting them stays within the picture.
            CFrameBuffer picture(64, 48, true);
            painter.PaintFixedAreas(picture, model, model.type);
        }
    }
}
