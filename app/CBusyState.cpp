#include "app/CBusyState.h"

#include <utility>

CBusyState::Scope::Scope(CBusyState& state, Action cancel)
    : m_state(state), m_previousCancel(std::move(state.m_cancel)) {
    ++m_state.m_depth;
    m_state.m_cancel = std::move(cancel);
}

CBusyState::Scope::~Scope() {
    m_state.m_cancel = std::move(m_previousCancel);
    if (--m_state.m_depth == 0 && m_state.m_whenIdle) {
        std::exchange(m_state.m_whenIdle, nullptr)();
    }
}

bool CBusyState::CancelRunning() {
    if (!IsBusy()) {
        return false;
    }
    if (m_cancel) {
        m_cancel();
    }
    return true;
}

void CBusyState::WhenIdle(Action action) {
    if (IsBusy()) {
        m_whenIdle = std::move(action);
    } else if (action) {
        action();
    }
}
