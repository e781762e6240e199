#pragma once

#include "media/CMediaInfoLibrary.h"

#include <string>

// Picture width, height, pixel aspect ratio and rotation of a file's first video stream, asked
// of the media information library. Missing properties read as 0.
class KQ22sCVideoInfo {
public:
    // Uses the process-wide library from programDir/misc/x64/, else the system's.
    explicit KQ22sCVideoInfo(const std::string& programDir);
    explicit KQ22sCVideoInfo(CMediaInfoLibrary& library);
    virtual ~KQ22sCVideoInfo();
    KQ22sCVideoInfo(const KQ22sCVideoInfo&) = delete;
    KQ22sCVideoInfo& operator=(const KQ22sCVideoInfo&) = delete;

    // Opens path (UTF-8), closing any file opened before. Without the library it shows
    // "Load Error (<library>)" and answers 0; a file the library cannot read answers 0 silently.
    int Open(const std::string& path);
    int GetWidth() const;
    int GetHeight() const;
    int GetRotation() const;
    double GetPixelAspectRatio() const;

private:
    // The text of a video property of the open file; empty when there is none.
    std::string VideoText(const char* parameter) const;
    void CloseFile();

    CMediaInfoLibrary& m_library;
    const CMediaInfoLibrary::Api* m_api = nullptr;
    std::string m_openFile;
    void* m_handle = nullptr;
};
