#include "mosaic/CMosaicHistory.h"

#include "mosaic/CMosaicParam.h"

#include <algorithm>
#include <set>

CMosaicHistory::CMosaicHistory() {
    Reset(CMosaicParam());
}

void CMosaicHistory::Reset(const CMosaicParam& mosaic) {
    m_states.clear();
    m_current = 0;
    m_states.push_back(Capture(mosaic));
}

bool CMosaicHistory::Commit(const CMosaicParam& mosaic) {
    State state = Capture(mosaic);
    if (SameAs(state, m_states[m_current])) {
        return false;
    }
    m_states.resize(m_current + 1);
    m_states.push_back(std::move(state));
    ++m_current;
    return true;
}

bool CMosaicHistory::Undo(CMosaicParam& mosaic) {
    if (!CanUndo()) {
        return false;
    }
    Apply(m_states[--m_current], mosaic);
    return true;
}

bool CMosaicHistory::Redo(CMosaicParam& mosaic) {
    if (!CanRedo()) {
        return false;
    }
    Apply(m_states[++m_current], mosaic);
    return true;
}

std::size_t CMosaicHistory::StoredRects() const {
    std::set<const CMosaicTrack*> counted;
    std::size_t rects = 0;
    for (const State& state : m_states) {
        for (const SharedTrack& track : state.tracks) {
            if (counted.insert(track.get()).second) {
                rects += track->Rects().size();
            }
        }
    }
    return rects;
}

CMosaicHistory::State CMosaicHistory::Capture(const CMosaicParam& mosaic) {
    State state{m_nextId++, mosaic.enable, mosaic.type, mosaic.size, mosaic.FixedAreas(), {}};
    const std::vector<CMosaicTrack>& tracks = mosaic.Tracks();
    state.tracks.reserve(tracks.size());
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        state.tracks.push_back(Share(tracks[i], i));
    }
    return state;
}

// Looked for at its own index first: most steps change one track and leave the rest in place.
CMosaicHistory::SharedTrack CMosaicHistory::Share(const CMosaicTrack& track,
                                                  std::size_t index) const {
    if (m_states.empty()) {
        return std::make_shared<const CMosaicTrack>(track);
    }
    const std::vector<SharedTrack>& known = m_states[m_current].tracks;
    const auto same = [&track](const SharedTrack& candidate) {
        return candidate->First() == track.First() &&
               candidate->Rects().size() == track.Rects().size() && *candidate == track;
    };
    if (index < known.size() && same(known[index])) {
        return known[index];
    }
    const auto found = std::find_if(known.begin(), known.end(), same);
    return found != known.end() ? *found : std::make_shared<const CMosaicTrack>(track);
}

bool CMosaicHistory::SameAs(const State& a, const State& b) {
    return a.enable == b.enable && a.type == b.type && a.size == b.size && a.areas == b.areas &&
           a.tracks == b.tracks;
}

void CMosaicHistory::Apply(const State& state, CMosaicParam& mosaic) {
    mosaic.enable = state.enable;
    mosaic.type = state.type;
    mosaic.size = state.size;
    mosaic.RemoveAllFixedAreas();
    for (const T_RECT& area : state.areas) {
        mosaic.AddFixedArea(area);
    }
    mosaic.RemoveAllTracks();
    for (const SharedTrack& track : state.tracks) {
        mosaic.AppendTrack(*track);
    }
}
