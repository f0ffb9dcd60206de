#pragma once

#include "platform/Seams.h"

// The wait cursor over the whole application while a long operation runs;
// nested scopes stack.
class CQtBusyCursor : public IBusyCursor {
public:
    void begin() override;
    void end() override;

    // True while a scope is open: an operation on the controller runs (and
    // the window thread only gets here while it pumps events).
    bool active() const { return m_depth > 0; }

private:
    int m_depth = 0;
};
