#pragma once

#include "app/CCommandState.h"

#include <functional>
#include <map>

// Something commands are routed to: the view, the document, the main window (and the parts it
// delegates to) and the application. A target says which commands it carries out by
// registering a handler for each, and contributes what it knows to the command state.
class CCmdTarget {
public:
    using Handler = std::function<void()>;

    CCmdTarget() = default;
    virtual ~CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    bool HasHandler(int id) const { return m_handlers.contains(id); }
    // Runs the handler of id; false when this target has none.
    bool OnCmdMsg(int id);
    // Adds what this target knows to the state the enable and check rules read.
    virtual void FillCommandState(CCommandState& state) const;

protected:
    void OnCommand(int id, Handler handler);

private:
    std::map<int, Handler> m_handlers;
};
