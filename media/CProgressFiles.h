#pragma once

#include "mosaic/CMosaicParam.h"

#include <string>

// The two progress files of a working file, "eft" (settings and fixed areas) and "eftm"
// (tracks), saved as one: both are written under temporary names, then renaming the "eft" file
// into place commits the save, then the "eftm" file follows. A save cut short before the commit
// leaves the old pair; after it, loads read the committed track file and the next save puts it
// in place. So a load always finds one whole save, never half of two.
class CProgressFiles {
public:
    explicit CProgressFiles(const std::string& workPath);

    void Load(CMosaicParam& mosaic) const;
    // False when the new pair could not be written whole; the old pair then stays.
    bool Save(const CMosaicParam& mosaic) const;
    // Deletes both files and whatever an unfinished save left.
    void Remove() const;

    const std::string& FixedAreasPath() const { return m_fixed; }
    const std::string& TracksPath() const { return m_tracks; }

private:
    // A track file written by a committed save that has not been put in place yet.
    bool HasCommittedTracks() const;
    bool PutTracksInPlace() const;

    std::string m_fixed;
    std::string m_tracks;
    std::string m_fixedTemp;
    std::string m_tracksTemp;
};
