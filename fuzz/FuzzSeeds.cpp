// Writes the binary seeds of the fuzz targets into the folders given: the shapes the program
// itself writes, so the fuzzers start from well-formed files.
#include "media/CBitmapFile.h"
#include "mosaic/CFixedAreaFile.h"
#include "mosaic/CTrackFile.h"
#include "resources/version/CVersionRecordBuilder.h"
#include "tests/support/TestPeImage.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

bool WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

CMosaicParam SampleModel() {
    CMosaicParam model(7);
    model.AddFixedArea({1, 2, 9, 7});
    model.AddFixedArea({-4, 0, 3, 12});
    model.SetTrackRect(0, {0, 0, 4, 4}, 3);
    model.SetTrackRect(0, {1, 1, 5, 5}, 4);
    model.SetTrackRect(1, {2, 2, 6, 3}, 0);
    return model;
}

bool WriteBitmaps(const std::string& dir) {
    CFrameBuffer topDown(5, 3, true);
    CFrameBuffer bottomUp(4, 2, false);
    return CBitmapFile::Write(dir + "/top-down.bmp", topDown) &&
           CBitmapFile::Write(dir + "/bottom-up.bmp", bottomUp);
}

bool WriteProgress(const std::string& eftDir, const std::string& eftmDir) {
    const CMosaicParam model = SampleModel();
    return CFixedAreaFile::Save(eftDir + "/sample.eft", model) &&
           WriteBytes(eftmDir + "/sample.eftm", CTrackFile::Encode(model.Tracks()));
}

bool WritePe(const std::string& dir) {
    CVersionRecordBuilder builder;
    builder.SetFixedFileVersion({1, 2, 3, 4});
    builder.AddStringTable("040904b0", {{"InternalName", "Seed"}, {"CompanyName", "Velmarro"}});
    builder.AddTranslation(0x0409, 1200);
    const std::vector<std::uint8_t> image = TestPeImage::WithRecord(builder.Build());
    return WriteBytes(dir + "/version.exe", std::string(image.begin(), image.end()));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s BITMAP-DIR EFT-DIR EFTM-DIR PE-DIR\n", argv[0]);
        return 2;
    }
    const bool written = WriteBitmaps(argv[1]) && WriteProgress(argv[2], argv[3]) && WritePe(argv[4]);
    return written ? 0 : 1;
}
