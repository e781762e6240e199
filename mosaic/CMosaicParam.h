#pragma once

#include "mosaic/CMosaicTrack.h"
#include "mosaic/T_RECT.h"

#include <cstdint>
#include <string>
#include <vector>

// Everything the user decided about hiding parts of the opened movie: one effect setting
// (type and size), fixed areas painted on every frame, and moving-mosaic tracks.
class CMosaicParam {
public:
    // type = sizeId, size = the default size of that type, no areas, no tracks.
    explicit CMosaicParam(int sizeId = 2);
    virtual ~CMosaicParam() = default;

    // Default strength of a type id (30, 20, 10, 5, 10, 10, 10, 15, 10, 5); 10 outside 0..9.
    static int DefaultSize(int typeId);

    std::int32_t enable = 1;
    std::int32_t type = 2;
    std::int32_t size = 10;

    const std::vector<T_RECT>& FixedAreas() const { return m_areas; }
    void AddFixedArea(const T_RECT& rect);
    // Moves or resizes an area; an index out of range changes nothing.
    void SetFixedArea(int index, const T_RECT& rect);
    void DeleteFixedArea(int index);
    void RemoveAllFixedAreas();

    const std::vector<CMosaicTrack>& Tracks() const { return m_tracks; }
    int TrackCount() const { return static_cast<int>(m_tracks.size()); }
    // A track index at or beyond the count appends a new track, even for an empty rect (the
    // brush outside the picture), so that the recorder's index stays its track.
    void SetTrackRect(int track, const T_RECT& rect, std::int32_t frame);
    T_RECT GetTrackRect(int track, std::int32_t frame) const;
    int HitTestTrack(std::int32_t x, std::int32_t y, std::int32_t frame) const;
    // The latest track with a rectangle at frame, or -1.
    int TopTrackAt(std::int32_t frame) const;
    // Removes that frame and every later one; a track left with nothing to show goes.
    void DeleteTrackFrom(int track, std::int32_t frame);
    void DeleteTrack(int track);
    void RemoveAllTracks();
    // Fills the gaps of every track (see CMosaicTrack::FillGaps); returns the frames filled.
    std::int64_t FillGaps();
    // Marks or clears a tracker's doubt about a track's frame; see CMosaicTrack::SetUnsure.
    void SetTrackUnsure(int track, std::int32_t frame, bool unsure);
    // Writes a tracking run into track: each frame it followed gets its rectangle in place of
    // what the track had there, and the frames it was unsure of their mark.
    void WriteTrackRun(int track, const CMosaicTrack& run, const std::vector<bool>& unsure);
    // Appends a whole track (used by the progress-file reader); a track without frames is
    // ignored.
    void AppendTrack(CMosaicTrack track);

    bool HasRegions() const { return !m_areas.empty() || !m_tracks.empty(); }

    // The model part of choosing a type in the type list: sizeIdSetting := id; when a document
    // is open, size and type follow id. Returns true when regions exist, so the caller sets
    // both change flags and redraws.
    bool SetType(int id, std::int32_t& sizeIdSetting, bool documentOpen);
    // Strength keys, for the blur types 7..9 only: step size by delta within 5..50, or reset it
    // to the default size of the type. Return false (size untouched) for any other type.
    bool StepBlurSize(int sizeId, int delta);
    bool ResetBlurSize(int sizeId);

    // Progress files: "eft" (XML: settings and fixed areas) and "eftm" (binary: tracks).
    // Loading replaces the areas (and enable, type, size where the file has them) or the tracks;
    // a missing or damaged file loads nothing and never leaves an empty track. Saving goes
    // through path + ".tmp" renamed over path, so a failed save keeps the previous file; with no
    // tracks the "eftm" file is removed and none is written.
    void LoadFixedAreas(const std::string& path);
    void LoadTracks(const std::string& path);
    void SaveFixedAreas(const std::string& path) const;
    void SaveTracks(const std::string& path) const;

private:
    std::vector<T_RECT> m_areas;
    std::vector<CMosaicTrack> m_tracks;
};
