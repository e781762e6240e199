#pragma once

#include "platform/RX40CVMIniFile.h"

#include <cstdint>
#include <string>
#include <vector>

// The user's settings record: loaded from the settings file on construction, written back on
// destruction unless a save has already written it as it is. Other code reads and assigns the
// fields directly.
class CInifileManager {
public:
    struct Rect {
        std::int32_t left = 0;
        std::int32_t top = 0;
        std::int32_t right = 0;
        std::int32_t bottom = 0;
    };

    // Loads the settings file at path (defaults for whatever is missing).
    explicit CInifileManager(std::string path);
    virtual ~CInifileManager();
    CInifileManager(const CInifileManager&) = delete;
    CInifileManager& operator=(const CInifileManager&) = delete;

    const std::string& Path() const { return m_path; }
    void Load();
    // False when the settings file could not be written; the old file then stays whole.
    bool Save() const;

    // Section "Mosaic"
    std::int32_t SizeID = 2;
    std::int32_t HoriLengthFromCenter = 50;
    std::int32_t VertLengthFromCenter = 50;
    float PlaySpeedRate = 1.0f;
    std::int32_t LoopPlay = 0;
    // Section "FFMpeg"
    std::string TmpFile_VCodec;
    std::string TmpFile_BitRate = "30000";
    std::int32_t TmpFile_2GLimit = 1;
    std::string TmpFile_QScale = "4";
    // Section "Mosaic" (file dialogs)
    std::int32_t FilterIndex = 1;
    std::int32_t OpenFilterIndex = 1;
    std::int32_t ImageFilterIndex = 1;
    // Section "Window": left = PosX, top = PosY, right = PosX + Width, bottom = PosY + Height.
    Rect WindowRect;

private:
    std::vector<RX40CVMIniFile::Entry> Entries() const;

    std::string m_path;
    // What the last save that succeeded wrote.
    mutable std::vector<RX40CVMIniFile::Entry> m_saved;
};
