#include "media/KQ22sCVideoInfo.h"

#include "media/CUtf8Scope.h"
#include "platform/CMessageBoxSeam.h"
#include "platform/CNumberText.h"

KQ22sCVideoInfo::KQ22sCVideoInfo(const std::string& programDir)
    : KQ22sCVideoInfo(CMediaInfoLibrary::Shared(programDir)) {}

KQ22sCVideoInfo::KQ22sCVideoInfo(CMediaInfoLibrary& library)
    : m_library(library), m_api(library.Load()) {
    if (m_api) {
        m_handle = m_api->New();
    }
}

KQ22sCVideoInfo::~KQ22sCVideoInfo() {
    CloseFile();
    if (m_handle) {
        m_api->Delete(m_handle);
    }
}

int KQ22sCVideoInfo::Open(const std::string& path) {
    if (!m_handle) {
        CMessageBoxSeam::Show("Load Error (" + m_library.ShownName() + ")", QV_MB_OK);
        return 0;
    }
    CloseFile();
    const CUtf8Scope utf8;
    if (m_api->Open(m_handle, path.c_str()) == 0) {
        return 0;
    }
    m_openFile = path;
    return 1;
}

int KQ22sCVideoInfo::GetWidth() const {
    return CNumberText::ParseLeadingInt(VideoText("Width"));
}

int KQ22sCVideoInfo::GetHeight() const {
    return CNumberText::ParseLeadingInt(VideoText("Height"));
}

int KQ22sCVideoInfo::GetRotation() const {
    return CNumberText::ParseLeadingInt(VideoText("Rotation"));
}

double KQ22sCVideoInfo::GetPixelAspectRatio() const {
    return CNumberText::ParseDouble(VideoText("PixelAspectRatio"));
}

std::string KQ22sCVideoInfo::VideoText(const char* parameter) const {
    if (m_openFile.empty()) {
        return {};
    }
    // The library answers in a buffer it reuses, so the text is copied at once.
    const char* text = m_api->Get(m_handle, MediaInfo_Stream_Video, 0, parameter,
                                  MediaInfo_Info_Text, MediaInfo_Info_Name);
    return text ? std::string(text) : std::string();
}

void KQ22sCVideoInfo::CloseFile() {
    if (!m_openFile.empty()) {
        m_api->Close(m_handle);
        m_openFile.clear();
    }
}
