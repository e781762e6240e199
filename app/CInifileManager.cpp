#include "app/CInifileManager.h"

#include "platform/CNumberText.h"

namespace {
constexpr const char* DefaultBitRate = "30000";
}

CInifileManager::CInifileManager(std::string path) : m_path(std::move(path)) {
    WindowRect = Rect{};
    Load();
}

CInifileManager::~CInifileManager() {
    if (Entries() != m_saved) {
        Save();
    }
}

void CInifileManager::Load() {
    RX40CVMIniFile ini(m_path);
    ini.SetSection("Mosaic");
    SizeID = ini.ReadInt("SizeID", 2);
    HoriLengthFromCenter = ini.ReadInt("HoriLengthFromCenter", 50);
    VertLengthFromCenter = ini.ReadInt("VertLengthFromCenter", 50);
    PlaySpeedRate = CNumberText::ParseFloat(ini.ReadString("PlaySpeedRate", "1.0"));
    LoopPlay = ini.ReadInt("LoopPlay", 0);
    FilterIndex = ini.ReadInt("FilterIndex", 1);
    OpenFilterIndex = ini.ReadInt("OpenFilterIndex", 1);
    ImageFilterIndex = ini.ReadInt("ImageFilterIndex", 1);

    ini.SetSection("FFMpeg");
    TmpFile_VCodec = ini.ReadString("TmpFile_VCodec", "");
    TmpFile_BitRate = ini.ReadString("TmpFile_BitRate(k)", DefaultBitRate);
    if (TmpFile_BitRate.empty()) {
        TmpFile_BitRate = DefaultBitRate;
    }
    TmpFile_2GLimit = ini.ReadInt("TmpFile_2GLimit", 1);
    TmpFile_QScale = ini.ReadString("TmpFile_QScale(2-31)", "4");

    ini.SetSection("Window");
    const std::int32_t x = ini.ReadInt("PosX", 100);
    const std::int32_t y = ini.ReadInt("PosY", 100);
    const std::int32_t width = ini.ReadInt("Width", 1200);
    const std::int32_t height = ini.ReadInt("Height", 800);
    // Wrapping arithmetic: absurd stored values must not be undefined behaviour.
    WindowRect = Rect{x, y, std::int32_t(std::uint32_t(x) + std::uint32_t(width)),
                      std::int32_t(std::uint32_t(y) + std::uint32_t(height))};
}

bool CInifileManager::Save() const {
    std::vector<RX40CVMIniFile::Entry> entries = Entries();
    // One replacement of the file for all keys: each would otherwise flush it to the disk.
    if (!RX40CVMIniFile(m_path).WriteEntries(entries)) {
        return false;
    }
    m_saved = std::move(entries);
    return true;
}

std::vector<RX40CVMIniFile::Entry> CInifileManager::Entries() const {
    // Wrapping arithmetic, as in Load.
    const auto width =
        std::int32_t(std::uint32_t(WindowRect.right) - std::uint32_t(WindowRect.left));
    const auto height =
        std::int32_t(std::uint32_t(WindowRect.bottom) - std::uint32_t(WindowRect.top));
    return {
        {"Mosaic", "SizeID", CNumberText::FormatInt(SizeID)},
        {"Mosaic", "HoriLengthFromCenter", CNumberText::FormatInt(HoriLengthFromCenter)},
        {"Mosaic", "VertLengthFromCenter", CNumberText::FormatInt(VertLengthFromCenter)},
        {"Mosaic", "PlaySpeedRate", CNumberText::FormatOneDecimal(PlaySpeedRate)},
        {"Mosaic", "LoopPlay", CNumberText::FormatInt(LoopPlay)},
        {"Mosaic", "FilterIndex", CNumberText::FormatInt(FilterIndex)},
        {"Mosaic", "OpenFilterIndex", CNumberText::FormatInt(OpenFilterIndex)},
        {"Mosaic", "ImageFilterIndex", CNumberText::FormatInt(ImageFilterIndex)},
        {"FFMpeg", "TmpFile_VCodec", TmpFile_VCodec},
        {"FFMpeg", "TmpFile_BitRate(k)", TmpFile_BitRate},
        {"FFMpeg", "TmpFile_2GLimit", CNumberText::FormatInt(TmpFile_2GLimit)},
        {"FFMpeg", "TmpFile_QScale(2-31)", TmpFile_QScale},
        {"Window", "PosX", CNumberText::FormatInt(WindowRect.left)},
        {"Window", "PosY", CNumberText::FormatInt(WindowRect.top)},
        {"Window", "Width", CNumberText::FormatInt(width)},
        {"Window", "Height", CNumberText::FormatInt(height)},
    };
}
