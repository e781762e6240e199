#pragma once

#include "mosaic/CMosaicParam.h"

#include <string>

// The two progress files of a working file, "eft" (settings and fixed areas) and "eftm"
// (tracks), saved as one: both are written under temporary names, then renaming the "eft" file
// into place commits the save, then the "eftm" file follows. A save cut short before the commit
// leaves the old pair; after it, loads read the committed track file and the next save puts it
// in place. So a load always finds one whole save, never half of two. Removing goes the same
// way: the track file is moved aside, deleting the "eft" file commits, then the rest goes; a
// removal cut short before its commit is undone by the next load, save or removal.
class CProgressFiles {
public:
    // sourceName: the file name of the movie the progress is for, written into the "eft" file
    // so that two movies of the same stem, which share the working name, can be told apart.
    explicit CProgressFiles(const std::string& workPath, std::string sourceName = {});

    void Load(CMosaicParam& mosaic) const;
    // False when the new pair could not be written whole; the old pair then stays.
    bool Save(const CMosaicParam& mosaic) const;
    // Deletes both files and whatever an unfinished save left, or neither: false when they could
    // not be deleted, and both are then still in place.
    bool Remove() const;

    // The other movie whose progress the files hold; empty when they hold this movie's, none,
    // or do not say.
    std::string OtherSource() const;

    const std::string& FixedAreasPath() const { return m_fixed; }
    const std::string& TracksPath() const { return m_tracks; }

private:
    // A track file written by a committed save that has not been put in place yet.
    bool HasCommittedTracks() const;
    bool PutTracksInPlace() const;
    // Puts back the track file of a removal that ended before deleting the "eft" file.
    void UndoUnfinishedRemoval() const;
    // The leftovers of a save that never committed; false when they are still there.
    bool RemoveUncommittedSave() const;
    bool RemovePair() const;

    std::string m_sourceName;
    std::string m_fixed;
    std::string m_tracks;
    std::string m_fixedTemp;
    std::string m_tracksTemp;
    std::string m_tracksRemoved;
};
