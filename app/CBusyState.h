#pragma once

#include <functional>

// Whether a long operation (a conversion, a save) runs while it pumps events. Every command
// rule sees it, so nothing but the operation's own Cancel can start inside it. Whoever wants to
// leave meanwhile asks the running operation to cancel and is told when it has unwound.
class CBusyState {
public:
    using Action = std::function<void()>;

    // Marks the state busy for its lifetime; cancel stops the operation it guards.
    class Scope {
    public:
        Scope(CBusyState& state, Action cancel);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        CBusyState& m_state;
        Action m_previousCancel;
    };

    bool IsBusy() const { return m_depth > 0; }
    // Asks the running operation to stop; false when none runs.
    bool CancelRunning();
    // Runs once the state is no longer busy: at once when it is not.
    void WhenIdle(Action action);

private:
    int m_depth = 0;
    Action m_cancel;
    Action m_whenIdle;
};
