#pragma once

#include <MediaInfoDLL/MediaInfoDLL.h>

#include <mutex>
#include <string>
#include <vector>

// The media information library, bound at run time through its C interface (narrow-string
// variants) as declared by the library's own run-time loading header. Its loader is not used: it
// also tries the current directory. A library counts as loaded only when all five entry points
// resolve; once loaded it stays loaded. A failed load is tried again by the next Load().
class CMediaInfoLibrary {
public:
    struct Api {
        MEDIAINFO_New New = nullptr;
        MEDIAINFO_Open Open = nullptr;
        MEDIAINFO_Get Get = nullptr;
        MEDIAINFO_Close Close = nullptr;
        MEDIAINFO_Delete Delete = nullptr;
    };

    // Candidates are tried in order: full paths or plain library names (the system's search).
    explicit CMediaInfoLibrary(std::vector<std::string> candidates);
    CMediaInfoLibrary(const CMediaInfoLibrary&) = delete;
    CMediaInfoLibrary& operator=(const CMediaInfoLibrary&) = delete;

    // The private copy in programDir/misc/x64/ (only for an absolute programDir, never relative
    // to the current directory), then the system library by its soname.
    static std::vector<std::string> Candidates(const std::string& programDir);
    // The process-wide library; the first caller's program folder decides the candidates.
    static CMediaInfoLibrary& Shared(const std::string& programDir);

    // Binds the first complete candidate unless one is bound already; null when none is.
    const Api* Load();
    // The name the load-error message shows: the first candidate.
    std::string ShownName() const;

private:
    bool Bind(const std::string& name);

    std::vector<std::string> m_candidates;
    std::mutex m_mutex;
    void* m_module = nullptr;
    Api m_api;
};
