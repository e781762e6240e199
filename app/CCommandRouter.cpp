#include "app/CCommandRouter.h"

#include "app/CCommandTable.h"

CCommandState CCommandRouter::State() const {
    CCommandState state;
    for (const CCmdTarget* target : m_chain) {
        if (target) {
            target->FillCommandState(state);
        }
    }
    return state;
}

CCmdTarget* CCommandRouter::HandlerOf(int id) const {
    for (CCmdTarget* target : m_chain) {
        if (target && target->HasHandler(id)) {
            return target;
        }
    }
    return nullptr;
}

CCommandRouter::Status CCommandRouter::Query(int id, const CCommandState& state) const {
    const CCommandTable::Row* row = CCommandTable::Find(id);
    if (!row) {
        return {};
    }
    return {!state.busy && row->enabled(state) && HandlerOf(id) != nullptr,
            row->checked != nullptr && row->checked(state)};
}

bool CCommandRouter::Execute(int id) {
    if (!Query(id).enabled) {
        return false;
    }
    return HandlerOf(id)->OnCmdMsg(id);
}
