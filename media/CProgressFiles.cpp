#include "media/CProgressFiles.h"

#include "media/CWorkPaths.h"

#include "mosaic/CFixedAreaFile.h"
#include "mosaic/CTrackFile.h"
#include "platform/CDurableFile.h"

#include <filesystem>
#include <utility>

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

bool IsFolder(const std::string& path) {
    std::error_code error;
    return fs::is_directory(fs::symlink_status(path, error));
}

} // namespace

CProgressFiles::CProgressFiles(const std::string& workPath, std::string sourceName)
    : m_sourceName(std::move(sourceName)), m_fixed(CWorkPaths::ReplaceExtension(workPath, "eft")),
      m_tracks(CWorkPaths::ReplaceExtension(workPath, "eftm")),
      m_fixedTemp(CDurableFile::TempPath(m_fixed)), m_tracksTemp(CDurableFile::TempPath(m_tracks)),
      m_tracksRemoved(m_tracks + ".removed") {}

std::string CProgressFiles::OtherSource() const {
    if (m_sourceName.empty()) {
        return {};
    }
    const std::string saved = CFixedAreaFile::SourceOf(m_fixed);
    return saved == m_sourceName ? std::string() : saved;
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

void CProgressFiles::UndoUnfinishedRemoval() const {
    if (!Exists(m_tracksRemoved)) {
        return;
    }
    std::error_code error;
    if (Exists(m_fixed) && !Exists(m_tracks)) {
        fs::rename(m_tracksRemoved, m_tracks, error);
    } else {
        fs::remove(m_tracksRemoved, error);
    }
}

void CProgressFiles::Load(CMosaicParam& mosaic) const {
    UndoUnfinishedRemoval();
    const std::string tracks = HasCommittedTracks() ? m_tracksTemp : m_tracks;
    mosaic.LoadFixedAreas(m_fixed);
    mosaic.LoadTracks(tracks);
}

bool CProgressFiles::Save(const CMosaicParam& mosaic) const {
    UndoUnfinishedRemoval();
    if (HasCommittedTracks() && !PutTracksInPlace()) {
        return false;
    }
    RemoveQuietly(m_tracksTemp);
    const std::string tracks = mosaic.Tracks().empty() ? "" : CTrackFile::Encode(mosaic.Tracks());
    if (!CFixedAreaFile::Write(m_fixedTemp, mosaic, m_sourceName) ||
        !CDurableFile::Write(m_tracksTemp, tracks)) {
        RemoveQuietly(m_fixedTemp);
        return false;
    }
    if (!CDurableFile::MoveOver(m_fixedTemp, m_fixed)) {
        RemoveQuietly(m_tracksTemp);
        return false;
    }
    return PutTracksInPlace();
}

bool CProgressFiles::Remove() const {
    UndoUnfinishedRemoval();
    // A committed save is completed first, so that what goes is one whole pair.
    if (HasCommittedTracks() && !PutTracksInPlace()) {
        return false;
    }
    return RemoveUncommittedSave() && RemovePair();
}

// The track temporary goes first: left without the other it would pass for a committed one.
bool CProgressFiles::RemoveUncommittedSave() const {
    std::error_code error;
    fs::remove(m_tracksTemp, error);
    if (error) {
        return false;
    }
    RemoveQuietly(m_fixedTemp);
    return true;
}

bool CProgressFiles::RemovePair() const {
    // A folder of that name is not ours to delete.
    if (IsFolder(m_tracks)) {
        return false;
    }
    std::error_code error;
    if (Exists(m_tracks)) {
        fs::rename(m_tracks, m_tracksRemoved, error);
        if (error) {
            return false;
        }
    }
    fs::remove(m_fixed, error);
    if (error) {
        UndoUnfinishedRemoval();
        return false;
    }
    RemoveQuietly(m_tracksRemoved);
    return true;
}
