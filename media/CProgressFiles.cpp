#include "media/CProgressFiles.h"

#include "media/CWorkPaths.h"

#include "mosaic/CFixedAreaFile.h"
#include "mosaic/CTrackFile.h"
#include "platform/CDurableFile.h"

#include <filesystem>

namespace {

namespace fs = std::filesystem;

bool Exists(const std::string& path) {
    std::error_code error;
    return fs::exists(path, error);
}

void RemoveQuietly(const std::string& path) {
    std::error_code error;
    fs::remove(path, error);
}

} // namespace

CProgressFiles::CProgressFiles(const std::string& workPath)
    : m_fixed(CWorkPaths::ReplaceExtension(workPath, "eft")),
      m_tracks(CWorkPaths::ReplaceExtension(workPath, "eftm")),
      m_fixedTemp(CDurableFile::TempPath(m_fixed)), m_tracksTemp(CDurableFile::TempPath(m_tracks)) {
}

bool CProgressFiles::HasCommittedTracks() const {
    return Exists(m_tracksTemp) && !Exists(m_fixedTemp);
}

// An empty committed track file stands for a save without tracks, which leaves no "eftm" file.
bool CProgressFiles::PutTracksInPlace() const {
    std::error_code error;
    if (fs::file_size(m_tracksTemp, error) == 0 && !error) {
        RemoveQuietly(m_tracks);
        RemoveQuietly(m_tracksTemp);
        return true;
    }
    fs::rename(m_tracksTemp, m_tracks, error);
    return !error;
}

void CProgressFiles::Load(CMosaicParam& mosaic) const {
    const std::string tracks = HasCommittedTracks() ? m_tracksTemp : m_tracks;
    mosaic.LoadFixedAreas(m_fixed);
    mosaic.LoadTracks(tracks);
}

bool CProgressFiles::Save(const CMosaicParam& mosaic) const {
    if (HasCommittedTracks() && !PutTracksInPlace()) {
        return false;
    }
    RemoveQuietly(m_tracksTemp);
    const std::string tracks = mosaic.Tracks().empty() ? "" : CTrackFile::Encode(mosaic.Tracks());
    if (!CFixedAreaFile::Write(m_fixedTemp, mosaic) || !CDurableFile::Write(m_tracksTemp, tracks)) {
        RemoveQuietly(m_fixedTemp);
        return false;
    }
    if (!CDurableFile::MoveOver(m_fixedTemp, m_fixed)) {
        RemoveQuietly(m_tracksTemp);
        return false;
    }
    return PutTracksInPlace();
}

void CProgressFiles::Remove() const {
    for (const std::string* path : {&m_tracksTemp, &m_fixedTemp, &m_fixed, &m_tracks}) {
        RemoveQuietly(*path);
    }
}
