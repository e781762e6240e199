#include "app/CInifileManager.h"

#include "app/CNumberText.h"
#include "app/RX40CVMIniFile.h"

namespace {
constexpr const char* DefaultBitRate = "30000";
}

CInifileManager::CInifileManager(std::string path) : m_path(std::move(path)) {
    WindowRect = Rect{};
    Load();
}

CInifileManager::~CInifileManager() {
    Save();
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

void CInifileManager::Save() const {
    RX40CVMIniFile ini(m_path);
    ini.SetSection("Mosaic");
    ini.WriteInt("SizeID", SizeID);
    ini.WriteInt("HoriLengthFromCenter", HoriLengthFromCenter);
    ini.WriteInt("VertLengthFromCenter", VertLengthFromCenter);
    ini.WriteString("PlaySpeedRate", CNumberText::FormatOneDecimal(PlaySpeedRate));
    ini.WriteInt("LoopPlay", LoopPlay);
    ini.WriteInt("FilterIndex", FilterIndex);
    ini.WriteInt("OpenFilterIndex", OpenFilterIndex);
    ini.WriteInt("ImageFilterIndex", ImageFilterIndex);

    ini.SetSection("FFMpeg");
    ini.WriteString("TmpFile_VCodec", TmpFile_VCodec);
    ini.WriteString("TmpFile_BitRate(k)", TmpFile_BitRate);
    ini.WriteInt("TmpFile_2GLimit", TmpFile_2GLimit);
    ini.WriteString("TmpFile_QScale(2-31)", TmpFile_QScale);

    ini.SetSection("Window");
    ini.WriteInt("PosX", WindowRect.left);
    ini.WriteInt("PosY", WindowRect.top);
    ini.WriteInt("Width",
                 std::int32_t(std::uint32_t(WindowRect.right) - std::uint32_t(WindowRect.left)));
    ini.WriteInt("Height",
                 std::int32_t(std::uint32_t(WindowRect.bottom) - std::uint32_t(WindowRect.top)));
}
