#pragma once

#include "platform/Seams.h"

// The wait cursor over the whole application while a long operation runs;
// nested scopes stack.
class CQtBusyCursor : public IBusyCursor {
public:
    void begin() override;
    void end() override;
};
