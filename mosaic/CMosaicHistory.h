#pragma once

#include "mosaic/CMosaicTrack.h"
#include "mosaic/T_RECT.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class CMosaicParam;

// The undo history of one open movie's mosaic: every state it was in, oldest first, with the
// one shown now. Whoever changes the mosaic commits it afterwards, and the change is one step.
// A state shares each track it did not change with the state before it, so a step costs the
// tracks it changed, however long the others are.
class CMosaicHistory {
public:
    CMosaicHistory();

    // Forgets every step: mosaic as it is becomes the only state.
    void Reset(const CMosaicParam& mosaic);
    // Makes mosaic as it is now the state after the current one, dropping the steps undone
    // before. False, with nothing recorded, when it equals the current state.
    bool Commit(const CMosaicParam& mosaic);

    bool CanUndo() const { return m_current > 0; }
    bool CanRedo() const { return m_current + 1 < m_states.size(); }
    // Puts mosaic back into the state before (after) the current one; false when there is none.
    bool Undo(CMosaicParam& mosaic);
    bool Redo(CMosaicParam& mosaic);

    // Names the current state; no other state ever gets the same id, so a saved file can tell
    // whether the mosaic shown is what it holds.
    std::uint64_t StateId() const { return m_states[m_current].id; }
    // The states kept, the current one among them.
    std::size_t StateCount() const { return m_states.size(); }
    // The track rectangles all states hold together, each shared one counted once: what the
    // history costs.
    std::size_t StoredRects() const;

private:
    using SharedTrack = std::shared_ptr<const CMosaicTrack>;
    struct State {
        std::uint64_t id = 0;
        std::int32_t enable = 1;
        std::int32_t type = 0;
        std::int32_t size = 0;
        std::vector<T_RECT> areas;
        std::vector<SharedTrack> tracks;
    };

    // The state of mosaic, sharing every track that the current state holds already.
    State Capture(const CMosaicParam& mosaic);
    SharedTrack Share(const CMosaicTrack& track, std::size_t index) const;
    static bool SameAs(const State& a, const State& b);
    static void Apply(const State& state, CMosaicParam& mosaic);

    std::vector<State> m_states;
    std::size_t m_current = 0;
    std::uint64_t m_nextId = 0;
};
