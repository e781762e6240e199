#include "app/CCmdTarget.h"

bool CCmdTarget::OnCmdMsg(int id) {
    const auto found = m_handlers.find(id);
    if (found == m_handlers.end()) {
        return false;
    }
    // A copy: the handler may replace its own registration.
    const Handler handler = found->second;
    handler();
    return true;
}

void CCmdTarget::FillCommandState(CCommandState&) const {}

void CCmdTarget::OnCommand(int id, Handler handler) {
    m_handlers[id] = std::move(handler);
}
