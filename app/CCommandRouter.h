#pragma once

#include "app/CCmdTarget.h"
#include "app/CCommandState.h"

#include <vector>

// Routes commands along a chain of targets (view, document, main window, application) and
// decides with the command table whether a command is enabled and checked. A command is
// enabled only when no long operation runs, its rule says so and a target carries it out; a
// disabled command is never run, whatever asked for it.
class CCommandRouter {
public:
    struct Status {
        bool enabled = false;
        bool checked = false;
    };

    // The targets in routing order; null entries are skipped.
    void SetChain(std::vector<CCmdTarget*> chain) { m_chain = std::move(chain); }

    CCommandState State() const;
    // The first target in the chain that carries out id, or nullptr.
    CCmdTarget* HandlerOf(int id) const;
    Status Query(int id, const CCommandState& state) const;
    Status Query(int id) const { return Query(id, State()); }
    // Runs id when it is enabled now; returns whether it ran.
    bool Execute(int id);

private:
    std::vector<CCmdTarget*> m_chain;
};
