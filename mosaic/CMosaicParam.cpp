#include "mosaic/CMosaicParam.h"

#include "mosaic/CFixedAreaFile.h"
#include "mosaic/CTrackFile.h"
#include "platform/CDurableFile.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

namespace {

constexpr std::array<int, 10> kDefaultSizes = {30, 20, 10, 5, 10, 10, 10, 15, 10, 5};
constexpr int kMinBlurSize = 5;
constexpr int kMaxBlurSize = 50;

bool IsBlurType(int sizeId) {
    return sizeId >= 7 && sizeId <= 9;
}

template <typename List> bool InRange(const List& list, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < list.size();
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void RemoveQuietly(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

} // namespace

CMosaicParam::CMosaicParam(int sizeId) : type(sizeId), size(DefaultSize(sizeId)) {}

int CMosaicParam::DefaultSize(int typeId) {
    return InRange(kDefaultSizes, typeId) ? kDefaultSizes[static_cast<std::size_t>(typeId)] : 10;
}

void CMosaicParam::AddFixedArea(const T_RECT& rect) {
    m_areas.push_back(rect);
}

void CMosaicParam::SetFixedArea(int index, const T_RECT& rect) {
    if (InRange(m_areas, index)) {
        m_areas[static_cast<std::size_t>(index)] = rect;
    }
}

void CMosaicParam::DeleteFixedArea(int index) {
    if (InRange(m_areas, index)) {
        m_areas.erase(m_areas.begin() + index);
    }
}

void CMosaicParam::RemoveAllFixedAreas() {
    m_areas.clear();
}

void CMosaicParam::SetTrackRect(int track, const T_RECT& rect, std::int32_t frame) {
    if (track < 0) {
        return;
    }
    if (!InRange(m_tracks, track)) {
        m_tracks.emplace_back(frame, std::vector<T_RECT>{rect});
        return;
    }
    m_tracks[static_cast<std::size_t>(track)].Set(frame, rect);
}

T_RECT CMosaicParam::GetTrackRect(int track, std::int32_t frame) const {
    return InRange(m_tracks, track) ? m_tracks[static_cast<std::size_t>(track)].At(frame)
                                    : T_RECT{};
}

int CMosaicParam::HitTestTrack(std::int32_t x, std::int32_t y, std::int32_t frame) const {
    for (int track = TrackCount() - 1; track >= 0; --track) {
        if (GetTrackRect(track, frame).Contains(x, y)) {
            return track;
        }
    }
    return -1;
}

int CMosaicParam::TopTrackAt(std::int32_t frame) const {
    for (int track = TrackCount() - 1; track >= 0; --track) {
        if (!GetTrackRect(track, frame).IsEmpty()) {
            return track;
        }
    }
    return -1;
}

void CMosaicParam::DeleteTrackFrom(int track, std::int32_t frame) {
    if (!InRange(m_tracks, track)) {
        return;
    }
    CMosaicTrack& cut = m_tracks[static_cast<std::size_t>(track)];
    if (cut.CutFrom(frame) && cut.Blank()) {
        DeleteTrack(track);
    }
}

void CMosaicParam::DeleteTrack(int track) {
    if (InRange(m_tracks, track)) {
        m_tracks.erase(m_tracks.begin() + track);
    }
}

void CMosaicParam::RemoveAllTracks() {
    m_tracks.clear();
}

std::int64_t CMosaicParam::FillGaps() {
    std::int64_t filled = 0;
    for (CMosaicTrack& track : m_tracks) {
        filled += track.FillGaps();
    }
    return filled;
}

void CMosaicParam::SetTrackUnsure(int track, std::int32_t frame, bool unsure) {
    if (InRange(m_tracks, track)) {
        m_tracks[static_cast<std::size_t>(track)].SetUnsure(frame, unsure);
    }
}

void CMosaicParam::WriteTrackRun(int track, const CMosaicTrack& run,
                                 const std::vector<bool>& unsure) {
    const std::vector<T_RECT>& rects = run.Rects();
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const auto frame = static_cast<std::int32_t>(run.First() + static_cast<std::int64_t>(i));
        SetTrackRect(track, rects[i], frame);
        if (i < unsure.size() && unsure[i]) {
            SetTrackUnsure(track, frame, true);
        }
    }
}

void CMosaicParam::AppendTrack(CMosaicTrack track) {
    if (!track.Empty()) {
        m_tracks.push_back(std::move(track));
    }
}

bool CMosaicParam::SetType(int id, std::int32_t& sizeIdSetting, bool documentOpen) {
    sizeIdSetting = id;
    if (documentOpen) {
        size = DefaultSize(id);
        type = id;
    }
    return HasRegions();
}

bool CMosaicParam::StepBlurSize(int sizeId, int delta) {
    if (!IsBlurType(sizeId)) {
        return false;
    }
    // Wide enough for any loaded size plus any step.
    const std::int64_t stepped = std::int64_t{size} + delta;
    size = static_cast<std::int32_t>(std::clamp<std::int64_t>(stepped, kMinBlurSize, kMaxBlurSize));
    return true;
}

bool CMosaicParam::ResetBlurSize(int sizeId) {
    if (!IsBlurType(sizeId)) {
        return false;
    }
    size = DefaultSize(sizeId);
    return true;
}

void CMosaicParam::LoadFixedAreas(const std::string& path) {
    CFixedAreaFile::Load(path, *this);
}

void CMosaicParam::LoadTracks(const std::string& path) {
    RemoveAllTracks();
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return;
    }
    for (CMosaicTrack& track : CTrackFile::Decode(ReadWholeFile(path))) {
        AppendTrack(std::move(track));
    }
}

void CMosaicParam::SaveFixedAreas(const std::string& path) const {
    CFixedAreaFile::Save(path, *this);
}

void CMosaicParam::SaveTracks(const std::string& path) const {
    RemoveQuietly(CDurableFile::TempPath(path));
    if (m_tracks.empty()) {
        RemoveQuietly(path);
        return;
    }
    CDurableFile::Replace(path, CTrackFile::Encode(m_tracks));
}
